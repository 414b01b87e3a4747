#pragma once

#include "platform/mci/MciDevice.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace luma::cd {

// A CD frame ("sector") lasts 1/75 s: 2352 bytes, 588 stereo frames of 16-bit audio at 44.1 kHz.
inline constexpr int kSectorsPerSecond = 75;
inline constexpr int kFramesPerSector = 588;
inline constexpr int kSectorBytes = 2352;
// Absolute times (msf, hms, ms) are disc addresses: sector 0 lies at 00:02:00, after the two
// seconds of lead-in every disc starts with.
inline constexpr int kAddressOffset = 150;

// Texts of a number of sectors; seconds and milliseconds are truncated, never rounded up.
QString msfText(std::int64_t sectors);                       // "mm:ss:ff"
QString hmsText(std::int64_t sectors);                       // "hh:mm:ss"
QString msText(std::int64_t sectors);                        // "12345"
QString tmsfText(int track, std::int64_t sectorsIntoTrack);  // "tt:mm:ss:ff"

// A time as a command gives it: in tmsf a track number and a span into that track, otherwise an
// address (track 0). Leading fields may stand alone: "7" in tmsf is track 7, "3" in msf minute 3.
struct TimeValue {
    int track = 0;
    std::int64_t sectors = 0;
    bool operator==(const TimeValue&) const = default;
};

// nullopt when the text is not a time of that format: not digits, a field out of range (seconds
// from 60, frames from 75, tracks above 99), or too many fields.
std::optional<TimeValue> parseTime(mci::TimeFormat format, const QString& text);

// "milliseconds", "hms", "msf", "tmsf".
QString timeFormatName(mci::TimeFormat format);

}  // namespace luma::cd
