#pragma once

#include <QColor>
#include <QRgb>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

namespace luma::test {

// A solid still picture; `format` "BMP", "JPG" or "GIF". Returns the path, empty on failure.
QString writeStill(const QString& path, QColor colour, QSize size, const char* format);

// An animated GIF of full-size solid frames, frame i in colours[i], each shown `delay` hundredths
// of a second. Returns the path, empty on failure.
QString writeAnimation(const QString& path, const std::vector<QRgb>& colours, QSize size,
                       std::uint16_t delay);

// Writes `bytes` as the whole file. Returns the path, empty on failure.
QString writeBytes(const QString& path, const QByteArray& bytes);

// Makes `folder` the current one for its life, as the program makes its own folder current: the
// chime "chimes.wav" is looked up there.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    QString saved_;
};

// Resident memory of this process in KiB, from /proc/self/statm; -1 when it cannot be read.
long residentKib();
// The open file descriptors of this process, from /proc/self/fd; -1 when it cannot be read.
int openDescriptors();

}  // namespace luma::test
