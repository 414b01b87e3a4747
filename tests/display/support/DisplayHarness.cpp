#include "support/DisplayHarness.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredList.h"
#include "startup/LoadSettings.h"
#include "startup/StartShow.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QScreen>

#include <cstdlib>

namespace luma::test {

DisplayHarness::DisplayHarness() {
    WindowLog& log = windows;
    h.program.setDisplayFactory([this](Program& p) {
        auto frames = std::make_unique<ImmediateFrameDecoder>();
        decoder = frames.get();
        return std::make_unique<SlideshowWindow>(p, std::nullopt, std::move(frames));
    });
    h.program.setPanelFactory([&log](Program&) { return std::make_unique<RecordingPanel>(log); });
    h.program.setPlayerFactory([&log](Program&) { return std::make_unique<RecordingPlayer>(log); });
}

void DisplayHarness::settings(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [key, value] : values) {
        h.fakes.store->write(keys::kSettings, QString::fromLatin1(key), QString::fromLatin1(value));
    }
    loadSettings(*h.fakes.store, h.program.settings);
}

void DisplayHarness::slides(const QStringList& paths) {
    StoredList(*h.fakes.store, keys::kPictures).rewrite(paths);
}

void DisplayHarness::draws(std::initializer_list<double> values) {
    h.fakes.random->values.insert(h.fakes.random->values.end(), values);
}

QString DisplayHarness::path(const QString& name) const {
    return dir_.filePath(name);
}

QString DisplayHarness::picture(const QString& name, QColor colour, QSize size,
                                const char* format) {
    if (qstrcmp(format, "GIF") == 0) {
        GifFile gif;
        gif.screen = size;
        gif.palette = {colour.rgb(), qRgb(0, 0, 0)};
        gif.literalCodes = true;  // even a small still is over 100 bytes
        gif.images.push_back(solidImage(size, 0, 0));
        return file(name, gif.encode());
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return file(name, encodedImage(image, format));
}

QString DisplayHarness::file(const QString& name, const QByteArray& bytes) {
    QFile out(path(name));
    if (out.open(QIODevice::WriteOnly)) {
        out.write(bytes);
    }
    return out.fileName();
}

SlideshowWindow* DisplayHarness::display() {
    return dynamic_cast<SlideshowWindow*>(h.program.display());
}

SlideshowWindow* DisplayHarness::start() {
    startSlideshow(h.program);
    return loaded();
}

SlideshowWindow* DisplayHarness::loaded() const {
    return dynamic_cast<SlideshowWindow*>(h.program.displayIfLoaded());
}

QColor DisplayHarness::at(int x, int y) const {
    const SlideshowWindow* d = loaded();
    return d != nullptr ? d->canvas().pixelColor(x, y) : QColor();
}

QSize DisplayHarness::screen() const {
    return QGuiApplication::primaryScreen()->geometry().size();
}

QByteArray encodedImage(const QImage& image, const char* format, bool progressive) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

bool sameColour(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool areaIs(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    const QRect inside = area.intersected(image.rect());
    if (inside.isEmpty()) {
        return false;
    }
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (!sameColour(image.pixelColor(x, y), colour, tolerance)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace luma::test
