#include "platform/cd/CdTime.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace luma::cd {

namespace {

QString twoDigits(std::int64_t value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

struct Msf {
    std::int64_t minutes;
    std::int64_t seconds;
    std::int64_t frames;
};

Msf splitMsf(std::int64_t sectors) {
    sectors = std::max<std::int64_t>(sectors, 0);
    const std::int64_t wholeSeconds = sectors / kSectorsPerSecond;
    return {wholeSeconds / 60, wholeSeconds % 60, sectors % kSectorsPerSecond};
}

// Splits "a:b:c" into at most `maxFields` decimal fields; nullopt on anything else.
std::optional<std::vector<std::int64_t>> fields(const QString& text, int maxFields) {
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() > maxFields) {
        return std::nullopt;
    }
    std::vector<std::int64_t> out;
    for (const QString& part : parts) {
        // Nine digits keep every product below in range. Only ASCII digits: QChar::isDigit()
        // also takes other scripts' digits, which toLongLong() does not convert.
        if (part.isEmpty() || part.size() > 9 ||
            !std::all_of(part.begin(), part.end(),
                         [](QChar c) { return c >= u'0' && c <= u'9'; })) {
            return std::nullopt;
        }
        out.push_back(part.toLongLong());
    }
    return out;
}

std::int64_t field(const std::vector<std::int64_t>& values, std::size_t i) {
    return i < values.size() ? values[i] : 0;
}

}  // namespace

QString msfText(std::int64_t sectors) {
    const Msf t = splitMsf(sectors);
    return twoDigits(t.minutes) + u':' + twoDigits(t.seconds) + u':' + twoDigits(t.frames);
}

QString hmsText(std::int64_t sectors) {
    const std::int64_t seconds = std::max<std::int64_t>(sectors, 0) / kSectorsPerSecond;
    return twoDigits(seconds / 3600) + u':' + twoDigits(seconds / 60 % 60) + u':' +
           twoDigits(seconds % 60);
}

QString msText(std::int64_t sectors) {
    return QString::number(std::max<std::int64_t>(sectors, 0) * 1000 / kSectorsPerSecond);
}

QString tmsfText(int track, std::int64_t sectorsIntoTrack) {
    return twoDigits(track) + u':' + msfText(sectorsIntoTrack);
}

std::optional<TimeValue> parseTime(mci::TimeFormat format, const QString& text) {
    constexpr std::int64_t kMinute = 60 * kSectorsPerSecond;
    switch (format) {
        case mci::TimeFormat::Milliseconds: {
            const auto v = fields(text, 1);
            if (!v) {
                return std::nullopt;
            }
            return TimeValue{0, (*v)[0] * kSectorsPerSecond / 1000};
        }
        case mci::TimeFormat::Hms: {
            const auto v = fields(text, 3);
            if (!v || field(*v, 1) >= 60 || field(*v, 2) >= 60) {
                return std::nullopt;
            }
            return TimeValue{0, field(*v, 0) * 60 * kMinute + field(*v, 1) * kMinute +
                                    field(*v, 2) * kSectorsPerSecond};
        }
        case mci::TimeFormat::Msf: {
            const auto v = fields(text, 3);
            if (!v || field(*v, 1) >= 60 || field(*v, 2) >= kSectorsPerSecond) {
                return std::nullopt;
            }
            return TimeValue{
                0, field(*v, 0) * kMinute + field(*v, 1) * kSectorsPerSecond + field(*v, 2)};
        }
        case mci::TimeFormat::Tmsf: {
            const auto v = fields(text, 4);
            if (!v || field(*v, 0) > 99 || field(*v, 2) >= 60 ||
                field(*v, 3) >= kSectorsPerSecond) {
                return std::nullopt;
            }
            return TimeValue{
                static_cast<int>(field(*v, 0)),
                field(*v, 1) * kMinute + field(*v, 2) * kSectorsPerSecond + field(*v, 3)};
        }
    }
    return std::nullopt;
}

QString timeFormatName(mci::TimeFormat format) {
    switch (format) {
        case mci::TimeFormat::Milliseconds:
            return QStringLiteral("milliseconds");
        case mci::TimeFormat::Hms:
            return QStringLiteral("hms");
        case mci::TimeFormat::Msf:
            return QStringLiteral("msf");
        case mci::TimeFormat::Tmsf:
            return QStringLiteral("tmsf");
    }
    return {};
}

}  // namespace luma::cd
