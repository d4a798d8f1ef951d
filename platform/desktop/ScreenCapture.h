#pragma once

#include <QImage>

namespace platform {

// The whole primary screen at its size in pixels (1024 x 768 on a 1024 x 768
// screen). Throws core::Error when the screen cannot be read.
QImage captureScreen();

} // namespace platform
