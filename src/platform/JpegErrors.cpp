#include "platform/JpegErrors.h"

#include <cstring>

namespace tessaly::platform {
namespace {

void ErrorExit(j_common_ptr info) {
  TJpegErrorManager& errors = TJpegErrorManager::Of(info);
  (*info->err->format_message)(info, errors.Message);
  std::longjmp(errors.Jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* TJpegErrorManager::Install() {
  jpeg_std_error(&Manager);
  Manager.error_exit = &ErrorExit;
  Manager.output_message = &IgnoreMessage;
  Message[0] = '\0';
  return &Manager;
}

void TJpegErrorManager::Fail(const char* text) {
  std::strncpy(Message, text, sizeof Message - 1);
  std::longjmp(Jump, 1);
}

TJpegErrorManager& TJpegErrorManager::Of(j_common_ptr info) { return *reinterpret_cast<TJpegErrorManager*>(info->err); }

}  // namespace tessaly::platform
