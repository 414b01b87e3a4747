#pragma once

#include "display/SlideshowWindow.h"
#include "support/ShowMedia.h"
#include "support/ShowRig.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace luma::test {

// Colours alike within `tolerance` per channel (JPEG shifts solid colours a little).
inline bool near(QColor a, QColor b, int tolerance = 8) {
    return a.isValid() && b.isValid() && std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// A test over a ShowRig in a folder of its own, where the test writes its pictures and music.
class ShowFixture : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    ShowRig& makeRig(const ShowRig::Options& options = {}) {
        rig = std::make_unique<ShowRig>(dir.path(), options);
        return *rig;
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The one slide colour that the display shows anywhere, by letter: red, green, blue, cyan,
    // magenta or yellow as "RGBCMY"; '?' when it shows none of them, '*' when more than one.
    char shown() const {
        const SlideshowWindow* display = rig->display();
        if (display == nullptr || display->canvas().isNull()) {
            return '?';
        }
        const QImage& canvas = display->canvas();
        const std::pair<char, QColor> known[] = {
            {'R', Qt::red},  {'G', Qt::green},   {'B', Qt::blue},
            {'C', Qt::cyan}, {'M', Qt::magenta}, {'Y', Qt::yellow},
        };
        char found = '?';
        for (int y = 0; y < canvas.height(); y += 4) {
            for (int x = 0; x < canvas.width(); x += 4) {
                const QColor c = canvas.pixelColor(x, y);
                for (const auto& [letter, colour] : known) {
                    if (near(c, colour) && letter != found) {
                        if (found != '?') {
                            return '*';
                        }
                        found = letter;
                    }
                }
            }
        }
        return found;
    }

    // Two small stills, so that a show runs beside the music.
    QStringList twoSlides() const {
        return {writeStill(path(QStringLiteral("red.bmp")), Qt::red, {64, 48}, "BMP"),
                writeStill(path(QStringLiteral("blue.bmp")), Qt::blue, {64, 48}, "BMP")};
    }

    // A show of two slides a second each, stretched, with `playlist` as its music and the chime
    // at each slide when `chime` is set; started.
    void showWithMusic(const QStringList& playlist, bool chime = false) {
        rig->settings(
            {{QStringLiteral("Slides"), QStringLiteral("1")},
             {QStringLiteral("delay"), QStringLiteral("1")},
             {QStringLiteral("screensize"), QStringLiteral("1")},
             {QStringLiteral("Bsound"), QStringLiteral("1")},
             {QStringLiteral("Asound"), chime ? QStringLiteral("1") : QStringLiteral("0")},
             {QStringLiteral("Mousesens"), QStringLiteral("15")}});
        rig->slides(twoSlides());
        rig->playlist(playlist);
        rig->start();
    }

    // Runs the show a second at a time until `done` holds, for at most `seconds`.
    bool runUntil(const std::function<bool()>& done, int seconds) {
        for (int s = 0; s < seconds && !done(); ++s) {
            rig->run(1000);
        }
        return done();
    }

    QTemporaryDir dir;
    std::unique_ptr<ShowRig> rig;
};

}  // namespace luma::test
