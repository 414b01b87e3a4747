#pragma once

#include <QString>

namespace luma {

// Device commands by text ("open waveaudio!C:\a.wav alias sound", "play sound", "status cd
// position", ...). Returns 0 on success and an error number otherwise. When `reply` is given and
// `replyLength` > 0, the reply is written into *reply from its first character, cut to
// replyLength - 1 characters and followed by a NUL; *reply is first padded with blanks to
// replyLength. The rest of the buffer keeps what it held.
class MediaControl {
public:
    virtual ~MediaControl() = default;
    virtual int send(const QString& command, QString* reply = nullptr, int replyLength = 0) = 0;
    // Closes every open device and the audio output; run before the program ends.
    virtual void closeAll() = 0;
};

}  // namespace luma
