#pragma once

#include <QPointF>

#include <cstdint>

namespace luma {

class Program;

// The movement rule of the display: the step between two consecutive mouse-move events ends the
// show when it reaches the sensitivity along either axis. The first move after the last position
// was forgotten, at (0, 0), only records a position.
class MovementRule {
public:
    // True when this move ends the show; the last position is then forgotten.
    bool move(QPointF position, std::int16_t sensitivity);
    void forget() {
        lastX_ = 0;
        lastY_ = 0;
    }
    std::int16_t lastX() const { return lastX_; }
    std::int16_t lastY() const { return lastY_; }

private:
    std::int16_t lastX_ = 0;
    std::int16_t lastY_ = 0;
};

// Ends the show after user input. With the play-now setting ("MusicNow" = 1 in the store) the
// display is only hidden and its timers stop, music and tray icon stay; otherwise the display and
// the panel unload and the program ends.
void exitOnUserInput(Program& program);

}  // namespace luma
