#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

// A property every input must keep. A broken one aborts, so that libFuzzer keeps the input as a
// crash like any sanitizer finding.
#define FUZZ_CHECK(condition) \
    ((condition) ? void(0) : ::luma::fuzz::fail(#condition, __FILE__, __LINE__))

namespace luma::fuzz {

[[noreturn]] void fail(const char* what, const char* file, int line);

// While it lives, what the code under test writes to stderr goes nowhere (its warnings would fill
// the fuzzer's log); sanitizer reports and broken properties still reach the real stderr.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    bool quiet_ = false;
};

// The core application that Qt's file, settings and image classes expect; made on first use and
// kept for the life of the process.
void ensureApplication();

// ensureApplication, and Qt's image readers limited far below the program's limit, so that every
// input decodes quickly.
void prepareDecoding();

QByteArray bytesOf(const std::uint8_t* data, std::size_t size);

// The texts one input stands for: its bytes read as UTF-8, as Latin-1 and as UTF-16 code units
// (which reach lone surrogates and NULs that UTF-8 decoding never yields).
std::vector<QString> textsOf(const std::uint8_t* data, std::size_t size);

// The input cut into lines at '\n'; at most `maxLines`.
std::vector<QByteArray> linesOf(const std::uint8_t* data, std::size_t size, int maxLines);

}  // namespace luma::fuzz
