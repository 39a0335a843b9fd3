#pragma once
// Text files as whole lists of lines: CR LF line ends, code page 936 on disk,
// UTF-8 in memory, written in one step.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::publish {

// Writes every line followed by CR LF, converted to code page 936, into a new
// file beside `file` and renames it over `file`, so a reader sees either the
// old or the new contents and a symbolic link at `file` is replaced, not
// followed. The file gets the permission bits `mode`. Throws
// std::system_error (the system's reason and the file name) on failure.
void SaveAnsiLines(const std::filesystem::path& file, const std::vector<std::string>& lines,
                   mode_t mode);

// Reads a code page 936 file and returns its lines in UTF-8. Lines end in
// LF or CR LF; a final line end does not start another line. Throws
// std::system_error on failure.
std::vector<std::string> LoadAnsiLines(const std::filesystem::path& file);

// Splits text into lines the same way (LF or CR LF, no empty line after a
// final line end).
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace tessaly::publish
