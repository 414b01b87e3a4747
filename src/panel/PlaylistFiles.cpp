#include "panel/PlaylistFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>

#include <algorithm>
#include <map>

namespace luma {
namespace {

// Playlist files larger than this are no playlists anyone made by hand or by a player.
constexpr qint64 kMaxPlaylistBytes = 16 * 1024 * 1024;

QString decoded(const QByteArray& bytes, PlaylistFormat format) {
    // Stateless: a sequence cut off at the end is an error too, not a wait for more bytes.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError() && format != PlaylistFormat::M3u8) {
        text = QString::fromLatin1(bytes);
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return text;
}

// A line's path, resolved; empty for a URL that names no local file.
QString pathOf(const QString& line, const QString& folder) {
    const qsizetype scheme = line.indexOf(QStringLiteral("://"));
    if (scheme > 0) {
        const QUrl url(line);
        return url.isLocalFile() ? url.toLocalFile() : QString();
    }
    if (QDir::isAbsolutePath(line)) {
        return QDir::cleanPath(line);
    }
    return QDir::cleanPath(QDir(folder).filePath(line));
}

}  // namespace

std::optional<PlaylistFormat> playlistFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"m3u") {
        return PlaylistFormat::M3u;
    }
    if (suffix == u"m3u8") {
        return PlaylistFormat::M3u8;
    }
    if (suffix == u"pls") {
        return PlaylistFormat::Pls;
    }
    return std::nullopt;
}

QStringList playlistEntries(const QByteArray& bytes, PlaylistFormat format, const QString& folder) {
    const QString text = decoded(bytes, format);
    QStringList entries;
    std::map<qulonglong, QString> numbered;  // PLS: FileN=, in the order of N
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty()) {
            continue;
        }
        if (format == PlaylistFormat::Pls) {
            const qsizetype eq = line.indexOf(u'=');
            const QString key = line.left(eq).trimmed();
            if (eq < 0 || !key.startsWith(u"file", Qt::CaseInsensitive)) {
                continue;
            }
            bool ok = false;
            const qulonglong n = key.mid(4).toULongLong(&ok);
            const QString path = pathOf(line.mid(eq + 1).trimmed(), folder);
            if (ok && !path.isEmpty() && !numbered.count(n)) {
                numbered[n] = path;
            }
            continue;
        }
        if (line.startsWith(u'#')) {
            continue;
        }
        const QString path = pathOf(line, folder);
        if (!path.isEmpty()) {
            entries.append(path);
        }
    }
    for (const auto& [n, path] : numbered) {
        entries.append(path);
    }
    return entries;
}

std::optional<QStringList> readPlaylist(const QString& path) {
    const std::optional<PlaylistFormat> format = playlistFormatOf(path);
    QFile file(path);
    if (!format || file.size() > kMaxPlaylistBytes || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return playlistEntries(file.readAll(), *format, QFileInfo(path).absolutePath());
}

}  // namespace luma
