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
                return Addition{{}, 0, true};
            }
            addition.leftOut += walk.leftOut;
            for (const QString& file : walk.files) {
                if (!held.contains(file)) {
                    held.insert(file);
                    addition.entries.append(file);
                }
            }
        } else if (const auto playlist = rules.opensPlaylists ? readPlaylist(path) : std::nullopt) {
            for (const QString& entry : *playlist) {
                take(entry);
            }
        } else {
            take(path);
        }
    }
    return addition;
}

}  // namespace luma
