#pragma once

#include <QByteArray>

namespace platform {

// The offset of the first JPEG start marker (the byte pair 0xFF 0xD8) in a picture blob,
// or -1 when the blob holds none. Bytes in front of the marker are ignored, whatever they
// hold; a run of 0xFF bytes before 0xD8 finds the last 0xFF of the run.
int jpegStartsInBlob(const QByteArray &blob);

} // namespace platform
