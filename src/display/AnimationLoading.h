#pragma once

#include <QString>

namespace luma {

struct ShowState;

// Splits the animated GIF `xFile` into the show's frame holders: one holder per
// frame, each keeping its frame piece and, as its tag, the frame's delay in milliseconds; holders
// of an earlier call beyond holder 0 go first. Frames are found by walking the GIF's blocks and
// are decoded only when painted; frame 0 is decoded here, for currentPicture. Then currentFrame =
// 0, lastFrame = the last holder, animationTimer runs at frame 0's delay when there are three or
// more frames. A file that is missing, is no GIF, breaks off or whose frame 0 does not decode
// stops the split: the holders made so far stay, animationTimer stays off, currentFrame,
// lastFrame and currentPicture keep their values.
void loadAnimation(ShowState& show, const QString& xFile);

// Whether a picture path names a GIF: its last three characters, surrounding blanks removed,
// are exactly "gif" or "GIF".
bool hasGifSuffix(const QString& path);

}  // namespace luma
