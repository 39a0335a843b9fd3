#include "player/SwfBitmapReader.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/JpegErrors.h"

namespace tessaly::player {

bool InflateBounded(std::span<const uint8_t> zlibData, size_t maxBytes, std::vector<uint8_t>& out) {
  out.clear();
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(zlibData.data());
  zs.avail_in = static_cast<uInt>(zlibData.size());
  constexpr size_t kChunk = 64 * 1024;
  bool ok = true;
  while (true) {
    const size_t before = out.size();
    // One byte more than allowed tells a stream that is too long.
    const size_t room = std::min(kChunk, maxBytes + 1 - before);
    out.resize(before + room);
    zs.next_out = out.data() + before;
    zs.avail_out = static_cast<uInt>(room);
    const int rc = inflate(&zs, Z_NO_FLUSH);
    out.resize(before + (room - zs.avail_out));
    if (out.size() > maxBytes) {
      out.resize(maxBytes);
      ok = false;
      break;
    }
    if (rc == Z_STREAM_END) break;
    if (rc == Z_BUF_ERROR) break;  // the data ends early
    if (rc != Z_OK) {
      ok = false;
      break;
    }
    if (zs.avail_in == 0 && zs.avail_out != 0) break;
  }
  inflateEnd(&zs);
  return ok;
}

std::vector<uint8_t> CleanJpegMarkers(std::span<const uint8_t> data) {
  size_t start = 0;
  // Leading EOI SOI (the erroneous header) and doubled SOI.
  while (data.size() - start >= 4 && data[start] == 0xFF && data[start + 2] == 0xFF && data[start + 3] == 0xD8 &&
         (data[start + 1] == 0xD9 || data[start + 1] == 0xD8))
    start += data[start + 1] == 0xD9 ? 4 : 2;
  std::vector<uint8_t> out;
  out.reserve(data.size() - start);
  if (data.size() - start < 2) {
    out.assign(data.begin() + static_cast<ptrdiff_t>(start), data.end());
    return out;
  }
  out.push_back(data[start]);
  out.push_back(data[start + 1]);
  size_t pos = start + 2;
  // Walk the marker segments up to the first scan, dropping SOI and EOI.
  while (pos + 1 < data.size()) {
    if (data[pos] != 0xFF) break;
    const uint8_t marker = data[pos + 1];
    if (marker == 0xFF) {
      ++pos;
      continue;
    }
    if (marker == 0xD8 || marker == 0xD9) {
      pos += 2;
      continue;
    }
    if (marker == 0xDA) break;
    size_t length = 2;
    if (!(marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))) {
      if (pos + 3 >= data.size()) break;
      length += (size_t{data[pos + 2]} << 8) | data[pos + 3];
    }
    const size_t end = std::min(data.size(), pos + length);
    out.insert(out.end(), data.begin() + static_cast<ptrdiff_t>(pos), data.begin() + static_cast<ptrdiff_t>(end));
    pos = end;
  }
  out.insert(out.end(), data.begin() + static_cast<ptrdiff_t>(std::min(pos, data.size())), data.end());
  return out;
}

