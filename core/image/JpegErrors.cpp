#include "image/JpegErrors.h"

namespace {

[[noreturn]] void JumpBack(j_common_ptr record) {
    // The manager is the first member of JpegErrors.
    std::longjmp(reinterpret_cast<JpegErrors*>(record->err)->recovery, 1);
}

void Quiet(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InitJpegErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JumpBack;
    errors.manager.output_message = Quiet;
    return &errors.manager;
}
