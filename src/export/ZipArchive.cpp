#include "export/ZipArchive.h"

#include <zip.h>

#include <memory>
#include <string>

#include "export/ExportProgress.h"

namespace tessaly::exports {

namespace {

// 2020-01-01 00:00 UTC: the date of every entry.
constexpr time_t EntryTime = 1577836800;

[[noreturn]] void Fail(const std::string& reason) { throw TExportError("the zip archive could not be written: " + reason); }

struct TSourceDeleter {
  void operator()(zip_source_t* p) const { zip_source_free(p); }
};
using TSource = std::unique_ptr<zip_source_t, TSourceDeleter>;

void AddEntry(zip_t* archive, const TZipEntry& entry) {
  zip_source_t* source = zip_source_buffer(archive, entry.Bytes.data(), entry.Bytes.size(), 0);
  if (source == nullptr) Fail(zip_strerror(archive));
  const zip_int64_t index = zip_file_add(archive, entry.Name.c_str(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    Fail(zip_strerror(archive));
  }
  const zip_uint64_t at = zip_uint64_t(index);
  if (zip_set_file_compression(archive, at, entry.Deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 9) < 0 ||
      zip_file_set_mtime(archive, at, EntryTime, 0) < 0)
    Fail(zip_strerror(archive));
}

std::vector<std::uint8_t> SourceBytes(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_open(source) < 0) Fail(zip_error_strerror(zip_source_error(source)));
  if (zip_source_stat(source, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE)) {
    zip_source_close(source);
    Fail("its size is unknown");
  }
  std::vector<std::uint8_t> bytes(stat.size);
  const zip_int64_t read = zip_source_read(source, bytes.data(), bytes.size());
  zip_source_close(source);
  if (read < 0 || zip_uint64_t(read) != stat.size) Fail("it could not be read back");
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> ZipEntries(const std::vector<TZipEntry>& entries) {
  zip_error_t error;
  zip_error_init(&error);
  TSource source(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (!source) Fail(zip_error_strerror(&error));
  zip_t* archive = zip_open_from_source(source.get(), ZIP_TRUNCATE, &error);
  if (archive == nullptr) {
    const std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    Fail(reason);
  }
  // The archive frees its source when it closes; the bytes are read after.
  zip_source_keep(source.get());
  try {
    for (const TZipEntry& entry : entries) AddEntry(archive, entry);
  } catch (...) {
    zip_discard(archive);
    throw;
  }
  if (zip_close(archive) < 0) {
    const std::string reason = zip_strerror(archive);
    zip_discard(archive);
    Fail(reason);
  }
  return SourceBytes(source.get());
}

}  // namespace tessaly::exports