namespace {

// The C part of decoding: no C++ object with a destructor lives between
// setjmp and the calls that may jump back.
bool DecodeJpegInto(const uint8_t* data, size_t size, QImage* image, platform::TJpegErrorManager* err) {
  jpeg_decompress_struct info;
  info.err = err->Install();
  if (setjmp(err->Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > unsigned(kMaxBitmapSide) ||
      info.image_height > unsigned(kMaxBitmapSide) ||
      int64_t{info.image_width} * info.image_height > kMaxBitmapPixels) {
    std::snprintf(err->Message, sizeof err->Message, "JPEG size %ux%u refused", info.image_width,
                  info.image_height);
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&info);
  *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                  QImage::Format_ARGB32_Premultiplied);
  if (image->isNull()) {
    std::snprintf(err->Message, sizeof err->Message, "out of memory for the JPEG picture");
    jpeg_destroy_decompress(&info);
    return false;
  }
  image->fill(0xFF000000u);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage DecodeJpeg(std::span<const uint8_t> data, std::string& error) {
  QImage image;
  platform::TJpegErrorManager err;
  if (data.empty()) {
    error = "empty JPEG data";
    return {};
  }
  if (!DecodeJpegInto(data.data(), data.size(), &image, &err)) {
    error = std::string("JPEG: ") + err.Message;
    return {};
  }
  return image;
}

bool ApplyAlphaPlane(QImage& image, std::span<const uint8_t> zlibAlpha, std::string& error) {
  const size_t pixels = size_t(image.width()) * size_t(image.height());
  std::vector<uint8_t> alpha;
  if (!InflateBounded(zlibAlpha, pixels, alpha)) error = "the alpha plane is corrupt or too long";
  if (alpha.size() < pixels) {
    if (error.empty()) error = "the alpha plane is shorter than the picture";
    alpha.resize(pixels, 255);
  }
  size_t i = 0;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x, ++i) {
      const int a = alpha[i];
      const QRgb p = row[x];
      row[x] = qRgba(qRed(p) * a / 255, qGreen(p) * a / 255, qBlue(p) * a / 255, a);
    }
  }
  return error.empty();
}

QImage DecodeLossless(int format, int width, int height, std::span<const uint8_t> data, bool withAlpha,
                      std::string& error) {
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      int64_t{width} * height > kMaxBitmapPixels) {
    error = "bitmap size " + std::to_string(width) + "x" + std::to_string(height) + " refused";
    return {};
  }
  if (format != 3 && format != 4 && format != 5) {
    error = "bitmap format " + std::to_string(format) + " not supported";
    return {};
  }
  size_t tableEntries = 0;
  if (format == 3) {
    if (data.empty()) {
      error = "bitmap data missing";
      return {};
    }
    tableEntries = size_t{data[0]} + 1;
    data = data.subspan(1);
  }
  const size_t entryBytes = withAlpha ? 4 : 3;
  const size_t rowBytes = format == 3   ? (size_t(width) + 3) & ~size_t{3}
                          : format == 4 ? ((size_t(width) * 2) + 3) & ~size_t{3}
                                        : size_t(width) * 4;
  const size_t tableBytes = tableEntries * entryBytes;
  const size_t expected = tableBytes + rowBytes * size_t(height);
  // Damaged pixel data leaves the bitmap out: nothing is built for a
  // picture whose declared size its data does not back.
  std::vector<uint8_t> raw;
  if (!InflateBounded(data, expected, raw)) {
    error = "bitmap data corrupt or longer than the picture";
    return {};
  }
  if (raw.size() < expected) {
    error = "bitmap data shorter than the picture";
    return {};
  }
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) {
    error = "out of memory for the bitmap";
    return {};
  }
  std::vector<QRgb> table(256, 0);
  for (size_t i = 0; i < tableEntries; ++i) {
    const uint8_t* e = raw.data() + i * entryBytes;
    const int a = withAlpha ? e[3] : 255;
    table[i] = qRgba(e[0] * a / 255, e[1] * a / 255, e[2] * a / 255, a);
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t* src = raw.data() + tableBytes + rowBytes * size_t(y);
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (format == 3) {
        row[x] = table[src[x]];
      } else if (format == 4) {
        const unsigned pix = (unsigned{src[2 * x]} << 8) | src[2 * x + 1];
        const int r = (pix >> 10) & 31, g = (pix >> 5) & 31, b = pix & 31;
        row[x] = qRgb(r * 255 / 31, g * 255 / 31, b * 255 / 31);
      } else {
        const uint8_t* p = src + 4 * x;
        if (!withAlpha) {
          row[x] = qRgb(p[1], p[2], p[3]);
        } else {
          const int a = p[0];
          row[x] = qRgba(std::min<int>(p[1], a), std::min<int>(p[2], a), std::min<int>(p[3], a), a);
        }
      }
    }
  }
  return image;
}

}  // namespace tessaly::player
