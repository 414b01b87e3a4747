#pragma once

namespace luma {

// Lets the window events that are waiting run once, as long steps do between their parts.
void processPendingEvents();

}  // namespace luma
