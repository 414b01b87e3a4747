#pragma once

#include <QString>

// The one place that names the store's sections and keys.
namespace luma::keys {

inline const QString kSettings = QStringLiteral("Settings");
inline const QString kPictures = QStringLiteral("pictures");
inline const QString kMusic = QStringLiteral("music");

// "Settings"
inline const QString kSlides = QStringLiteral("Slides");
inline const QString kRandomOrder = QStringLiteral("Random order");
inline const QString kAnimate = QStringLiteral("animate");
inline const QString kScreenSize = QStringLiteral("screensize");
inline const QString kSlideSize = QStringLiteral("Slidesize");
inline const QString kDelay = QStringLiteral("delay");
inline const QString kBsound = QStringLiteral("Bsound");
inline const QString kRandomPlay = QStringLiteral("Randomplay");
inline const QString kAsound = QStringLiteral("Asound");
inline const QString kMusicOnly = QStringLiteral("MusicOnly");
inline const QString kMusicNow = QStringLiteral("MusicNow");
inline const QString kAutoStartup = QStringLiteral("AutoStartup");
inline const QString kMouseSens = QStringLiteral("Mousesens");
inline const QString kBackColors = QStringLiteral("BackColors");
inline const QString kAniFile = QStringLiteral("AniFile");
inline const QString kIdleMinutes = QStringLiteral("IdleMinutes");
inline const QString kAllowLock = QStringLiteral("AllowLock");
inline const QString kEveryMonitor = QStringLiteral("EveryMonitor");
inline const QString kFade = QStringLiteral("Fade");

// "pictures" and "music"
inline const QString kHowMany = QStringLiteral("HowMany");

}  // namespace luma::keys
