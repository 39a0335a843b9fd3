#pragma once
// Whole-file reads and safe whole-file replacement. Failures throw
// std::system_error whose text names the file and the system's reason.

#include <string>

namespace tessaly::platform {

// The bytes of the file at path.
std::string ReadWholeFile(const std::string& path);

// Writes bytes to a temporary file beside path, flushes it to disk and
// renames it over path, so that path holds either the old or the new
// contents, never a part. An existing file's permissions are kept.
void ReplaceFileContents(const std::string& path, const std::string& bytes);

}  // namespace tessaly::platform
