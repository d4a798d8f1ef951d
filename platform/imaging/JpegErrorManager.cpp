#include "platform/imaging/JpegErrorManager.h"

#include <cstdlib>

#include <jerror.h>

namespace platform::detail {

namespace {

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    auto *manager = reinterpret_cast<JpegErrorManager *>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return; // trace messages
    auto *manager = reinterpret_cast<JpegErrorManager *>(cinfo->err);
    ++manager->pub.num_warnings;
    const int code = manager->pub.msg_code;
    if (code == JWRN_HIT_MARKER || code == JWRN_JPEG_EOF)
        manager->hitMarker = true;
}

void outputMessage(j_common_ptr) {}

} // namespace

jpeg_error_mgr *installErrorManager(JpegErrorManager *manager) {
    jpeg_error_mgr *err = jpeg_std_error(&manager->pub);
    err->error_exit = errorExit;
    err->emit_message = emitMessage;
    err->output_message = outputMessage;
    manager->hitMarker = false;
    return err;
}

void raiseJpegError(j_common_ptr cinfo, int code) {
    cinfo->err->msg_code = code;
    cinfo->err->error_exit(cinfo);
    std::abort(); // error_exit never returns
}

QString jpegErrorText(int code) {
    return QStringLiteral("JPEG error #%1").arg(code);
}

} // namespace platform::detail
