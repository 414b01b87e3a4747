#include "support/FakeServices.h"

namespace luma::test {

int RecordingMediaControl::send(const QString& command, QString* reply, int replyLength) {
    calls.push_back({command, replyLength});
    log_.append(command);
    Response response{defaultResult, {}};
    if (const auto it = responses.find(command); it != responses.end()) {
        response = it->second;
    } else if (handler) {
        if (auto answer = handler(command)) {
            response = *answer;
        }
    }
    if (reply != nullptr && replyLength > 0) {
        if (reply->size() < replyLength) {
            reply->append(QString(replyLength - reply->size(), u' '));
        }
        const QString text = response.reply.left(replyLength - 1);
        reply->replace(0, text.size(), text);
        (*reply)[text.size()] = QChar(u'\0');
    }
    return response.result;
}

QStringList RecordingMediaControl::commands() const {
    QStringList result;
    for (const auto& call : calls) {
        result.append(call.command);
    }
    return result;
}

void FakeMp3Player::play() {
    playing_ = true;
    log_.append(QStringLiteral("mp3 play ") + fileName_);
}

void FakeMp3Player::stop() {
    playing_ = false;
    log_.append(QStringLiteral("mp3 stop"));
}

bool RecordingShortcuts::create(const QString& folder, const QString& linkName,
                                const QString& target, const QString& arguments,
                                std::int32_t perUser, const QString& parent) {
    calls.push_back(
        {QStringLiteral("create"), folder, linkName, target, arguments, perUser, parent});
    return true;
}

bool RecordingShortcuts::remove(const QString& folder, const QString& linkName) {
    calls.push_back({QStringLiteral("remove"), folder, linkName, {}, {}, 0, {}});
    return true;
}

QStringList ScriptedFileDialog::openFiles(QWidget*, const QString& filter,
                                          const QString& defaultExtension, const QString& start) {
    requests.push_back({filter, defaultExtension, start});
    if (answers.empty()) {
        return {};
    }
    QStringList files = answers.front();
    answers.pop_front();
    return files;
}

std::optional<QString> ScriptedFileDialog::openFolder(QWidget*, const QString& start) {
    requests.push_back({{}, {}, start});
    if (folderAnswers.empty() || folderAnswers.front().isEmpty()) {
        if (!folderAnswers.empty()) {
            folderAnswers.pop_front();
        }
        return std::nullopt;
    }
    QString folder = folderAnswers.front();
    folderAnswers.pop_front();
    return folder;
}

double ScriptedRandom::next() {
    if (values.empty()) {
        return Random::next();
    }
    const double v = values.front();
    values.pop_front();
    return v;
}

namespace {

template <class Fake, class Base, class... Args>
Fake* install(std::unique_ptr<Base>& slot, Args&... args) {
    auto fake = std::make_unique<Fake>(args...);
    Fake* observer = fake.get();
    slot = std::move(fake);
    return observer;
}

}  // namespace

PlatformServices FakePlatform::make() {
    PlatformServices s;
    store = install<MemorySettingsStore>(s.store);
    timers = install<ManualTimerService>(s.timers);
    random = install<ScriptedRandom>(s.random);
    instance = install<FakeInstance>(s.instance);
    messageBox = install<RecordingMessageBox>(s.messageBox);
    media = install<RecordingMediaControl>(s.media, log);
    mp3 = install<FakeMp3Player>(s.mp3, log);
    drives = install<FakeDriveList>(s.drives);
    shell = install<RecordingShell>(s.shell);
    shortcuts = install<RecordingShortcuts>(s.shortcuts);
    fileDialog = install<ScriptedFileDialog>(s.fileDialog);
    notificationArea = install<FakeNotificationArea>(s.notificationArea);
    watcher = install<RecordingWatcherProcess>(s.watcher);
    return s;
}

}  // namespace luma::test
