#include "display/DisplayLoad.h"

#include "display/AnimationLoading.h"
#include "display/AnimationPlayer.h"
#include "display/Canvas.h"
#include "display/SlidePlacement.h"
#include "display/SlideSequencer.h"
#include "display/SlideshowWindow.h"
#include "runtime/PendingEvents.h"
#include "runtime/Random.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "settings/StoredList.h"
#include "startup/Program.h"

#include <QFileInfo>

namespace luma {
namespace {

constexpr std::int16_t kDefaultSensitivity = 12;
constexpr double kPlacementDivisor = 2;
constexpr qint64 kSmallestSinglePicture = 101;

void fallback(SlideshowWindow& window) {
    window.program().panel();
    window.hideWindow();
}

void showPanel(Program& program) {
    if (PanelWindow* panel = program.panel()) {
        panel->showWindow();
    }
}

// A single picture that yields nothing: the panel comes up so that the user can choose another.
void noPicture(Program& program) {
    program.cursor().show(true);
    processPendingEvents();
    showPanel(program);
}

void slideshowMode(SlideshowWindow& window) {
    Program& program = window.program();
    if (program.slideCount <= 0) {
        fallback(window);
        return;
    }
    window.slideTimer.setEnabled(false);
    rearmSlideTimer(program, window.slideTimer);
    window.slideTimer.setEnabled(true);
    program.slideCount =
        StoredList(program.store(), keys::kPictures).count().value_or(program.slideCount);
    program.slideIndex = 1;
    window.picturePath = slideEntry(program, program.slideIndex);
    loadPicture(window.currentPicture, window.picturePath, window.surface().rect(),
                stillPlace(window));
    window.setBackgroundColour(program.settings.backColors);
    window.showWindow();
    program.cursor().show(false);
}

// The single picture at its own size (no multiplier) or stretched.
PlaceOf singlePlace(SlideshowWindow& window) {
    return [&window](QSize size) {
        if (window.program().settings.screenSize == 1) {
            return stretchedArea(window.inner());
        }
        return scaledArea(window.slideX, window.slideY, size, 1);
    };
}

// An animated single picture: frame 0 is on screen as soon as the window shows, painted where the
// animation paints every later frame; the animation timer (armed by the split) takes it on.
void singleAnimation(SlideshowWindow& window, const QString& path) {
    Program& program = window.program();
    loadAnimation(window, path);
    if (window.currentPicture.isEmpty()) {
        noPicture(program);
        return;
    }
    window.showWindow();
    program.cursor().show(false);
    const QSize first = window.currentPicture.size();
    window.surface().paint(window.currentPicture,
                           frameArea(program.settings, window.inner(),
                                     QPoint(window.slideX, window.slideY), first, first),
                           PaintQuality::Fast);
}

void singlePictureMode(SlideshowWindow& window) {
    Program& program = window.program();
    window.singlePicturePath = program.store().read(keys::kSettings, keys::kAniFile);
    const QString& path = window.singlePicturePath;
    if (hasGifSuffix(path)) {
        if (program.settings.animate == 1) {
            singleAnimation(window, path);
            return;
        }
        loadPicture(window.currentPicture, path, window.surface().rect(), singlePlace(window));
    } else {
        window.animationTimer.setEnabled(false);
        window.slideTimer.setEnabled(false);
        const QString file = path.trimmed();
        const QFileInfo info(file);
        if (!info.isFile()) {
            fallback(window);
            return;
        }
        if (info.size() < kSmallestSinglePicture) {
            showPanel(program);
            return;
        }
        window.coverScreen();
        if (!loadPicture(window.currentPicture, file, window.surface().rect(),
                         singlePlace(window))) {
            fallback(window);
            return;
        }
    }
    if (window.currentPicture.isEmpty()) {
        noPicture(program);
        return;
    }
    window.showWindow();
    program.cursor().show(false);
    window.surface().paint(window.currentPicture, singlePlace(window)(window.currentPicture.size()),
                           PaintQuality::Smooth);
}

}  // namespace

void runLoadProcedure(SlideshowWindow& window) {
    Program& program = window.program();
    window.coverScreen();
    if (program.settings.musicOnly == 1) {
        program.unloadDisplay();
        return;
    }
    if (program.settings.mouseSens < 1) {
        program.settings.mouseSens = kDefaultSensitivity;
    }
    const QSize inner = window.inner();
    window.slideX = randomPosition(inner.width() / kPlacementDivisor, program.random().next())
                        .value_or(window.slideX);
    window.slideY = randomPosition(inner.height() / kPlacementDivisor, program.random().next())
                        .value_or(window.slideY);
    program.slideIndex = 0;
    program.slideCount =
        StoredList(program.store(), keys::kPictures).count().value_or(program.slideCount);
    if (program.settings.slides == 1) {
        slideshowMode(window);
    } else {
        singlePictureMode(window);
    }
}

}  // namespace luma
