#include "music/CdTracks.h"

#include "platform/MediaControl.h"
#include "runtime/Numbers.h"

#include <algorithm>

namespace luma {

QString cdTrackText(int track, const QString& length) {
    return QStringLiteral("CD Track [") + QStringLiteral("%1").arg(track, 2) +
           QStringLiteral(" ] ") + length + QStringLiteral(" CD");
}

std::optional<int> cdTrackNumber(const QString& text) {
    const qsizetype bracket = text.indexOf(u'[');
    const QString digits = text.mid(bracket + 1, 2);  // bracket == -1 takes the first two
    if (const auto n = toInt16(digits)) {
        return *n;
    }
    return std::nullopt;
}

QString cutAtNul(const QString& reply) {
    const qsizetype nul = reply.indexOf(QChar(u'\0'));
    return nul < 0 ? QString() : reply.left(nul);
}

QString cdDriveCaption(const QString& root) {
    const bool driveLetter = root.size() >= 2 && root.size() <= 3 && root[0].isLetter() &&
                             root[1] == u':' && (root.size() == 2 || root[2] == u'\\');
    return driveLetter ? root.toUpper() : root;
}

CdTrackListing listCdTracks(MediaControl& media) {
    CdTrackListing listing;
    media.send(QStringLiteral("stop cd"));
    media.send(QStringLiteral("close cd"));
    if (media.send(QStringLiteral("open cdaudio alias cd")) != 0) {
        return listing;
    }
    listing.opened = true;
    QString reply(64, u' ');
    media.send(QStringLiteral("status cd number of tracks"), &reply, 64);
    listing.countText = cutAtNul(reply);
    const double counted = numericValue(listing.countText);
    const int n = counted < 1 ? 0 : static_cast<int>(std::min<double>(counted, kMaxCdTracks));
    media.send(QStringLiteral("set cd time format hms"));
    for (int i = 1; i <= n; ++i) {
        reply = QString(64, u' ');
        media.send(QStringLiteral("status cd length track %1").arg(i), &reply, 64);
        listing.tracks.append(cdTrackText(i, cutAtNul(reply)));
    }
    media.send(QStringLiteral("close cd"));
    return listing;
}

}  // namespace luma
