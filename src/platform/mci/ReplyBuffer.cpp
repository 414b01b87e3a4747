#include "platform/mci/ReplyBuffer.h"

namespace luma::mci {

void writeReply(QString& buffer, int length, const QString& answer) {
    if (length < 1) {
        return;
    }
    if (buffer.size() < length) {
        buffer.append(QString(length - buffer.size(), u' '));
    }
    const qsizetype n = std::min<qsizetype>(answer.size(), length - 1);
    buffer.replace(0, n, answer.left(n));
    buffer[n] = QChar(u'\0');
}

}  // namespace luma::mci
