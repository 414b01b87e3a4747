#pragma once

#include "platform/DriveList.h"
#include "platform/audio/AudioEngine.h"
#include "platform/mci/MciDevice.h"

namespace luma::cd {

// The "cdaudio" device type. An empty element opens the system's default CD device, the first
// drive of `drives`; with no drive at all that open fails with kInvalidDeviceName, as does an
// element that names nothing. A drive without a disc opens (it answers "media present" with
// "false"). Both references must outlive the type and every device it opened.
class CdAudioDeviceType final : public mci::DeviceType {
public:
    CdAudioDeviceType(audio::AudioEngine& engine, const DriveList& drives);

    std::unique_ptr<mci::Device> open(const QString& element, int& error) override;

private:
    audio::AudioEngine& engine_;
    const DriveList& drives_;
};

}  // namespace luma::cd
