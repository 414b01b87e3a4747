#include "panel/ListEntries.h"

#include "music/CdTracks.h"
#include "runtime/Random.h"

#include <algorithm>
#include <array>

namespace luma {

bool hasPictureExtension(const QString& entry) {
    const qsizetype dot = entry.lastIndexOf(u'.');
    if (dot < 0) {
        return false;
    }
    const QStringView extension = QStringView(entry).mid(dot + 1);
    static const std::array<QString, 6> kPictures{QStringLiteral("bmp"), QStringLiteral("BMP"),
                                                  QStringLiteral("jpg"), QStringLiteral("JPG"),
                                                  QStringLiteral("gif"), QStringLiteral("GIF")};
    return std::any_of(kPictures.begin(), kPictures.end(),
                       [&](const QString& e) { return extension == e; });
}

bool hasMusicEnding(const QString& entry) {
    if (entry.size() < 3) {
        return false;
    }
    const QStringView last = QStringView(entry).right(3);
    static const std::array<QString, 8> kEndings{
        QStringLiteral("mp3"), QStringLiteral("MP3"), QStringLiteral("wav"), QStringLiteral("WAV"),
        QStringLiteral("mid"), QStringLiteral("MID"), QStringLiteral(" cd"), QStringLiteral(" CD")};
    return std::any_of(kEndings.begin(), kEndings.end(),
                       [&](const QString& e) { return last == e; });
}

QStringList pictureEntries(const QStringList& entries) {
    QStringList kept;
    kept.reserve(entries.size());
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(kept), hasPictureExtension);
    return kept;
}

QStringList musicEntries(const QStringList& entries) {
    QStringList kept;
    kept.reserve(entries.size());
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(kept), hasMusicEnding);
    return kept;
}

QStringList shuffledEvenly(QStringList entries, Random& random) {
    // Draws the next entry from those still left, each with the same chance: a Fisher-Yates shuffle
    // that builds the result from the front.
    for (qsizetype placed = 0; placed + 1 < entries.size(); ++placed) {
        random.reseedFromClock();
        const qsizetype rest = entries.size() - placed;
        auto k = static_cast<qsizetype>(static_cast<double>(rest) * random.next());
        k = std::clamp<qsizetype>(k, 0, rest - 1);
        entries.swapItemsAt(placed, placed + k);
    }
    return entries;
}

QStringList refreshedCdEntries(const QStringList& playlist, const QStringList& tracks) {
    QStringList refreshed = playlist;
    for (QString& entry : refreshed) {
        if (!entry.startsWith(QStringLiteral("CD"))) {
            continue;
        }
        const std::optional<int> n = cdTrackNumber(entry);
        if (n && *n >= 1 && *n <= tracks.size()) {
            entry = tracks[*n - 1];
        }
    }
    return refreshed;
}

}  // namespace luma
