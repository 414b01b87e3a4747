#pragma once

#include "display/SlideshowWindow.h"
#include "support/FakeServices.h"
#include "support/GifWriter.h"
#include "support/ImmediateFrameDecoder.h"
#include "support/RecordingWindows.h"

#include <QColor>
#include <QTemporaryDir>

#include <initializer_list>
#include <utility>
#include <vector>

namespace luma::test {

inline const QColor kRed(255, 0, 0);
inline const QColor kGreen(0, 255, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
// Red, green, blue and black: the palette of the test animations, frame i in colour i.
inline const std::vector<QRgb> kFrameColours = {kRed.rgb(), kGreen.rgb(), kBlue.rgb(),
                                                kBlack.rgb()};

// A Program over fakes whose display is the real SlideshowWindow (offscreen), with recording panel
// and player windows, a folder for the pictures a test writes, and helpers to seed the store.
class DisplayHarness {
public:
    DisplayHarness();

    WindowLog windows;  // outlives the program: its windows write to it while they go
    ProgramHarness h;
    // The display's frame decoder, which decodes each frame at once.
    ImmediateFrameDecoder* decoder = nullptr;

    Program& program() { return h.program; }
    ManualTimerService& timers() { return *h.fakes.timers; }

    // Writes "Settings" values into the store, then reads the section into memory as start-up
    // does.
    void settings(std::initializer_list<std::pair<const char*, const char*>> values);
    // Stores the slide list.
    void slides(const QStringList& paths);
    // Random numbers the next draws return, in order.
    void draws(std::initializer_list<double> values);

    // A solid picture file in the harness folder; `format` "BMP", "JPG" or "GIF".
    QString picture(const QString& name, QColor colour, QSize size, const char* format = "BMP");
    QString file(const QString& name, const QByteArray& bytes);
    QString path(const QString& name) const;

    // The display, loaded now if it was not; nullptr when it unloaded itself.
    SlideshowWindow* display();
    // What the start-up dispatch does for a show: startSlideshow.
    SlideshowWindow* start();
    SlideshowWindow* loaded() const;

    QColor at(int x, int y) const;
    QSize screen() const;

private:
    QTemporaryDir dir_;
};

// `image` as the bytes of a `format` file ("JPG", "BMP", ...).
QByteArray encodedImage(const QImage& image, const char* format, bool progressive = false);

// Colours equal within `tolerance` per channel (JPEG shifts solid colours slightly).
bool sameColour(QColor a, QColor b, int tolerance = 6);

// Every pixel of `area` on `image` has `colour`.
bool areaIs(const QImage& image, const QRect& area, QColor colour, int tolerance = 6);

}  // namespace luma::test
