#include "platform/mci/MediaCommandInterpreter.h"

#include "platform/mci/MciErrors.h"
#include "platform/mci/ReplyBuffer.h"

#include <QFileInfo>

namespace luma::mci {
namespace {

// The type for an element opened without one, by its extension.
QString typeForExtension(const QString& element) {
    const QString suffix = QFileInfo(element).suffix().toLower();
    if (suffix == u"wav") {
        return QStringLiteral("waveaudio");
    }
    if (suffix == u"mid" || suffix == u"midi" || suffix == u"rmi") {
        return QStringLiteral("sequencer");
    }
    return {};
}

bool hasBlank(const QString& text) {
    return text.contains(u' ') || text.contains(u'\t');
}

}  // namespace

MediaCommandInterpreter::MediaCommandInterpreter(std::shared_ptr<audio::AudioEngine> engine)
    : engine_(std::move(engine)) {}

MediaCommandInterpreter::~MediaCommandInterpreter() {
    devices_.clear();
}

void MediaCommandInterpreter::registerType(const QString& name, std::unique_ptr<DeviceType> type) {
    types_[name.toLower()] = std::move(type);
}

int MediaCommandInterpreter::send(const QString& command, QString* reply, int replyLength) {
    QString answer;
    const int result = execute(command, answer);
    if (reply) {
        // A failed command answers nothing, so that a reused buffer shows no stale reply.
        writeReply(*reply, replyLength, result == kOk ? answer : QString());
    }
    return result;
}

void MediaCommandInterpreter::closeAll() {
    devices_.clear();
    if (engine_) {
        engine_->shutdown();
    }
}

bool MediaCommandInterpreter::isOpen(const QString& alias) const {
    return devices_.count(alias.toLower()) > 0;
}

int MediaCommandInterpreter::execute(const QString& text, QString& answer) {
    const ParsedCommand parsed = parseCommand(text);
    if (parsed.error != kOk) {
        return parsed.error;
    }
    const Command& c = parsed.command;
    if (c.verb == Verb::Open) {
        return open(c, answer);
    }
    if (c.verb == Verb::Close) {
        return close(c);
    }
    const auto it = devices_.find(c.device.toLower());
    if (it == devices_.end()) {
        return kInvalidDeviceName;
    }
    return forward(c, *it->second.device, answer);
}

int MediaCommandInterpreter::open(const Command& c, QString& answer) {
    QString type;
    QString element;
    const qsizetype bang = c.openTarget.indexOf(u'!');
    if (!c.openType.isEmpty()) {
        type = c.openType;
        element = c.openTarget;
    } else if (bang > 0 && !hasBlank(c.openTarget.left(bang))) {
        type = c.openTarget.left(bang);
        element = c.openTarget.mid(bang + 1);
    } else if (types_.count(c.openTarget.toLower()) > 0) {
        type = c.openTarget;
    } else {
        type = typeForExtension(c.openTarget);
        element = c.openTarget;
    }
    const auto kind = types_.find(type.toLower());
    if (kind == types_.end()) {
        return kInvalidDeviceName;
    }
    const QString alias = !c.openAlias.isEmpty() ? c.openAlias : element.isEmpty() ? type : element;
    const QString key = alias.toLower();
    if (key == u"all") {
        return kInvalidDeviceName;
    }
    if (devices_.count(key) > 0) {
        return kDuplicateAlias;
    }
    int error = kOk;
    std::unique_ptr<Device> device = kind->second->open(element, error);
    if (!device) {
        return error != kOk ? error : kInternal;
    }
    const int id = nextId_++;
    devices_.emplace(key, OpenDevice{id, std::move(device)});
    answer = QString::number(id);
    return kOk;
}

int MediaCommandInterpreter::close(const Command& c) {
    if (c.device.compare(u"all", Qt::CaseInsensitive) == 0) {
        devices_.clear();
        return kOk;
    }
    return devices_.erase(c.device.toLower()) > 0 ? kOk : kInvalidDeviceName;
}

int MediaCommandInterpreter::forward(const Command& c, Device& device, QString& answer) {
    switch (c.verb) {
        case Verb::Play:
            return device.play(c.from, c.to);
        case Verb::Stop:
            return device.stop();
        case Verb::Seek:
            return device.seek(c.seekTo);
        case Verb::Set:
            return device.setTimeFormat(c.timeFormat);
        case Verb::Status:
            return device.status(c.statusItem, answer);
        default:
            return kInternal;
    }
}

}  // namespace luma::mci
