#include "panel/ListAdditions.h"

#include "panel/FolderWalk.h"
#include "panel/PlaylistFiles.h"

#include <QFileInfo>
#include <QSet>

namespace luma {

Addition collectAddition(const QStringList& paths, const ListRules& rules,
                         const QStringList& existing, const std::function<bool(int)>& keepGoing) {
    Addition addition;
    QSet<QString> held(existing.begin(), existing.end());  // what folders must not add again
    const auto take = [&](const QString& file) {
        if (rules.accepts(file)) {
            addition.entries.append(file);
            held.insert(file);
        } else {
            ++addition.leftOut;
        }
    };
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const FolderWalk walk = walkFolder(path, rules.accepts, keepGoing);
            if (walk.cancelled) {
                Addition cancelled;
                cancelled.cancelled = true;
                return cancelled;
            }
            addition.leftOut += walk.leftOut;
            for (const QString& file : walk.files) {
                if (held.contains(file)) {
                    ++addition.alreadyListed;
                } else {
                    held.insert(file);
                    addition.entries.append(file);
                }
            }
        } else if (const auto playlist = rules.opensPlaylists ? readPlaylist(path) : std::nullopt) {
            for (const QString& entry : *playlist) {
                if (QFileInfo::exists(entry)) {
                    take(entry);
                } else {
                    ++addition.missing;
                }
            }
        } else {
            take(path);
        }
    }
    return addition;
}

QString additionReport(const Addition& addition, const QString& takes) {
    QStringList lines;
    if (addition.entries.isEmpty() && addition.alreadyListed > 0) {
        lines.append(QStringLiteral("No new files: all %1 are in the list already")
                         .arg(addition.alreadyListed));
    }
    if (addition.leftOut > 0) {
        lines.append(
            QStringLiteral("%1 file%2 left out: %3")
                .arg(addition.leftOut)
                .arg(addition.leftOut == 1 ? QStringLiteral(" was") : QStringLiteral("s were"))
                .arg(takes));
    }
    if (addition.missing > 0) {
        lines.append(
            QStringLiteral("%1 playlist entr%2 left out: no such file.")
                .arg(addition.missing)
                .arg(addition.missing == 1 ? QStringLiteral("y was") : QStringLiteral("ies were")));
    }
    return lines.join(u'\n');
}

}  // namespace luma
