#pragma once

#include "display/SlideshowWindow.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/LoadSettings.h"
#include "startup/StartShow.h"
#include "support/FakeServices.h"
#include "support/GifWriter.h"
#include "support/ImmediateFrameDecoder.h"
#include "support/ImmediateSlideReader.h"
#include "support/RecordingWindows.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace luma::test {

// Red, green, blue and black: the palette of the test animations, frame i in colour i.
inline const std::vector<QRgb> kFrameColours = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                                qRgb(0, 0, 0)};

inline QByteArray encodedImage(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// Where red, green and blue show on `image`, JPEG's small shifts allowed: the box around the
// pixels of each, as "R 1,1 40x30, G" (a letter alone: the whole image). Black and white are
// backgrounds and left out.
inline QString scene(const QImage& canvas) {
    const QImage image = canvas.convertToFormat(QImage::Format_RGB32);
    QStringList parts;
    for (int k = 0; k < 3; ++k) {
        QRect b;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int off = std::abs(qRed(line[x]) - qRed(kFrameColours[k])) +
                                std::abs(qGreen(line[x]) - qGreen(kFrameColours[k])) +
                                std::abs(qBlue(line[x]) - qBlue(kFrameColours[k]));
                b |= off <= 24 ? QRect(x, y, 1, 1) : QRect();
            }
        }
        const QString box = QString::asprintf(" %d,%d %dx%d", b.x(), b.y(), b.width(), b.height());
        parts.append(b.isEmpty()
                         ? QString()
                         : QStringLiteral("RGB").mid(k, 1) + (b == image.rect() ? "" : box));
    }
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", "));
}

// A Program over fakes whose display is the real SlideshowWindow (offscreen, 800 x 800 beside a
// second monitor) with frame decoders that decode at once, recording panel and player windows, and
// a folder for the test's pictures.
struct DisplayHarness {
    WindowLog windows;  // outlives the program: its windows write to it while they go
    ProgramHarness h;
    ImmediateFrameDecoder* decoder = nullptr;
    ImmediateSlideReader* reader = nullptr;
    bool holdReads = false;  // the reads of the next display wait for reader->release()
    QTemporaryDir dir;

    DisplayHarness() {
        h.program.setDisplayFactory([this](Program& p) {
            decoder = nullptr;
            auto slides = std::make_unique<ImmediateSlideReader>();
            reader = slides.get();
            reader->holding = holdReads;
            return std::make_unique<SlideshowWindow>(
                p, std::nullopt,
                [this] {
                    auto frames = std::make_unique<ImmediateFrameDecoder>();
                    decoder = decoder ? decoder : frames.get();  // the first monitor's
                    return frames;
                },
                std::move(slides));
        });
        h.program.setPanelFactory(
            [this](Program&) { return std::make_unique<RecordingPanel>(windows); });
        h.program.setPlayerFactory(
            [this](Program&) { return std::make_unique<RecordingPlayer>(windows); });
    }
    Program& program() { return h.program; }
    ManualTimerService& timers() { return *h.fakes.timers; }
    SlideshowWindow* display() { return dynamic_cast<SlideshowWindow*>(h.program.display()); }
    SlideshowWindow* loaded() {
        return dynamic_cast<SlideshowWindow*>(h.program.displayIfLoaded());
    }
    // What the start-up dispatch does for a show.
    SlideshowWindow* start() {
        startSlideshow(h.program);
        return loaded();
    }
    QString scene() { return loaded() ? luma::test::scene(loaded()->canvas()) : "no display"; }

    // Writes "Settings" values, "key=value;..." ("AniFile" made by make()), then
    // reads the section as start-up does. The second monitor shows slides only when asked.
    void settings(const QString& values) {
        for (const QString& pair : ("EveryMonitor=0;" + values).split(u';')) {
            const QString key = pair.section(u'=', 0, 0);
            const QString value =
                key == "AniFile" ? make(pair.section(u'=', 1)) : pair.section(u'=', 1);
            h.fakes.store->write(keys::kSettings, key, value);
        }
        loadSettings(*h.fakes.store, h.program.settings);
    }
    // The slide list, its files made by make() from the names between blanks.
    void slides(const QString& names) {
        QStringList paths;
        for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
            paths.append(make(name));
        }
        StoredList(*h.fakes.store, keys::kPictures).rewrite(paths);
    }
    // Random numbers the next draws return, in order.
    void draws(const std::vector<double>& values) {
        h.fakes.random->values.insert(h.fakes.random->values.end(), values.begin(), values.end());
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString file(const QString& name, const QByteArray& bytes) {
        QFile out(path(name));
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() ? out.fileName()
                                                                                  : QString();
    }

    // A file made after its `name`: "R40x30.bmp" a red 40 x 30 still (R, G or B; .bmp, .jpg or
    // .gif), "H40x30.bmp" red on its left half and blue on its right, "S40x30.bmp" red and blue
    // columns one pixel wide, "A3.gif" three 30 x 20 frames
    // of 100 ms in red, green and blue ("A3x100.gif": of 1, 2 and 3 s), "Z30000x30000.gif" three
    // small frames on that logical screen, "X.gif" a GIF cut in half (whatever its name); another
    // name is a missing file. A name without a dot stays as it is, "-" is the empty path.
    QString make(const QString& name) {
        static const QRegularExpression form(
            QStringLiteral("^([RGBHSAXZ])(\\d*)x?(\\d*)\\.(\\w+)$"));
        const QRegularExpressionMatch m = form.match(name);
        if (!m.hasMatch()) {
            return name == "-" ? QString() : name.contains(u'.') ? path(name) : name;
        }
        const char kind = m.captured(1).at(0).toLatin1();
        const QSize size(m.captured(2).toInt(), m.captured(3).toInt());
        const QRgb colour = kFrameColours[kind == 'G' ? 1 : kind == 'B' ? 2 : 0];
        QByteArray bytes;
        if (kind == 'A') {
            std::vector<std::uint16_t> delays(size.width(), 10);
            for (int i = 0; size.height() > 0 && i < size.width(); ++i) {
                delays[i] = static_cast<std::uint16_t>(size.height() * (i + 1));
            }
            bytes = solidAnimation({30, 20}, kFrameColours, delays).encode();
        } else if (QStringLiteral("XZ").contains(QChar(kind)) || m.captured(4) == "gif") {
            GifFile gif = solidAnimation(size.isEmpty() ? QSize(100, 100) : size, {colour, 0}, {});
            gif.literalCodes = true;  // even a small still is over 100 bytes
            gif.images = {solidImage(kind == 'Z' ? QSize(4, 4) : gif.screen, 0, 10)};
            gif.images.resize(kind == 'Z' ? 3 : 1, gif.images.front());
            bytes = gif.encode();
            bytes.truncate(kind == 'X' ? bytes.size() / 2 : bytes.size());
        } else {
            QImage image(size, QImage::Format_RGB32);
            image.fill(colour);
            const bool stripes = kind == 'S';
            const int first = stripes ? 1 : kind == 'H' ? size.width() / 2 : size.width();
            QPainter painter(&image);
            for (int x = first; x < size.width(); x += stripes ? 2 : size.width()) {
                painter.fillRect(x, 0, stripes ? 1 : size.width(), size.height(), Qt::blue);
            }
            painter.end();
            bytes = encodedImage(image, m.captured(4) == "jpg" ? "JPG" : "BMP");
        }
        return file(name, bytes);
    }
};

}  // namespace luma::test
