#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QImageReader>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Where sanitizer reports go; there only in a build with a sanitizer runtime.
extern "C" __attribute__((weak)) void __sanitizer_set_report_fd(void* fd);

namespace luma::fuzz {

namespace {

// The process's stderr as it was at the start, for reports while a QuietStderr lives.
int originalStderr() {
    static const int fd = [] {
        const int copy = ::dup(STDERR_FILENO);
        if (copy >= 0 && __sanitizer_set_report_fd != nullptr) {
            __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(copy)));
        }
        return copy;
    }();
    return fd;
}

}  // namespace

void fail(const char* what, const char* file, int line) {
    char message[1024];
    const int n =
        std::snprintf(message, sizeof message, "%s:%d: property broken: %s\n", file, line, what);
    const int fd = originalStderr() >= 0 ? originalStderr() : STDERR_FILENO;
    if (n > 0 && ::write(fd, message, std::min<std::size_t>(n, sizeof message - 1)) < 0) {
        std::abort();
    }
    std::abort();
}

QuietStderr::QuietStderr() {
    originalStderr();
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
        quiet_ = ::dup2(null, STDERR_FILENO) >= 0;
        ::close(null);
    }
}

QuietStderr::~QuietStderr() {
    if (quiet_) {
        std::fflush(stderr);
        ::dup2(originalStderr(), STDERR_FILENO);
    }
}

void ensureApplication() {
    if (QCoreApplication::instance()) {
        return;
    }
    static int argc = 1;
    static char name[] = "lumafolio-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

void prepareDecoding() {
    ensureApplication();
    QImageReader::setAllocationLimit(16);  // megabytes
}

QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

std::vector<QString> textsOf(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = bytesOf(data, size);
    std::vector<QString> texts{QString::fromUtf8(bytes), QString::fromLatin1(bytes)};
    QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), bytes.constData(), static_cast<std::size_t>(units.size()) * 2);
    texts.push_back(units);
    return texts;
}

std::vector<QByteArray> linesOf(const std::uint8_t* data, std::size_t size, int maxLines) {
    std::vector<QByteArray> lines;
    for (const QByteArray& line : bytesOf(data, size).split('\n')) {
        if (static_cast<int>(lines.size()) >= maxLines) {
            break;
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace luma::fuzz
