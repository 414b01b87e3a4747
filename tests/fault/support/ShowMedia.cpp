#include "support/ShowMedia.h"

#include "support/GifWriter.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <unistd.h>

#include <cstdio>

namespace luma::test {

QString writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        return {};
    }
    return path;
}

QString writeStill(const QString& path, QColor colour, QSize size, const char* format) {
    if (qstrcmp(format, "GIF") == 0) {
        GifFile gif;
        gif.screen = size;
        gif.palette = {colour.rgb(), qRgb(0, 0, 0)};
        gif.images.push_back(solidImage(size, 0, 0));
        return writeBytes(path, gif.encode());
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, format, 95) ? path : QString();
}

QString writeAnimation(const QString& path, const std::vector<QRgb>& colours, QSize size,
                       std::uint16_t delay) {
    return writeBytes(
        path,
        solidAnimation(size, colours, std::vector<std::uint16_t>(colours.size(), delay)).encode());
}

CurrentFolder::CurrentFolder(const QString& folder) : saved_(QDir::currentPath()) {
    QDir::setCurrent(folder);
}

CurrentFolder::~CurrentFolder() {
    QDir::setCurrent(saved_);
}

long residentKib() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) {
        return -1;
    }
    long size = 0;
    long resident = -1;
    const int read = std::fscanf(statm, "%ld %ld", &size, &resident);
    std::fclose(statm);
    if (read != 2) {
        return -1;
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int openDescriptors() {
    const QDir fds(QStringLiteral("/proc/self/fd"));
    if (!fds.exists()) {
        return -1;
    }
    // Less the one that lists the folder.
    return static_cast<int>(
               fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size()) -
           1;
}

}  // namespace luma::test
