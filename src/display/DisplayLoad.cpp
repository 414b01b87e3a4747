#include "display/DisplayLoad.h"

#include "display/AnimationPlayer.h"
#include "display/Canvas.h"
#include "display/LoadAniGif.h"
#include "display/SlidePlacement.h"
#include "display/SlideSequencer.h"
#include "display/frmMain.h"
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

void fallback(frmMain& window) {
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

void slideshowMode(frmMain& window) {
    Program& program = window.program();
    if (program.SlideCount <= 0) {
        fallback(window);
        return;
    }
    window.Timer1.setEnabled(false);
    rearmSlideTimer(program, window.Timer1);
    window.Timer1.setEnabled(true);
    program.SlideCount =
        StoredList(program.store(), keys::kPictures).count().value_or(program.SlideCount);
    program.SlideIndex = 1;
    window.picturePath = slideEntry(program, program.SlideIndex);
    loadPicture(window.Picture1, window.picturePath, window.surface().rect(), stillPlace(window));
    window.setBackgroundColour(program.settings.backColors);
    window.showWindow();
    program.cursor().show(false);
}

// The single picture at its own size (no multiplier) or stretched.
PlaceOf singlePlace(frmMain& window) {
    return [&window](QSize size) {
        if (window.program().settings.screenSize == 1) {
            return stretchedArea(window.inner());
        }
        return scaledArea(window.SlideX, window.SlideY, size, 1);
    };
}

// An animated single picture: frame 0 is on screen as soon as the window shows, painted where the
// animation paints every later frame; the animation timer (armed by the split) takes it on.
void singleAnimation(frmMain& window, const QString& path) {
    Program& program = window.program();
    LoadAniGif(window, path);
    if (window.Picture1.isEmpty()) {
        noPicture(program);
        return;
    }
    window.showWindow();
    program.cursor().show(false);
    const QSize first = window.Picture1.size();
    window.surface().paint(window.Picture1,
                           frameArea(program.settings, window.inner(),
                                     QPoint(window.SlideX, window.SlideY), first, first),
                           PaintQuality::Fast);
}

void singlePictureMode(frmMain& window) {
    Program& program = window.program();
    window.singlePicturePath = program.store().read(keys::kSettings, keys::kAniFile);
    const QString& path = window.singlePicturePath;
    if (hasGifSuffix(path)) {
        if (program.settings.animate == 1) {
            singleAnimation(window, path);
            return;
        }
        loadPicture(window.Picture1, path, window.surface().rect(), singlePlace(window));
    } else {
        window.AnimationTimer.setEnabled(false);
        window.Timer1.setEnabled(false);
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
        if (!loadPicture(window.Picture1, file, window.surface().rect(), singlePlace(window))) {
            fallback(window);
            return;
        }
    }
    if (window.Picture1.isEmpty()) {
        noPicture(program);
        return;
    }
    window.showWindow();
    program.cursor().show(false);
    window.surface().paint(window.Picture1, singlePlace(window)(window.Picture1.size()),
                           PaintQuality::Smooth);
}

}  // namespace

void runLoadProcedure(frmMain& window) {
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
    window.SlideX = randomPosition(inner.width() / kPlacementDivisor, program.random().next())
                        .value_or(window.SlideX);
    window.SlideY = randomPosition(inner.height() / kPlacementDivisor, program.random().next())
                        .value_or(window.SlideY);
    program.SlideIndex = 0;
    program.SlideCount =
        StoredList(program.store(), keys::kPictures).count().value_or(program.SlideCount);
    if (program.settings.slides == 1) {
        slideshowMode(window);
    } else {
        singlePictureMode(window);
    }
}

}  // namespace luma
