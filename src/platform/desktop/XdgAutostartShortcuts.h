#pragma once

#include "platform/ShortcutService.h"

namespace luma {

// Shortcuts in the user's StartUp folder become XDG autostart entries: "<linkName>.desktop" in
// ${XDG_CONFIG_HOME}/autostart. Other folders are not supported and fail.
class XdgAutostartShortcuts : public ShortcutService {
public:
    bool create(const QString& folder, const QString& linkName, const QString& target,
                const QString& arguments, std::int32_t perUser, const QString& parent) override;
    bool remove(const QString& folder, const QString& linkName) override;

    // The path of the entry for `linkName`.
    static QString entryPath(const QString& linkName);
    // `argument` quoted for an Exec line: double quotes, with the reserved characters escaped.
    static QString quoteExecArgument(const QString& argument);
};

}  // namespace luma
