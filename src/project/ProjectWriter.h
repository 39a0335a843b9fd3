#pragma once
// Writes a banner design as a ".BWF" project file: text lines in code page
// 936 with CR LF line ends, in the fixed layout that the reader expects.

#include <string>
#include <string_view>
#include <vector>

#include "document/BannerDocument.h"

namespace tessaly::project {

// The project's lines (UTF-8): header, background block, one section per
// item that is not deleted (texts that are blank are left out), animation
// section, "</BWF>". movieFileName is the SWF file saved with the project.
std::vector<std::string> ProjectLines(const document::TBannerDocument& doc,
                                      std::string_view movieFileName);

// The file's bytes: every line in code page 936 followed by CR LF.
std::string ProjectFileBytes(const std::vector<std::string>& lines);

// bwfDirectory followed by the movie's file name with the extension ".BWF".
std::string ProjectPathFor(std::string_view bwfDirectory, std::string_view movieFileName);

// Writes the project of the movie movieFileName into bwfDirectory, replacing
// any existing file safely; returns the project's path. Throws
// std::system_error naming the path when the file cannot be written.
std::string SaveProject(const document::TBannerDocument& doc, std::string_view bwfDirectory,
                        std::string_view movieFileName);

}  // namespace tessaly::project
