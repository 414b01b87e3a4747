#include "panel/FolderWalk.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <vector>

namespace luma {
namespace {

// How often, in entries seen, the walk asks whether to go on.
constexpr int kAskEvery = 64;

}  // namespace

FolderWalk walkFolder(const QString& folder, const std::function<bool(const QString&)>& accept,
                      const std::function<bool(int)>& keepGoing) {
    FolderWalk walk;
    QSet<QString> walked;  // canonical paths: a link back up the tree is not followed twice
    std::vector<QString> pending{QDir(folder).absolutePath()};
    int seen = 0;
    while (!pending.empty()) {
        const QString dir = pending.back();
        pending.pop_back();
        const QString canonical = QFileInfo(dir).canonicalFilePath();
        if (canonical.isEmpty() || walked.contains(canonical)) {
            continue;
        }
        walked.insert(canonical);
        if (keepGoing && !keepGoing(seen)) {
            return FolderWalk{{}, 0, true};
        }
        const QFileInfoList entries =
            QDir(dir).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
        for (const QFileInfo& entry : entries) {
            if (++seen % kAskEvery == 0 && keepGoing && !keepGoing(seen)) {
                return FolderWalk{{}, 0, true};
            }
            if (entry.isDir()) {
                pending.push_back(entry.filePath());
            } else if (accept(entry.filePath())) {
                walk.files.append(entry.filePath());
            } else {
                ++walk.leftOut;
            }
        }
    }
    sortNaturally(walk.files);
    return walk;
}

void sortNaturally(QStringList& paths) {
    // The C locale's collation knows no natural order; English collation stands in for it.
    const QLocale locale = QLocale().language() == QLocale::C
                               ? QLocale(QLocale::English, QLocale::UnitedStates)
                               : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(static_cast<std::size_t>(paths.size()));
    for (qsizetype i = 0; i < paths.size(); ++i) {
        keys.emplace_back(collator.sortKey(paths[i]), i);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(paths.size());
    for (const auto& key : keys) {
        sorted.append(paths[key.second]);
    }
    paths = std::move(sorted);
}

}  // namespace luma
