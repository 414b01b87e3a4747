// Raw bytes as a playlist file of each format, and its lines as file names for the lists' filters,
// the natural sort and a list addition. A playlist never yields an entry that none of its lines
// names.
#include "FuzzSupport.h"

#include "panel/FolderWalk.h"
#include "panel/ListAdditions.h"
#include "panel/ListEntries.h"
#include "panel/PlaylistFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <algorithm>

namespace {

using luma::PlaylistFormat;

const QString kFolder = QStringLiteral("/nonexistent/lists");
constexpr int kMaxNames = 64;

// What a line can name: itself as a path, resolved against the playlist's folder, or as a URL.
void addCandidates(QString line, QSet<QString>& names) {
    line = line.trimmed();
    names.insert(QDir::cleanPath(line));
    names.insert(QDir::cleanPath(QDir(kFolder).filePath(line)));
    names.insert(QUrl(line).toLocalFile());
}

QSet<QString> candidates(const QByteArray& bytes) {
    QSet<QString> names;
    QString utf8 = QString::fromUtf8(bytes);
    QString latin1 = QString::fromLatin1(bytes);
    for (QString* text : {&utf8, &latin1}) {
        if (text->startsWith(QChar(0xFEFF))) {
            text->remove(0, 1);
        }
        for (const QString& line : text->split(u'\n')) {
            addCandidates(line, names);
            addCandidates(line.mid(line.indexOf(u'=') + 1), names);  // PLS: the value of FileN=
        }
    }
    return names;
}

void checkFilters(const QString& name) {
    if (luma::hasPictureExtension(name)) {
        static const QSet<QString> kTaken = {"bmp", "BMP", "jpg", "JPG", "gif", "GIF"};
        FUZZ_CHECK(kTaken.contains(name.section(u'.', -1)));
    }
    if (luma::hasMusicEnding(name)) {
        static const QSet<QString> kEndings = {"mp3", "MP3", "wav", "WAV",
                                               "mid", "MID", " cd", " CD"};
        FUZZ_CHECK(kEndings.contains(name.right(3)));
    }
    if (luma::playlistFormatOf(name)) {
        static const QSet<QString> kSuffixes = {"m3u", "m3u8", "pls"};
        FUZZ_CHECK(kSuffixes.contains(QFileInfo(name).suffix().toLower()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const luma::fuzz::QuietStderr quiet;  // Qt warns of every name with a NUL in it
    const QByteArray bytes = luma::fuzz::bytesOf(data, size);
    const QSet<QString> named = candidates(bytes);
    const qsizetype lines = bytes.count('\n') + 1;
    for (const PlaylistFormat format :
         {PlaylistFormat::M3u, PlaylistFormat::M3u8, PlaylistFormat::Pls}) {
        const QStringList entries = luma::playlistEntries(bytes, format, kFolder);
        FUZZ_CHECK(entries.size() <= lines);
        for (const QString& entry : entries) {
            FUZZ_CHECK(!entry.isEmpty());
            FUZZ_CHECK(named.contains(entry));
        }
    }

    // The lines as file names: the filters, the natural order, an addition of files.
    QStringList names;
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n')) {
        if (names.size() == kMaxNames) {
            break;
        }
        checkFilters(line);
        names.append(kFolder + u'/' + line);
    }
    QStringList sorted = names;
    luma::sortNaturally(sorted);
    QStringList again = sorted;
    luma::sortNaturally(again);
    FUZZ_CHECK(again == sorted);
    QStringList plain = names;
    plain.sort();
    QStringList sortedPlain = sorted;
    sortedPlain.sort();
    FUZZ_CHECK(plain == sortedPlain);

    const luma::ListRules rules{luma::hasPictureExtension, false};
    const luma::Addition addition = luma::collectAddition(names, rules, {});
    FUZZ_CHECK(addition.entries.size() + addition.leftOut == names.size());
    for (const QString& entry : addition.entries) {
        FUZZ_CHECK(luma::hasPictureExtension(entry) && names.contains(entry));
    }
    return 0;
}
