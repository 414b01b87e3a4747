#pragma once

#include <QLatin1String>

// The control panel's controls by their inherited names: stable object names that tests and
// accessibility tools find the controls by. The code names each control by its role.
namespace luma::panel_ids {

inline constexpr QLatin1String kPanel("frmSetup2");
inline constexpr QLatin1String kTabs("SSTab1");
inline constexpr QLatin1String kTestButton("Command17");
inline constexpr QLatin1String kSaveAndCloseButton("Command1");
inline constexpr QLatin1String kJustCloseButton("Command6");
inline constexpr QLatin1String kShutDownButton("Comrtt2");

// "Slides"
inline constexpr QLatin1String kFileBox("txFile");
inline constexpr QLatin1String kBrowsePicturesButton("Command5");
inline constexpr QLatin1String kAddPictureButton("Command9");
inline constexpr QLatin1String kAddPictureFolderButton("AddPictureFolder");
inline constexpr QLatin1String kSlideList("List1");
inline constexpr QLatin1String kPreview("Picture4");
inline constexpr QLatin1String kRemoveSlideButton("Command16");
inline constexpr QLatin1String kRandomizeButton("Command18");

// "Sound"
inline constexpr QLatin1String kTrackList("List3");
inline constexpr QLatin1String kTrackCount("Label3");
inline constexpr QLatin1String kTracksCaption("Label20");
inline constexpr QLatin1String kUpdateCaption("Label23");
inline constexpr QLatin1String kDriveButton("CD");
inline constexpr QLatin1String kDriveLabel("Label4");
inline constexpr QLatin1String kHiddenDriveLabel("Label15");
inline constexpr QLatin1String kLoadTracksButton("Command29");
inline constexpr QLatin1String kMusicFileBox("txtMusic");
inline constexpr QLatin1String kBrowseMusicButton("Command27");
inline constexpr QLatin1String kAddSelectionButton("Command28");
inline constexpr QLatin1String kAddMusicFolderButton("AddMusicFolder");
inline constexpr QLatin1String kAddAllTracksButton("Command3");
inline constexpr QLatin1String kPlaylist("List4");
inline constexpr QLatin1String kPlayButton("Command32");
inline constexpr QLatin1String kStopButton("Command35");
inline constexpr QLatin1String kRemoveEntryButton("Command36");
inline constexpr QLatin1String kLoadListButton("Command31");

// "Preferences"
inline constexpr QLatin1String kSlideshowBox("Check10");
inline constexpr QLatin1String kRandomOrderBox("Check11");
inline constexpr QLatin1String kAnimateBox("Check4");
inline constexpr QLatin1String kStretchBox("Check6");
inline constexpr QLatin1String kSizeBox("Text6");
inline constexpr QLatin1String kDelayBox("Text2");
inline constexpr QLatin1String kBackgroundMusicBox("Check8");
inline constexpr QLatin1String kChimeBox("Check7");
inline constexpr QLatin1String kRandomPlayBox("Check9");
inline constexpr QLatin1String kMusicOnlyBox("Check5");
inline constexpr QLatin1String kPlayNowBox("Check12");
inline constexpr QLatin1String kAutoStartBox("Check2");
inline constexpr QLatin1String kSensitivityBox("Sensit");
inline constexpr QLatin1String kIdleBox("IdleBox");
inline constexpr QLatin1String kIdleMinutesBox("IdleMinutesBox");
inline constexpr QLatin1String kAllowLockBox("AllowLockBox");
inline constexpr QLatin1String kEveryMonitorBox("EveryMonitorBox");
inline constexpr QLatin1String kFadeBox("FadeBox");
inline constexpr QLatin1String kRedBar("HScroll1");
inline constexpr QLatin1String kGreenBar("HScroll2");
inline constexpr QLatin1String kBlueBar("HScroll3");
inline constexpr QLatin1String kColourSwatch("Picturev");
inline constexpr QLatin1String kSaveSettingsButton("Command19");

// "Help" and "About/Admin"
inline constexpr QLatin1String kHelpSheet("Label6");
inline constexpr QLatin1String kHelpText("Label16");  // the heading and the four steps
inline constexpr QLatin1String kSupportLink("Label17");
inline constexpr QLatin1String kPictureSiteCaption("Label13");
inline constexpr QLatin1String kPictureSiteLink("Label14");
inline constexpr QLatin1String kMakerCaption("Label12");
inline constexpr QLatin1String kMakerLink("Label9");
inline constexpr QLatin1String kSupportAddressCaption("Label29");
inline constexpr QLatin1String kSupportAddressLink("Label28");
inline constexpr QLatin1String kLinkUnderline("Line1");

}  // namespace luma::panel_ids
