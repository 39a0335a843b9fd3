#include "platform/JpegCodec.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/FileBytes.h"
#include "platform/JpegErrors.h"

namespace tessaly::platform {
namespace {

// A damaged progressive picture can hold any number of tiny scans; real ones
// hold a dozen.
constexpr int kMaxScans = 1000;
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

// Bounds-checked reading for the marker walk.
class TByteCursor {
 public:
  explicit TByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Byte(unsigned& value) {
    if (pos_ >= bytes_.size()) return false;
    value = bytes_[pos_++];
    return true;
  }
  bool BigEndian16(unsigned& value) {
    unsigned hi = 0, lo = 0;
    if (!Byte(hi) || !Byte(lo)) return false;
    value = (hi << 8) | lo;
    return true;
  }
  bool Skip(std::size_t count) {
    if (count > bytes_.size() - pos_) return false;
    pos_ += count;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

bool IsMarkerWithoutSegment(unsigned marker) {
  return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// libjpeg's errors jump back to the decoding function, which throws.
struct TJpegSession {
  explicit TJpegSession(const std::string& fileName) : name(fileName) {
    cinfo.err = errors.Install();
    progress.progress_monitor = &CheckScanCount;
  }
  ~TJpegSession() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
  TJpegSession(const TJpegSession&) = delete;
  TJpegSession& operator=(const TJpegSession&) = delete;

  void Create(std::span<const std::uint8_t> bytes) {
    jpeg_create_decompress(&cinfo);
    created = true;
    cinfo.progress = &progress;
    cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  }

  [[noreturn]] void Throw() const {
    throw TImageError(name + ": not a readable JPEG picture (" + std::string(errors.Message) + ")");
  }

  static void CheckScanCount(j_common_ptr info) {
    if (!info->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaxScans) return;
    TJpegErrorManager::Of(info).Fail("too many scans");
  }

  std::string name;
  jpeg_decompress_struct cinfo{};
  TJpegErrorManager errors;
  jpeg_progress_mgr progress{};
  bool created = false;
  TBitmap bitmap;
  std::vector<JSAMPLE> row;
};

// The compressing counterpart of TJpegSession.
struct TJpegEncoder {
  TJpegEncoder() { cinfo.err = errors.Install(); }
  ~TJpegEncoder() {
    if (created) jpeg_destroy_compress(&cinfo);
    std::free(buffer);
  }
  TJpegEncoder(const TJpegEncoder&) = delete;
  TJpegEncoder& operator=(const TJpegEncoder&) = delete;

  jpeg_compress_struct cinfo{};
  TJpegErrorManager errors;
  bool created = false;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row;
};

TJpegInfo InfoOf(const jpeg_decompress_struct& cinfo) {
  return {static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height),
          cinfo.num_components, cinfo.progressive_mode != 0};
}

void StoreRow(TJpegSession& s, int y) {
  const auto out = s.bitmap.Row(y);
  const bool cmyk = s.cinfo.out_color_space == JCS_CMYK;
  // Adobe writes CMYK inverted.
  const bool inverted = s.cinfo.saw_Adobe_marker != 0;
  for (int x = 0; x < s.bitmap.Width(); ++x) {
    std::uint8_t r, g, b;
    if (cmyk) {
      const JSAMPLE* p = &s.row[static_cast<std::size_t>(x) * 4];
      auto ink = [&](int i) { return inverted ? p[i] : 255 - p[i]; };
      const int k = ink(3);
      r = static_cast<std::uint8_t>(ink(0) * k / 255);
      g = static_cast<std::uint8_t>(ink(1) * k / 255);
      b = static_cast<std::uint8_t>(ink(2) * k / 255);
    } else {
      const JSAMPLE* p = &s.row[static_cast<std::size_t>(x) * 3];
      r = p[0];
      g = p[1];
      b = p[2];
    }
    out[3 * x] = b;
    out[3 * x + 1] = g;
    out[3 * x + 2] = r;
  }
}

}  // namespace

TJpegSize ProbeJpegSize(std::span<const std::uint8_t> bytes) {
  TByteCursor in(bytes);
  unsigned first = 0, second = 0;
  if (!in.Byte(first) || !in.Byte(second) || first != 0xFF || second != 0xD8) return {};
  unsigned current = 0;
  if (!in.Byte(current)) return {};
  while (current == 0xFF) {
    unsigned marker = 0;
    if (!in.Byte(marker)) return {};
    if (marker == 0xFF) continue;  // fill byte before a marker
    if (marker == 0xC0 || marker == 0xC1) {
      unsigned height = 0, width = 0;
      if (!in.Skip(3) || !in.BigEndian16(height) || !in.BigEndian16(width)) return {};
      return {static_cast<int>(width), static_cast<int>(height)};
    }
    if (!IsMarkerWithoutSegment(marker)) {
      unsigned length = 0;
      if (!in.BigEndian16(length) || length < 2 || !in.Skip(length - 2)) return {};
    }
    if (!in.Byte(current)) return {};
  }
  return {};
}

TJpegInfo ReadJpegInfo(std::span<const std::uint8_t> bytes, const std::string& name) {
  const auto session = std::make_unique<TJpegSession>(name);
  if (setjmp(session->errors.Jump) != 0) session->Throw();
  session->Create(bytes);
  jpeg_read_header(&session->cinfo, TRUE);
  return InfoOf(session->cinfo);
}

TJpegInfo ReadJpegInfoOfFile(const std::string& fileName) {
  return ReadJpegInfo(ReadFileBytes(fileName), fileName);
}

TBitmap DecodeJpeg(std::span<const std::uint8_t> bytes, const std::string& name) {
  const auto session = std::make_unique<TJpegSession>(name);
  if (setjmp(session->errors.Jump) != 0) session->Throw();
  TJpegSession& s = *session;
  s.Create(bytes);
  jpeg_read_header(&s.cinfo, TRUE);
  CheckBitmapSize(s.cinfo.image_width, s.cinfo.image_height, name);
  const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
  s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&s.cinfo);
  s.bitmap = TBitmap(static_cast<int>(s.cinfo.output_width), static_cast<int>(s.cinfo.output_height), 24);
  s.row.resize(static_cast<std::size_t>(s.cinfo.output_width) * s.cinfo.output_components);
  while (s.cinfo.output_scanline < s.cinfo.output_height) {
    const int y = static_cast<int>(s.cinfo.output_scanline);
    JSAMPROW rows[1] = {s.row.data()};
    if (jpeg_read_scanlines(&s.cinfo, rows, 1) != 1) break;
    StoreRow(s, y);
  }
  // Trailing data after the last row is of no interest; the session's
  // destruction ends the decompression.
  return std::move(s.bitmap);
}

std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality) {
  if (bitmap.IsEmpty()) throw TImageError("cannot encode an empty picture as JPEG");
  const auto encoder = std::make_unique<TJpegEncoder>();
  if (setjmp(encoder->errors.Jump) != 0)
    throw TImageError("JPEG encoding failed (" + std::string(encoder->errors.Message) + ")");
  TJpegEncoder& e = *encoder;
  jpeg_create_compress(&e.cinfo);
  e.created = true;
  jpeg_mem_dest(&e.cinfo, &e.buffer, &e.size);
  e.cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  e.cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  e.cinfo.input_components = 3;
  e.cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&e.cinfo);
  jpeg_set_quality(&e.cinfo, quality, TRUE);
  jpeg_start_compress(&e.cinfo, TRUE);
  e.row.resize(static_cast<std::size_t>(bitmap.Width()) * 3);
  while (e.cinfo.next_scanline < e.cinfo.image_height) {
    const int y = static_cast<int>(e.cinfo.next_scanline);
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TRgb c = bitmap.PixelColor(x, y);
      JSAMPLE* p = &e.row[3 * static_cast<std::size_t>(x)];
      p[0] = c.Red;
      p[1] = c.Green;
      p[2] = c.Blue;
    }
    JSAMPROW rows[1] = {e.row.data()};
    jpeg_write_scanlines(&e.cinfo, rows, 1);
  }
  jpeg_finish_compress(&e.cinfo);
  return std::vector<std::uint8_t>(e.buffer, e.buffer + e.size);
}

}  // namespace tessaly::platform
