#pragma once

#include "settings/SettingsStore.h"

#include <QStringList>

#include <cstdint>
#include <optional>

namespace luma {

// An ordered list kept in one store section ("pictures" or "music"): "HowMany" holds the count N
// and the keys "1" to "N" the items. Readers stop at N; "0" stands for a missing item.
class StoredList {
public:
    static const QString kMissing;  // "0"
    static const QString kEmpty;    // "Empty", what list boxes show for a missing item

    StoredList(SettingsStore& store, QString section);

    // "HowMany" as a 32-bit integer; std::nullopt when it is absent or not a number (the reader
    // keeps its previous count). A count that runs far beyond the stored items is damaged and is
    // cut back to the last item within reach of them, so that no reader walks millions of
    // missing items.
    std::optional<std::int32_t> count() const;

    // Item `i` (1-based) as stored, kMissing when absent.
    QString item(std::int32_t i) const;

    // The whole list as list boxes show it: kEmpty for each missing item. Empty when the count is
    // absent or not a number.
    QStringList readAll() const;

    // Stores `text` as item `newCount` and "HowMany" as `newCount`, in one write.
    bool append(std::int32_t newCount, const QString& text);
    // Stores `items` after the first `count` items and the new count, in one write.
    bool appendAll(std::int32_t count, const QStringList& items);

    // Replaces the list by `items` in one write: no reader ever sees a half-written list. Keys of
    // an earlier, longer list are removed.
    bool rewrite(const QStringList& items);

    // Stores item `i` (1-based) alone; the count is not touched.
    bool setItem(std::int32_t i, const QString& text);

    const QString& section() const { return section_; }

private:
    SettingsStore& store_;
    QString section_;
};

}  // namespace luma
