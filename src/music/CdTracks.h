#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace luma {

class MediaControl;

// The text of a CD track in lists and playlists: "CD Track [", the number right-aligned in two
// characters, " ] ", the length text, " CD". Track 7 of 3:25 gives "CD Track [ 7 ] 00:03:25 CD".
QString cdTrackText(int track, const QString& length);

// The track number held in the two characters after the first "[" of `text` (the first two
// characters when there is no "["); std::nullopt when they are not a number.
std::optional<int> cdTrackNumber(const QString& text);

// The text before the first NUL of a device reply; empty when the reply holds no NUL.
QString cutAtNul(const QString& reply);

// The tracks of the disc in the system's default CD device, as the track listing finds them: the
// alias "cd" is stopped and closed, the default device opened, counted and listed in time format
// hms, and closed again.
struct CdTrackListing {
    bool opened = false;  // the default device could be opened
    QString countText;    // the number-of-tracks reply, cut at its NUL
    QStringList tracks;   // track i at index i - 1
};
CdTrackListing listCdTracks(MediaControl& media);

// A drive root as its button shows it: drive-letter roots ("d:\\") upper-cased, device paths and
// image files unchanged.
QString cdDriveCaption(const QString& root);

// A disc has at most 99 tracks; a larger count from a device is not believed.
inline constexpr int kMaxCdTracks = 99;

}  // namespace luma
