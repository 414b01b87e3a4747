#pragma once

#include <QString>

namespace luma::mci {

// Writes `answer` into a caller's reply buffer of `length` characters: the buffer is padded with
// blanks to `length`, the answer (cut to length - 1 characters) goes in from the first character
// and a NUL follows it; the rest keeps what it held. Nothing happens when `length` is below 1.
void writeReply(QString& buffer, int length, const QString& answer);

}  // namespace luma::mci
