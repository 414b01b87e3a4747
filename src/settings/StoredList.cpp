#include "settings/StoredList.h"

#include "runtime/Numbers.h"
#include "settings/SettingsKeys.h"

#include <algorithm>
#include <vector>

namespace luma {
namespace {

// How far a count may run past the last stored item before it counts as damaged.
constexpr std::int32_t kDamagedCountSlack = 1024;

// The writes that put `items` after the first `count` items and make the count cover them.
std::vector<SettingsWrite> itemsAfter(std::int64_t count, const QStringList& items) {
    std::vector<SettingsWrite> batch;
    batch.reserve(static_cast<size_t>(items.size()) + 1);
    batch.push_back(SettingsWrite{keys::kHowMany, QString::number(count + items.size())});
    for (qsizetype i = 0; i < items.size(); ++i) {
        batch.push_back(SettingsWrite{QString::number(count + i + 1), items[i]});
    }
    return batch;
}

// What a damaged count is cut back to: the last item stored within reach of the items there are,
// so that a lone item far out (key 1999999999) cannot make readers walk to it.
std::int32_t lastItemInReach(const QStringList& keys, std::int32_t count) {
    std::vector<std::int32_t> items;
    for (const QString& key : keys) {
        bool ok = false;
        const int n = key.toInt(&ok);
        if (ok && n >= 1 && n <= count) {
            items.push_back(n);
        }
    }
    const auto reach = static_cast<std::int64_t>(items.size()) + kDamagedCountSlack;
    std::int32_t last = 0;
    for (const std::int32_t n : items) {
        if (n <= reach && n > last) {
            last = n;
        }
    }
    return last;
}

}  // namespace

const QString StoredList::kMissing = QStringLiteral("0");
const QString StoredList::kEmpty = QStringLiteral("Empty");

StoredList::StoredList(SettingsStore& store, QString section)
    : store_(store), section_(std::move(section)) {}

std::optional<std::int32_t> StoredList::count() const {
    auto n = toInt32(store_.read(section_, keys::kHowMany, kMissing));
    if (n && *n > kDamagedCountSlack) {
        const QStringList keys = store_.keys(section_);
        // Far more items missing than the slack allows: the count is damaged.
        if (*n - keys.size() > kDamagedCountSlack) {
            const std::int32_t last = lastItemInReach(keys, *n);
            if (*n - last > kDamagedCountSlack) {
                n = last;
            }
        }
    }
    return n;
}

QString StoredList::item(std::int32_t i) const {
    return store_.read(section_, QString::number(i), kMissing);
}

QStringList StoredList::readAll() const {
    QStringList items;
    const std::int32_t n = count().value_or(0);
    if (n <= 0) {
        return items;
    }
    items.reserve(n);
    for (std::int32_t i = 1; i <= n; ++i) {
        const QString text = item(i);
        items.append(text == kMissing ? kEmpty : text);
    }
    return items;
}

bool StoredList::append(std::int32_t newCount, const QString& text) {
    return store_.apply(section_, {SettingsWrite{keys::kHowMany, QString::number(newCount)},
                                   SettingsWrite{QString::number(newCount), text}});
}

bool StoredList::appendAll(std::int32_t count, const QStringList& items) {
    return store_.apply(section_, itemsAfter(count, items));
}

bool StoredList::rewrite(const QStringList& items) {
    std::vector<SettingsWrite> batch = itemsAfter(0, items);
    for (const QString& key : store_.keys(section_)) {
        bool ok = false;
        const qsizetype n = key.toLongLong(&ok);
        if (ok && n > items.size() && key == QString::number(n)) {
            batch.push_back(SettingsWrite{key, std::nullopt});
        }
    }
    return store_.apply(section_, batch);
}

bool StoredList::setItem(std::int32_t i, const QString& text) {
    return store_.write(section_, QString::number(i), text);
}

}  // namespace luma
