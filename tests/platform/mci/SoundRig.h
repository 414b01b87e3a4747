#pragma once

#include "platform/DriveList.h"
#include "platform/audio/ManualOutput.h"
#include "platform/sound/SoundServices.h"

#include <QString>

#include <utility>

namespace luma::test {

// The real sound services over the real engine, whose output the test pulls; no CD drive.
class SoundRig {
public:
    SoundRig() : SoundRig(std::make_unique<audio::ManualOutput>()) {}
    explicit SoundRig(std::unique_ptr<audio::ManualOutput> output)
        : output_(output.get()),
          sound_(makeSoundServices(std::move(output), noDrives_)),
          engine(sound_.engine),
          mci(*sound_.media) {}

    audio::ManualOutput& output() { return *output_; }

    // Sends with a 128-character reply buffer; returns the result and the reply up to its NUL.
    std::pair<int, QString> send(const QString& command) {
        QString reply(128, u' ');
        const int result = mci.send(command, &reply, 128);
        return {result, reply.left(reply.indexOf(QChar(u'\0')))};
    }
    QString reply(const QString& command) { return send(command).second; }

private:
    struct NoDrives : DriveList {
        QStringList cdDrives() const override { return {}; }
    };
    audio::ManualOutput* output_;  // owned by the engine
    NoDrives noDrives_;
    SoundServices sound_;

public:
    std::shared_ptr<audio::MixingEngine> engine;
    mci::MediaCommandInterpreter& mci;
};

}  // namespace luma::test
