#pragma once

#include <QString>

namespace luma {

// What a playlist entry is, by the last three characters of its text (trailing blanks removed),
// all lower or all upper case: "wav", "mid", "mp3", " cd". Anything else plays nothing.
enum class EntryKind { None, Wave, Midi, Mp3, CdTrack };

EntryKind entryKind(const QString& entry);

// True when `text`, surrounding blanks removed, ends in "MP3" or "mp3".
bool endsInMp3(const QString& text);

}  // namespace luma
