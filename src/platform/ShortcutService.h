#pragma once

#include <QString>

#include <cstdint>

namespace luma {

// Creates and removes shortcuts in the user's start menu folders. `folder` is relative to `parent`
// (a symbolic folder name such as "$(Programs)"), `linkName` is the shortcut's caption.
class ShortcutService {
public:
    virtual ~ShortcutService() = default;
    virtual bool create(const QString& folder, const QString& linkName, const QString& target,
                        const QString& arguments, std::int32_t perUser, const QString& parent) = 0;
    virtual bool remove(const QString& folder, const QString& linkName) = 0;
};

}  // namespace luma
