#include "platform/cd/CdAudioDeviceType.h"

#include "platform/cd/CdAudioDevice.h"
#include "platform/cd/CdDisc.h"
#include "platform/mci/MciErrors.h"

namespace luma::cd {

CdAudioDeviceType::CdAudioDeviceType(audio::AudioEngine& engine, const DriveList& drives)
    : engine_(engine), drives_(drives) {}

std::unique_ptr<mci::Device> CdAudioDeviceType::open(const QString& element, int& error) {
    QString root = element;
    if (root.trimmed().isEmpty()) {
        const QStringList drives = drives_.cdDrives();
        root = drives.isEmpty() ? QString() : drives.first();
    }
    std::unique_ptr<CdDisc> disc = CdDisc::open(root);
    if (!disc && root.trimmed() != root) {
        // Blanks around the element come from the command's spacing, not from the path.
        disc = CdDisc::open(root.trimmed());
    }
    if (!disc) {
        error = mci::kInvalidDeviceName;
        return nullptr;
    }
    error = mci::kOk;
    return std::make_unique<CdAudioDevice>(engine_, std::move(disc));
}

}  // namespace luma::cd
