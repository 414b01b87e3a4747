#pragma once

#include <QLatin1String>

// The background player's parts by their inherited names (object names tests find them by).
namespace luma::player_ids {

inline constexpr QLatin1String kPlayer("frmPlayer");
inline constexpr QLatin1String kTrackList("List3");
inline constexpr QLatin1String kPlaylist("List4");
inline constexpr QLatin1String kDriveButton("CD");

}  // namespace luma::player_ids
