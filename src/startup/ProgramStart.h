#pragma once

#include <QString>

namespace luma {

class Program;

// The program's entry: refuses a second instance, makes the program folder current and dispatches
// on the mode switch of `commandLine` (the arguments after the program name, joined by blanks).
// When it returns, the program goes on while a window is loaded; Program::hasEnded() tells an
// explicit end.
void startProgram(Program& program, const QString& commandLine);

}  // namespace luma
