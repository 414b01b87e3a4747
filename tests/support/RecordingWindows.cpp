#include "support/RecordingWindows.h"

namespace luma::test {

void RecordingDisplay::load() {
    note(QStringLiteral("load"));
    if (program_.settings.musicOnly == 1) {
        program_.unloadDisplay();
    }
}

void useRecordingWindows(Program& program, WindowLog& log) {
    program.setDisplayFactory(
        [&log](Program& p) { return std::make_unique<RecordingDisplay>(p, log); });
    program.setPanelFactory([&log](Program&) { return std::make_unique<RecordingPanel>(log); });
    program.setPlayerFactory([&log](Program&) { return std::make_unique<RecordingPlayer>(log); });
    program.setTrayFactory([&log](Program&) { return std::make_unique<RecordingTray>(log); });
}

}  // namespace luma::test
