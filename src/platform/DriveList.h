#pragma once

#include <QStringList>

namespace luma {

// The machine's CD drives, as roots that the CD device can open: device paths such as /dev/sr0, or
// disc image files. Drive-letter roots (D:\) come upper-cased.
class DriveList {
public:
    virtual ~DriveList() = default;
    virtual QStringList cdDrives() const = 0;
};

}  // namespace luma
