#pragma once

#include <QString>

namespace luma {

class MediaControl;
class Mp3Player;
class Program;

// The routines that open, play, stop and close the sound devices under their fixed aliases: "sound"
// (wave audio), "midi" (sequencer) and "cd" (CD audio). MP3 files play through the one media
// player. None of them reports anything; see each for the results it looks at.
//
// Each comes in two forms: over the devices themselves, and over the program, whose media player
// lives on the background player window (loaded for it on first use).

// Stops and closes the wave and MIDI devices, stops the CD device (which stays open) and stops the
// media player.
void stopAllDevices(MediaControl& media, Mp3Player& mp3);
void stopAllDevices(Program& program);

// Opens `path` as "sound" and plays it only when the open succeeded. True when it plays.
bool playWaveFile(MediaControl& media, const QString& path);
bool playWaveFile(Program& program, const QString& path);

// Opens `path` as "midi" and plays it only when the open succeeded. True when it plays.
bool playMidiFile(MediaControl& media, const QString& path);
bool playMidiFile(Program& program, const QString& path);

// Gives `path` to the media player, unchanged, and starts it.
void playMp3File(Mp3Player& mp3, const QString& path);
void playMp3File(Program& program, const QString& path);

// Plays the CD track named by a CD track text, up to the start of the next track; the play
// command's reply goes into `cdReply`. True when the play command succeeded.
bool playCdTrack(MediaControl& media, QString& cdReply, const QString& item);
bool playCdTrack(Program& program, const QString& item);

// Opens the drive in use as "cd" in the time format tmsf.
void openCdDrive(Program& program);

// Rings the announce chime "chimes.wav" of the current folder over whatever plays.
void playChime(Program& program);

// The "sound" commands take a reply buffer of this many characters.
inline constexpr int kReplyLength = 128;
inline constexpr int kCdReplyLength = 255;

}  // namespace luma
