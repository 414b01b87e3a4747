#pragma once

#include "platform/DriveList.h"

#include <functional>

namespace luma::cd {

// The machine's CD drives as libcdio lists them, then every entry of LUMAFOLIO_CD_DRIVES
// (colon-separated device paths or disc image files), each root once, in that order. Paths keep
// their case. No drive gives an empty list and no output.
class CdioDriveList final : public DriveList {
public:
    using Probe = std::function<QStringList()>;

    // `systemDrives` stands in for libcdio's list in tests.
    explicit CdioDriveList(Probe systemDrives = &CdioDriveList::libcdioDrives);

    QStringList cdDrives() const override;

    static QStringList libcdioDrives();
    static QStringList environmentDrives();

private:
    Probe systemDrives_;
};

}  // namespace luma::cd
