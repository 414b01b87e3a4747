#pragma once

#include <QLatin1String>

// The tray window and its menu items by their inherited names (object names tests find them by).
namespace luma::tray_ids {

inline constexpr QLatin1String kTrayWindow("frmpopup");
inline constexpr QLatin1String kMenu("Popup");
inline constexpr QLatin1String kPlayItem("mnuPlaymusic");
inline constexpr QLatin1String kStopItem("mnuStopmusic");
inline constexpr QLatin1String kSlideshowItem("mnuSlideshow");
inline constexpr QLatin1String kRestoreItem("Exit");
inline constexpr QLatin1String kSeparator("mnuspace");
inline constexpr QLatin1String kShutDownItem("mnuEnd");

}  // namespace luma::tray_ids
