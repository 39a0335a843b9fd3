#pragma once
// A zip archive made in memory with libzip: named files, pictures stored
// as they are (they are compressed already), text deflated, every entry
// dated alike so that the same files give the same bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::exports {

struct TZipEntry {
  std::string Name;
  std::vector<std::uint8_t> Bytes;
  bool Deflate = true;
};

// Throws TExportError with libzip's reason.
std::vector<std::uint8_t> ZipEntries(const std::vector<TZipEntry>& entries);

}  // namespace tessaly::exports
