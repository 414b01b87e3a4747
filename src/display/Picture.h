#pragma once

#include <QByteArray>
#include <QImageIOHandler>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

namespace luma {

// The encoded bytes of a picture: a whole file, or a GIF frame piece kept as a range of the shared
// file behind the file's opening bytes, so that a split does not copy the file once per frame.
class EncodedBytes {
public:
    EncodedBytes() = default;
    explicit EncodedBytes(QByteArray whole);
    // The stream is `file`[0, prefixLength) followed by `file`[begin, end).
    EncodedBytes(std::shared_ptr<const QByteArray> file, qsizetype prefixLength, qsizetype begin,
                 qsizetype end);

    // The byte stream a decoder reads.
    QByteArray assemble() const;
    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }

private:
    std::shared_ptr<const QByteArray> file_;
    qsizetype prefixLength_ = 0;
    qsizetype begin_ = 0;
    qsizetype end_ = 0;
};

// What a picture holder (currentPicture, a frame holder) keeps: the encoded picture and its size.
// Pixels are decoded when the picture is painted (PictureDecoding.h), so holding pictures costs
// their encoded size only. A default-constructed Picture is the empty picture.
class Picture {
public:
    Picture() = default;
    // `format` names the decoder ("gif"); empty lets the decoder tell from the content. `turn` is
    // how the stored pixels are turned to be shown (a photo's orientation tag); `size` is the
    // size as stored.
    Picture(EncodedBytes bytes, QSize size, QByteArray format = {},
            QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone);

    // A picture file as it is loaded: nullopt when it cannot be read, is cut off, or holds no
    // picture that the decoder knows.
    static std::optional<Picture> fromFile(const QString& path);
    static std::optional<Picture> fromBytes(QByteArray bytes);

    bool isEmpty() const { return bytes_.isEmpty(); }
    // The size as shown: turned by a quarter when the orientation tag says so.
    QSize size() const { return turnsSideways() ? size_.transposed() : size_; }
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    const EncodedBytes& bytes() const { return bytes_; }
    const QByteArray& format() const { return format_; }
    QImageIOHandler::Transformations turn() const { return turn_; }
    bool turnsSideways() const { return turn_.testFlag(QImageIOHandler::TransformationRotate90); }

private:
    EncodedBytes bytes_;
    QSize size_;
    QByteArray format_;
    QImageIOHandler::Transformations turn_ = QImageIOHandler::TransformationNone;
};

// Files above this size are not taken as pictures: they are read whole into memory.
inline constexpr qsizetype kMaxPictureFileBytes = qsizetype{256} * 1024 * 1024;

// The whole content of a regular file; nullopt when it cannot be read or exceeds `maxBytes`.
std::optional<QByteArray> readWholeFile(const QString& path, qsizetype maxBytes);

}  // namespace luma
