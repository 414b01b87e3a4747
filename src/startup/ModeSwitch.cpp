#include "startup/ModeSwitch.h"

namespace luma {

QString modeSwitch(const QString& commandLine) {
    return commandLine.trimmed().toUpper().left(2);
}

Mode modeOf(const QString& commandLine) {
    if (commandLine.trimmed() == u"--idle") {
        return Mode::IdleWatch;
    }
    const QString mode = modeSwitch(commandLine);
    if (mode == u"/C") {
        return Mode::Configure;
    }
    if (mode.isEmpty() || mode == u"/S") {
        return Mode::Show;
    }
    if (mode == u"/P") {
        return Mode::Preview;
    }
    if (mode == u"/A") {
        return Mode::Password;
    }
    return Mode::Other;
}

}  // namespace luma
