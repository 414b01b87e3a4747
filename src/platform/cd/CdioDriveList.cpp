#include "platform/cd/CdioDriveList.h"

#include "platform/cd/CdioMessages.h"

#include <QFile>
#include <QFileInfo>

#include <cdio/cdio.h>

#include <memory>

namespace luma::cd {

namespace {

struct DeviceListDeleter {
    void operator()(char** list) const { cdio_free_device_list(list); }
};

// Two names for one drive (/dev/cdrom and /dev/sr0) count once.
QString identity(const QString& root) {
    const QString canonical = QFileInfo(root).canonicalFilePath();
    return canonical.isEmpty() ? root : canonical;
}

}  // namespace

CdioDriveList::CdioDriveList(Probe systemDrives) : systemDrives_(std::move(systemDrives)) {}

QStringList CdioDriveList::libcdioDrives() {
    routeLibcdioMessages();
    QStringList drives;
    std::unique_ptr<char*, DeviceListDeleter> list(cdio_get_devices(DRIVER_DEVICE));
    if (list) {
        for (char** entry = list.get(); *entry != nullptr; ++entry) {
            drives.append(QFile::decodeName(*entry));
        }
    }
    return drives;
}

QStringList CdioDriveList::environmentDrives() {
    return qEnvironmentVariable("LUMAFOLIO_CD_DRIVES").split(u':', Qt::SkipEmptyParts);
}

QStringList CdioDriveList::cdDrives() const {
    QStringList drives;
    QStringList seen;
    const QStringList candidates =
        (systemDrives_ ? systemDrives_() : QStringList()) + environmentDrives();
    for (const QString& root : candidates) {
        const QString id = identity(root);
        if (!root.isEmpty() && !seen.contains(id)) {
            seen.append(id);
            drives.append(root);
        }
    }
    return drives;
}

}  // namespace luma::cd
