#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace luma {

enum class PlaylistFormat { M3u, M3u8, Pls };

// The playlist format a file name says (".m3u", ".m3u8", ".pls", in any case); nullopt for any
// other file.
std::optional<PlaylistFormat> playlistFormatOf(const QString& path);

// The paths a playlist names, in its order: relative ones resolved against `folder`; blank lines,
// comments ("#" in M3U; anything but "FileN=" in PLS) and URLs other than file: URLs left out.
// M3U8 is UTF-8; M3U and PLS are read as UTF-8 when they are valid UTF-8, else as Latin-1.
QStringList playlistEntries(const QByteArray& bytes, PlaylistFormat format, const QString& folder);

// The entries of the playlist file at `path`; nullopt when it is no playlist or cannot be read.
std::optional<QStringList> readPlaylist(const QString& path);

}  // namespace luma
