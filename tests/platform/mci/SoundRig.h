#pragma once

#include "platform/audio/ManualOutput.h"
#include "platform/audio/MixingEngine.h"
#include "platform/mci/FileDevices.h"
#include "platform/mci/MediaCommandInterpreter.h"

#include <QString>

#include <utility>

namespace luma::test {

// The real interpreter with the wave and sequencer devices over the real engine, whose output the
// test pulls.
class SoundRig {
public:
    SoundRig() : SoundRig(std::make_unique<audio::ManualOutput>()) {}
    explicit SoundRig(std::unique_ptr<audio::ManualOutput> output)
        : output_(output.get()),
          engine(std::make_shared<audio::MixingEngine>(std::move(output))),
          mci(engine) {
        mci::registerFileDevices(mci, engine);
    }

    audio::ManualOutput& output() { return *output_; }

    // Sends with a 128-character reply buffer; returns the result and the reply up to its NUL.
    std::pair<int, QString> send(const QString& command) {
        QString reply(128, u' ');
        const int result = mci.send(command, &reply, 128);
        return {result, reply.left(reply.indexOf(QChar(u'\0')))};
    }
    QString reply(const QString& command) { return send(command).second; }

private:
    audio::ManualOutput* output_;  // owned by the engine

public:
    std::shared_ptr<audio::MixingEngine> engine;
    mci::MediaCommandInterpreter mci;
};

}  // namespace luma::test
