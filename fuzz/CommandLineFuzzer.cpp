// Lines of the input as the environment (XSCREENSAVER_WINDOW, XSCREENSAVER_SAVER_INDEX,
// QT_QPA_PLATFORM, DISPLAY) and the command line: the modes, --help, -root and --window-id, and
// the window ids themselves. Nothing may crash, and the answers must agree with each other.
#include "FuzzSupport.h"

#include "startup/CommandLine.h"
#include "startup/ModeSwitch.h"

#include <map>

namespace {

constexpr int kMaxLines = 24;

void checkWindowId(const QString& text) {
    const std::optional<quint32> id = luma::parseWindowId(text);
    if (!id) {
        return;
    }
    FUZZ_CHECK(*id > 0);
    FUZZ_CHECK(luma::parseWindowId(QString::number(*id)) == id);
    FUZZ_CHECK(luma::parseWindowId(QStringLiteral("0x") + QString::number(*id, 16)) == id);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<QByteArray> lines = luma::fuzz::linesOf(data, size, kMaxLines);
    const char* const names[] = {"XSCREENSAVER_WINDOW", "XSCREENSAVER_SAVER_INDEX",
                                 "QT_QPA_PLATFORM", "DISPLAY"};
    std::map<QByteArray, QString> environment;
    QStringList arguments;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString text = QString::fromUtf8(lines[i]);
        if (i < std::size(names)) {
            environment[names[i]] = text;
        } else {
            arguments.append(text);
        }
        checkWindowId(text);
    }
    const luma::EnvironmentLookup lookup = [&environment](const char* name) {
        const auto it = environment.find(QByteArray(name));
        return it == environment.end() ? QString() : it->second;
    };

    const luma::HostedStart hosted = luma::hostedStartOf(arguments, lookup);
    if (!hosted.error.isEmpty()) {
        FUZZ_CHECK(hosted.hosted && !hosted.window);
    }
    if (hosted.window) {
        FUZZ_CHECK(hosted.hosted && hosted.error.isEmpty());
    }
    if (hosted.hosted && !hosted.window && hosted.error.isEmpty()) {
        FUZZ_CHECK(arguments.contains(QStringLiteral("-root")) ||
                   arguments.contains(QStringLiteral("--root")));
    }
    luma::hostedMayTakeLock(lookup);

    for (const luma::DisplayState display :
         {luma::DisplayState::Found, luma::DisplayState::NotNamed,
          luma::DisplayState::NotAnswering}) {
        const auto answer = luma::answerBeforeDisplay(
            arguments, [display] { return display; }, hosted);
        const QString first = arguments.value(0);
        if (first == u"--help" || first == u"--version") {
            FUZZ_CHECK(answer && answer->exitStatus == 0 && !answer->output.isEmpty());
        } else if (!hosted.error.isEmpty()) {
            FUZZ_CHECK(answer && answer->exitStatus == hosted.errorStatus &&
                       (hosted.errorStatus == 1 || hosted.errorStatus == 2));
        } else if (answer && answer->exitStatus != 0) {
            FUZZ_CHECK(answer->exitStatus == 1 && display != luma::DisplayState::Found);
        }
    }
    // A server that answers is never reported as one that does not.
    FUZZ_CHECK(luma::findDisplay(lookup, [] { return true; }) != luma::DisplayState::NotAnswering);
    luma::findDisplay(lookup, [] { return false; });
    FUZZ_CHECK(luma::modeSwitch(arguments.join(u' ')).size() <= 2);
    return 0;
}
