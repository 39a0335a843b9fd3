#pragma once
// libjpeg's error manager made to jump back to the caller instead of ending
// the program: the one wrapper every libjpeg user here goes through.

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs size_t and FILE declared first

#include <jpeglib.h>

namespace tessaly::platform {

// Usage: info.err = errors.Install(); if (setjmp(errors.Jump) != 0) the
// call failed and Message says why. Between the setjmp and the libjpeg calls
// that may jump back no C++ object with a destructor may be created.
// libjpeg's warnings are not shown.
struct TJpegErrorManager {
  // The first member: libjpeg hands its address back as info->err.
  jpeg_error_mgr Manager{};
  std::jmp_buf Jump{};
  char Message[JMSG_LENGTH_MAX] = {};

  jpeg_error_mgr* Install();
  // Jumps back with Text as the message: for the caller's own checks that
  // run inside libjpeg (a progress monitor).
  [[noreturn]] void Fail(const char* text);
  static TJpegErrorManager& Of(j_common_ptr info);
};

}  // namespace tessaly::platform
