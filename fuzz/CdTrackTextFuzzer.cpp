// Texts into the CD track text routines (cdTrackNumber, cutAtNul, the track listing over device
// replies) and into the CD time parser of every time format.
#include "FuzzSupport.h"

#include "music/CdTracks.h"
#include "platform/MediaControl.h"
#include "platform/cd/CdTime.h"
#include "platform/mci/ReplyBuffer.h"

#include <cstdlib>

namespace {

using luma::fuzz::textsOf;
using luma::mci::TimeFormat;

// Answers every status command with the fuzzed text, as a device with a broken reply would;
// everything else succeeds without a reply.
class ReplyingControl : public luma::MediaControl {
public:
    explicit ReplyingControl(QString reply) : reply_(std::move(reply)) {}
    int send(const QString& command, QString* reply, int replyLength) override {
        ++sent_;
        if (reply && command.startsWith(QStringLiteral("status"))) {
            luma::mci::writeReply(*reply, replyLength, reply_);
        }
        return 0;
    }
    void closeAll() override {}
    int sent() const { return sent_; }

private:
    QString reply_;
    int sent_ = 0;
};

void checkTrackNumber(const QString& text) {
    if (const auto n = luma::cdTrackNumber(text)) {
        // Two characters hold no number beyond -9 to 99.
        FUZZ_CHECK(*n >= -9 && *n <= 99);
    }
    // Every track text names its own track, whatever its length text holds.
    const int track = 1 + static_cast<int>(text.size() % luma::kMaxCdTracks);
    FUZZ_CHECK(luma::cdTrackNumber(luma::cdTrackText(track, text)) == track);
}

void checkCutAtNull(const QString& text) {
    const QString cut = luma::cutAtNul(text);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    FUZZ_CHECK(nul < 0 ? cut.isEmpty() : cut == text.left(nul));
    FUZZ_CHECK(!cut.contains(QChar(u'\0')));
}

void checkListing(const QString& text) {
    ReplyingControl media(text);
    const luma::CdTrackListing listing = luma::listCdTracks(media);
    FUZZ_CHECK(listing.opened);
    FUZZ_CHECK(listing.tracks.size() <= luma::kMaxCdTracks);
    FUZZ_CHECK(!listing.countText.contains(QChar(u'\0')));
    for (qsizetype i = 0; i < listing.tracks.size(); ++i) {
        FUZZ_CHECK(luma::cdTrackNumber(listing.tracks[i]) == i + 1);
    }
}

void checkTime(TimeFormat format, const QString& text) {
    using namespace luma::cd;
    const auto time = parseTime(format, text);
    if (!time) {
        return;
    }
    FUZZ_CHECK(time->sectors >= 0);
    // Only decimal digits and colons make a time.
    for (QChar c : text.trimmed()) {
        FUZZ_CHECK((c >= u'0' && c <= u'9') || c == u':');
    }
    FUZZ_CHECK(time->track >= 0 && time->track <= 99);
    // The text of a parsed time parses to the same time; milliseconds lose at most a sector.
    switch (format) {
        case TimeFormat::Milliseconds: {
            const auto again = parseTime(format, msText(time->sectors));
            FUZZ_CHECK(again && std::llabs(again->sectors - time->sectors) <= 1);
            break;
        }
        case TimeFormat::Hms:
            FUZZ_CHECK(time->sectors % kSectorsPerSecond == 0);
            FUZZ_CHECK(parseTime(format, hmsText(time->sectors)) == time);
            break;
        case TimeFormat::Msf:
            FUZZ_CHECK(parseTime(format, msfText(time->sectors)) == time);
            break;
        case TimeFormat::Tmsf:
            FUZZ_CHECK(parseTime(format, tmsfText(time->track, time->sectors)) == time);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const QString& text : textsOf(data, size)) {
        checkTrackNumber(text);
        checkCutAtNull(text);
        checkListing(text);
        for (TimeFormat format :
             {TimeFormat::Milliseconds, TimeFormat::Hms, TimeFormat::Msf, TimeFormat::Tmsf}) {
            checkTime(format, text);
        }
        luma::cdDriveCaption(text);
    }
    return 0;
}
