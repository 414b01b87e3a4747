#pragma once

#include <QLatin1String>

// The slideshow window by its inherited name (the object name tests find it by).
namespace luma::display_ids {

inline constexpr QLatin1String kSlideshowWindow("frmMain");

}  // namespace luma::display_ids
