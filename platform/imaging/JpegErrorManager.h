#pragma once

// libjpeg's error handling for our callers: errors longjmp back to the setjmp of the
// calling routine instead of ending the process, and warnings are counted, never printed.
// Every routine that calls libjpeg sets `jump` with setjmp first and keeps no object
// with a destructor alive between that setjmp and its return.

#include <QString>

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace platform::detail {

struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    // Set when the entropy decoder met a marker or the end of the data inside a scan:
    // the rest of that scan is filled in by libjpeg and the stream is damaged or cut short.
    bool hitMarker;
};

// Fills `manager` and returns the pointer to store in the `err` field of a codec object.
jpeg_error_mgr *installErrorManager(JpegErrorManager *manager);

// Raises a libjpeg error from our own callbacks (source or destination managers).
[[noreturn]] void raiseJpegError(j_common_ptr cinfo, int code);

// The user-visible text of libjpeg's error `code`: "JPEG error #code".
QString jpegErrorText(int code);

} // namespace platform::detail
