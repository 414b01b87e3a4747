#include "platform/sound/SoundServices.h"

#include "platform/audio/EngineMp3Player.h"
#include "platform/audio/SdlOutput.h"
#include "platform/cd/CdAudioDeviceType.h"
#include "platform/mci/FileDevices.h"

namespace luma {

SoundServices makeSoundServices(std::unique_ptr<audio::AudioOutput> output, const DriveList& drives,
                                std::shared_ptr<audio::SynthPool> synths,
                                std::chrono::milliseconds idleGrace) {
    SoundServices s;
    s.engine = std::make_shared<audio::MixingEngine>(std::move(output), idleGrace);
    s.media = std::make_unique<mci::MediaCommandInterpreter>(s.engine);
    mci::registerFileDevices(*s.media, s.engine, std::move(synths));
    s.media->registerType(QStringLiteral("cdaudio"),
                          std::make_unique<cd::CdAudioDeviceType>(*s.engine, drives));
    s.mp3 = std::make_unique<audio::EngineMp3Player>(s.engine);
    return s;
}

SoundServices makeSystemSound(const DriveList& drives) {
    return makeSoundServices(std::make_unique<audio::SdlOutput>(), drives,
                             audio::SynthPool::create(), audio::kSdlIdleGrace);
}

}  // namespace luma
