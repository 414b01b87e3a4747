#pragma once

#include <QByteArray>

namespace luma::test {

// `jpeg` with an Exif segment whose orientation tag is `orientation` (1 to 8, as cameras write
// it), put right after the start-of-image marker.
QByteArray withOrientation(const QByteArray& jpeg, int orientation);

}  // namespace luma::test
