#pragma once

#include "platform/mci/MciDevice.h"

#include <QString>

#include <optional>

namespace luma::mci {

enum class Verb { Open, Close, Play, Stop, Seek, Set, Status };

// One device command, taken apart. Keywords are matched without regard to case; texts that name
// things (aliases, paths, types) keep the case they were sent in.
struct Command {
    Verb verb = Verb::Status;
    QString device;  // the alias addressed; for open, empty; for "close all", "all"

    // open: the text between "open" and the trailing options, blanks inside kept: "type!element",
    // an element (a path, which may hold blanks) or a type alone; and the options' values.
    QString openTarget;
    QString openType;
    QString openAlias;

    std::optional<QString> from;                       // play
    std::optional<QString> to;                         // play
    QString seekTo;                                    // seek: a position, "start" or "end"
    TimeFormat timeFormat = TimeFormat::Milliseconds;  // set
    QString statusItem;  // status: lower case, single blanks ("length track 3")

    bool wait = false;
    bool notify = false;
    bool shareable = false;
};

struct ParsedCommand {
    int error = 0;  // an Error of MciErrors.h; `command` is meaningful only when 0
    Command command;
};

// Parses a command string. Any text is safe to pass.
ParsedCommand parseCommand(const QString& text);

}  // namespace luma::mci
