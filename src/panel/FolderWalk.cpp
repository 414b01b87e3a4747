#include "panel/FolderWalk.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <deque>
#include <vector>

namespace luma {
namespace {

QCollator naturalCollator() {
    // The C locale's collation knows no natural order; English collation stands in for it.
    const QLocale locale = QLocale().language() == QLocale::C
                               ? QLocale(QLocale::English, QLocale::UnitedStates)
                               : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The walk's state: the folders still to walk, the real ones apart from those behind links.
class Walker {
public:
    Walker(const std::function<bool(const QString&)>& accept,
           const std::function<bool(int)>& keepGoing)
        : accept_(accept), keepGoing_(keepGoing) {}

    bool run(const QString& folder) {
        real_.push_back(QDir(folder).absolutePath());
        while (!real_.empty() || !linked_.empty()) {
            std::deque<QString>& from = real_.empty() ? linked_ : real_;
            const QString dir = from.front();
            from.pop_front();
            if (!walk(dir)) {
                return false;
            }
        }
        return true;
    }

    FolderWalk found;

private:
    // Lists one folder: its files are taken or left out, its subfolders go before the folders
    // still pending (depth first, in natural order). False when cancelled.
    bool walk(const QString& dir) {
        const QString canonical = QFileInfo(dir).canonicalFilePath();
        if (canonical.isEmpty() || walked_.contains(canonical)) {
            return true;
        }
        walked_.insert(canonical);
        std::vector<QFileInfo> folders;
        QDirIterator entries(dir, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
        while (entries.hasNext()) {
            if (keepGoing_ && !keepGoing_(seen_)) {
                return false;
            }
            ++seen_;
            const QFileInfo entry = entries.nextFileInfo();
            if (entry.isDir()) {
                folders.push_back(entry);
            } else if (accept_(entry.filePath())) {
                found.files.append(entry.filePath());
            } else {
                ++found.leftOut;
            }
        }
        std::sort(folders.begin(), folders.end(), [this](const QFileInfo& a, const QFileInfo& b) {
            return collator_.compare(a.fileName(), b.fileName()) < 0;
        });
        std::vector<QString> real;
        for (const QFileInfo& folder : folders) {
            if (folder.isSymLink()) {
                linked_.push_back(folder.filePath());
            } else {
                real.push_back(folder.filePath());
            }
        }
        real_.insert(real_.begin(), real.begin(), real.end());
        return true;
    }

    const std::function<bool(const QString&)>& accept_;
    const std::function<bool(int)>& keepGoing_;
    QCollator collator_ = naturalCollator();
    QSet<QString> walked_;  // canonical paths
    std::deque<QString> real_;
    std::deque<QString> linked_;
    int seen_ = 0;
};

}  // namespace

FolderWalk walkFolder(const QString& folder, const std::function<bool(const QString&)>& accept,
                      const std::function<bool(int)>& keepGoing) {
    Walker walker(accept, keepGoing);
    if (!walker.run(folder)) {
        return FolderWalk{{}, 0, true};
    }
    sortNaturally(walker.found.files);
    return std::move(walker.found);
}

void sortNaturally(QStringList& paths) {
    const QCollator collator = naturalCollator();
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
