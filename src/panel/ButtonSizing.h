#pragma once

class QPushButton;

namespace luma {

// The room a caption needs inside a button, each side.
inline constexpr int kCaptionPadding = 4;

// Narrows a button to its caption ("...", "Play"): styles otherwise make every button at least
// as wide as a standard dialog button, which the panel has no room for.
void fitToCaption(QPushButton* button);

}  // namespace luma
