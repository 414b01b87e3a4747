#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace luma::mci {

enum class TimeFormat { Milliseconds, Hms, Msf, Tmsf };

// One open device under an alias. Positions in `from`, `to` and `seek` are texts in the device's
// current time format (seek's may also be "start" or "end", in lower case); replies are texts in
// that format. Each call returns 0 or an Error.
class Device {
public:
    virtual ~Device() = default;
    virtual int play(const std::optional<QString>& from, const std::optional<QString>& to) = 0;
    virtual int stop() = 0;
    virtual int seek(const QString& to) = 0;
    virtual int setTimeFormat(TimeFormat format) = 0;
    // `item` is the status item as sent, in lower case with single blanks: "length", "position",
    // "mode", "media present", "number of tracks", "length track 3".
    virtual int status(const QString& item, QString& reply) = 0;
};

// Opens devices of one type ("waveaudio", "sequencer", "cdaudio"). `element` is the file or drive
// named in the open command; empty for the type's default device.
class DeviceType {
public:
    virtual ~DeviceType() = default;
    virtual std::unique_ptr<Device> open(const QString& element, int& error) = 0;
};

}  // namespace luma::mci
