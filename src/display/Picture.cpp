#include "display/Picture.h"

#include "display/GifStructure.h"
#include "display/PictureIntegrity.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace luma {

EncodedBytes::EncodedBytes(QByteArray whole)
    : file_(std::make_shared<const QByteArray>(std::move(whole))), end_(file_->size()) {}

EncodedBytes::EncodedBytes(std::shared_ptr<const QByteArray> file, qsizetype prefixLength,
                           qsizetype begin, qsizetype end)
    : file_(std::move(file)) {
    const qsizetype n = file_ ? file_->size() : 0;
    prefixLength_ = std::clamp<qsizetype>(prefixLength, 0, n);
    begin_ = std::clamp<qsizetype>(begin, 0, n);
    end_ = std::clamp<qsizetype>(end, begin_, n);
}

QByteArray EncodedBytes::assemble() const {
    if (!file_) {
        return {};
    }
    if (prefixLength_ == 0 && begin_ == 0 && end_ == file_->size()) {
        return *file_;  // shared, not copied
    }
    QByteArray out;
    out.reserve(size());
    out.append(file_->constData(), prefixLength_);
    out.append(file_->constData() + begin_, end_ - begin_);
    return out;
}

qsizetype EncodedBytes::size() const {
    return file_ ? prefixLength_ + (end_ - begin_) : 0;
}

Picture::Picture(EncodedBytes bytes, QSize size, QByteArray format,
                 QImageIOHandler::Transformations turn)
    : bytes_(std::move(bytes)), size_(size), format_(std::move(format)), turn_(turn) {}

std::optional<Picture> Picture::fromBytes(QByteArray bytes) {
    if (bytes.isEmpty() || !pictureIsComplete(bytes)) {
        return std::nullopt;
    }
    QSize size;
    if (bytes.startsWith("GIF")) {
        // A GIF loads as its first image: the rest of an animation is not kept. The decoder
        // reports the first image's size but decodes onto the logical screen.
        const GifStructure gif = walkGif(bytes, 1);
        size = gif.canvasSize();
        if (!gif.images.empty() && gif.images.front().end < bytes.size()) {
            bytes.truncate(gif.images.front().end);
            bytes.append(';');
        }
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!size.isValid()) {
        size = reader.size();
    }
    if (!reader.canRead() || !size.isValid() || size.isEmpty()) {
        return std::nullopt;
    }
    const QImageIOHandler::Transformations turn = reader.transformation();
    buffer.close();
    return Picture(EncodedBytes(std::move(bytes)), size, {}, turn);
}

std::optional<Picture> Picture::fromFile(const QString& path) {
    auto bytes = readWholeFile(path, kMaxPictureFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    return fromBytes(std::move(*bytes));
}

std::optional<QByteArray> readWholeFile(const QString& path, qsizetype maxBytes) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > maxBytes) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace luma
