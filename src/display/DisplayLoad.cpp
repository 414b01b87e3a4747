#include "display/DisplayLoad.h"

#include "display/AnimationLoading.h"
#include "display/AnimationPlayer.h"
#include "display/Canvas.h"
#include "display/ShowState.h"
#include "display/SlidePlacement.h"
#include "display/SlideSequencer.h"
#include "runtime/CursorCounter.h"
#include "runtime/Random.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecord.h"
#include "settings/SettingsStore.h"
#include "settings/StoredList.h"

#include <QFileInfo>

namespace luma {
namespace {

constexpr std::int16_t kDefaultSensitivity = 12;
constexpr double kPlacementDivisor = 2;
constexpr qint64 kSmallestSinglePicture = 101;

// The load procedure's steps, over the show, the program's values and the windows.
struct Load {
    ShowState& show;
    ShowServices& services;
    DisplayHost& host;

    void fallback() {
        host.openPanel(false);
        host.hide();
    }

    // A single picture that yields nothing: the panel comes up so that the user can choose
    // another.
    void noPicture() {
        host.cursor.show(true);
        services.letEventsRun();
        host.openPanel(true);
    }

    void showWindow() {
        host.show();
        host.cursor.show(false);
    }

    void slideshowMode() {
        if (services.slideCount <= 0) {
            fallback();
            return;
        }
        services.slideTimer.setEnabled(false);
        rearmSlideTimer(services.store, services.slideTimer);
        services.slideTimer.setEnabled(true);
        services.slideCount =
            StoredList(services.store, keys::kPictures).count().value_or(services.slideCount);
        services.slideIndex = 1;
        show.picturePath = slideEntry(services.store, services.slideCount, services.slideIndex);
        // Kept for a first slide that does not load; only what shows is decoded.
        if (auto picture = show.picturePath == kMissingPicture
                               ? std::nullopt
                               : Picture::fromFile(show.picturePath)) {
            show.currentPicture = std::move(*picture);
        }
        host.readFirstSlides();
        show.setBackgroundColour(services.settings.backColors);
        showWindow();
    }

    // The single picture at its own size (no multiplier) or stretched.
    PlaceOf singlePlace() const {
        return [this](QSize size) {
            if (services.settings.screenSize == 1) {
                return stretchedArea(show.area());
            }
            return scaledArea(show.slideX, show.slideY, size, 1);
        };
    }

    // An animated single picture: frame 0 is on screen as soon as the window shows, painted where
    // the animation paints every later frame; the animation timer (armed by the split) takes it
    // on.
    void singleAnimation(const QString& path) {
        loadAnimation(show, path);
        if (show.currentPicture.isEmpty()) {
            noPicture();
            return;
        }
        showWindow();
        const QSize first = show.currentPicture.size();
        show.canvas.paint(
            show.currentPicture,
            frameArea(services.settings, show.area(), show.slidePosition(), first, first),
            PaintQuality::Fast);
        decodeFramesAhead(show, services.settings);
    }

    void singlePictureMode() {
        show.singlePicturePath = services.store.read(keys::kSettings, keys::kAniFile);
        const QString& path = show.singlePicturePath;
        if (hasGifSuffix(path)) {
            if (services.settings.animate == 1) {
                singleAnimation(path);
                return;
            }
            loadPicture(show.currentPicture, path, show.canvas.rect(), singlePlace());
        } else {
            show.stopAnimation();
            services.slideTimer.setEnabled(false);
            const QString file = path.trimmed();
            const QFileInfo info(file);
            if (!info.isFile()) {
                fallback();
                return;
            }
            if (info.size() < kSmallestSinglePicture) {
                host.openPanel(true);
                return;
            }
            host.coverScreen();
            if (!loadPicture(show.currentPicture, file, show.canvas.rect(), singlePlace())) {
                fallback();
                return;
            }
        }
        if (show.currentPicture.isEmpty()) {
            noPicture();
            return;
        }
        showWindow();
        show.canvas.paint(show.currentPicture, singlePlace()(show.currentPicture.size()),
                          PaintQuality::Smooth);
    }
};

}  // namespace

void runLoadProcedure(ShowState& show, ShowServices& services, DisplayHost& host) {
    host.coverScreen();
    SettingsRecord& settings = services.settings;
    if (settings.musicOnly == 1) {
        host.close();
        return;
    }
    if (settings.mouseSens < 1) {
        settings.mouseSens = kDefaultSensitivity;
    }
    const QSize area = show.area();
    show.slideX = randomPosition(area.width() / kPlacementDivisor, services.random.next())
                      .value_or(show.slideX);
    show.slideY = randomPosition(area.height() / kPlacementDivisor, services.random.next())
                      .value_or(show.slideY);
    services.slideIndex = 0;
    services.slideCount =
        StoredList(services.store, keys::kPictures).count().value_or(services.slideCount);
    Load load{show, services, host};
    if (settings.slides == 1) {
        load.slideshowMode();
    } else {
        load.singlePictureMode();
    }
}

}  // namespace luma
