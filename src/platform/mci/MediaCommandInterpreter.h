#pragma once

#include "platform/MediaControl.h"
#include "platform/audio/AudioEngine.h"
#include "platform/mci/CommandParser.h"
#include "platform/mci/MciDevice.h"

#include <QString>

#include <map>
#include <memory>

namespace luma::mci {

// Device commands by text, over device types registered by name ("waveaudio", "sequencer",
// "cdaudio"). Each open names an alias by which the device is addressed afterwards; "open"
// replies the device's number. Errors are the numbers of MciErrors.h; on an error the reply is
// empty. Runs on the GUI thread.
class MediaCommandInterpreter : public MediaControl {
public:
    // `engine`, when given, is shut down by closeAll().
    explicit MediaCommandInterpreter(std::shared_ptr<audio::AudioEngine> engine = nullptr);
    ~MediaCommandInterpreter() override;

    // Adds or replaces a device type; names match without regard to case.
    void registerType(const QString& name, std::unique_ptr<DeviceType> type);

    int send(const QString& command, QString* reply = nullptr, int replyLength = 0) override;
    // Closes every device and the audio output.
    void closeAll() override;

    bool isOpen(const QString& alias) const;

private:
    struct OpenDevice {
        int id;
        std::unique_ptr<Device> device;
    };

    int execute(const QString& text, QString& answer);
    int open(const Command& c, QString& answer);
    int close(const Command& c);
    int forward(const Command& c, Device& device, QString& answer);

    std::shared_ptr<audio::AudioEngine> engine_;
    // Types before devices: devices go first.
    std::map<QString, std::unique_ptr<DeviceType>> types_;  // by lower-case name
    std::map<QString, OpenDevice> devices_;                 // by lower-case alias
    int nextId_ = 1;
};

}  // namespace luma::mci
