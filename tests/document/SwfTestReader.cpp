#include "document/SwfTestReader.h"

#include <zlib.h>

#include <stdexcept>

namespace tessaly::test {

std::vector<const TSwfTag*> TSwfFile::TagsWith(std::uint16_t code) const {
  std::vector<const TSwfTag*> found;
  for (const TSwfTag& t : Tags)
    if (t.Code == code) found.push_back(&t);
  return found;
}

std::vector<std::uint8_t> Inflate(std::span<const std::uint8_t> bytes) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit");
  std::vector<std::uint8_t> out;
  std::uint8_t buffer[16384];
  z.next_in = const_cast<Bytef*>(bytes.data());
  z.avail_in = static_cast<uInt>(bytes.size());
  int rc = Z_OK;
  while (rc != Z_STREAM_END) {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    rc = inflate(&z, Z_NO_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END) {
      inflateEnd(&z);
      throw std::runtime_error("bad zlib stream");
    }
    out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
  }
  inflateEnd(&z);
  return out;
}

namespace {

struct TBitReader {
  const std::vector<std::uint8_t>& Data;
  std::size_t Bit = 0;
  std::uint32_t Unsigned(int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i, ++Bit) v = (v << 1) | ((Data.at(Bit / 8) >> (7 - Bit % 8)) & 1);
    return v;
  }
  std::int32_t Signed(int n) {
    std::uint32_t v = Unsigned(n);
    if (n > 0 && (v & (1u << (n - 1)))) v |= ~((1u << n) - 1);
    return static_cast<std::int32_t>(v);
  }
};

void SkipRect(TBitReader& bits) {
  const int n = static_cast<int>(bits.Unsigned(5));
  bits.Bit += 4 * n;
  bits.Bit = (bits.Bit + 7) / 8 * 8;
}

void SkipMatrix(TBitReader& bits) {
  if (bits.Unsigned(1)) bits.Bit += 2 * bits.Unsigned(5);
  if (bits.Unsigned(1)) bits.Bit += 2 * bits.Unsigned(5);
  bits.Bit += 2 * bits.Unsigned(5);
  bits.Bit = (bits.Bit + 7) / 8 * 8;
}

}  // namespace

TTwipsRect TextBoundsOf(const TSwfTag& defineText) {
  TBitReader bits{defineText.Body, 16};
  const int n = static_cast<int>(bits.Unsigned(5));
  TTwipsRect rect;
  rect.Xmin = bits.Signed(n);
  rect.Xmax = bits.Signed(n);
  rect.Ymin = bits.Signed(n);
  rect.Ymax = bits.Signed(n);
  return rect;
}

TTextRecordHead FirstTextRecord(const TSwfTag& defineText) {
  const bool alpha = defineText.Code == 33;
  TBitReader bits{defineText.Body, 16};
  SkipRect(bits);
  SkipMatrix(bits);
  std::size_t at = bits.Bit / 8 + 2;  // GlyphBits, AdvanceBits
  const std::vector<std::uint8_t>& b = defineText.Body;
  const std::uint8_t flags = b.at(at++);
  TTextRecordHead head;
  if (flags & 0x08) head.FontId = U16At(b, at), at += 2;
  if (flags & 0x04) {
    head.Color = b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (alpha ? std::uint32_t(b.at(at + 3)) << 24 : 0xFF000000u);
    at += alpha ? 4 : 3;
  }
  if (flags & 0x01) head.XOffset = static_cast<std::int16_t>(U16At(b, at)), at += 2;
  if (flags & 0x02) head.YOffset = static_cast<std::int16_t>(U16At(b, at)), at += 2;
  if (flags & 0x08) head.Height = U16At(b, at);
  return head;
}

std::size_t TextGlyphCount(const TSwfTag& defineText) {
  const bool alpha = defineText.Code == 33;
  TBitReader bits{defineText.Body, 16};
  SkipRect(bits);
  SkipMatrix(bits);
  const std::vector<std::uint8_t>& b = defineText.Body;
  std::size_t at = bits.Bit / 8;
  const int glyphBits = b.at(at), advanceBits = b.at(at + 1);
  at += 2;
  std::size_t glyphs = 0;
  for (std::uint8_t flags = b.at(at++); flags != 0; flags = b.at(at++)) {
    if (flags & 0x08) at += 2;
    if (flags & 0x04) at += alpha ? 4 : 3;
    if (flags & 0x01) at += 2;
    if (flags & 0x02) at += 2;
    if (flags & 0x08) at += 2;
    const std::size_t count = b.at(at++);
    glyphs += count;
    at += (count * static_cast<std::size_t>(glyphBits + advanceBits) + 7) / 8;
  }
  return glyphs;
}

std::vector<std::uint16_t> FontCodes(const TSwfTag& defineFont2) {
  const std::vector<std::uint8_t>& b = defineFont2.Body;
  const std::uint8_t flags = b.at(2);
  const bool wideOffsets = flags & 0x08, wideCodes = flags & 0x04;
  const std::size_t offsetTable = 5 + b.at(4) + 2;
  const std::size_t glyphs = U16At(b, offsetTable - 2);
  const std::size_t codeTableAt = wideOffsets ? offsetTable + glyphs * 4 : offsetTable + glyphs * 2;
  const std::size_t codeTable =
      offsetTable + (wideOffsets ? U16At(b, codeTableAt) | (std::size_t{U16At(b, codeTableAt + 2)} << 16)
                                 : U16At(b, codeTableAt));
  std::vector<std::uint16_t> codes;
  for (std::size_t i = 0; i < glyphs; ++i)
    codes.push_back(wideCodes ? U16At(b, codeTable + 2 * i) : b.at(codeTable + i));
  return codes;
}

namespace {

std::vector<TActionRecord> ActionList(const std::vector<std::uint8_t>& body, std::size_t at) {
  std::vector<TActionRecord> list;
  for (;;) {
    TActionRecord record;
    record.Code = body.at(at++);
    if (record.Code == 0) return list;
    if (record.Code >= 0x80) {
      const std::size_t length = U16At(body, at);
      at += 2;
      if (at + length > body.size()) throw std::runtime_error("action runs past its tag");
      record.Payload.assign(body.begin() + static_cast<std::ptrdiff_t>(at),
                            body.begin() + static_cast<std::ptrdiff_t>(at + length));
      at += length;
    }
    list.push_back(std::move(record));
  }
}

// The condition actions of a DefineButton2 body: ButtonId, flags, then
// ActionOffset, counted from its own field, to the first condition.
void AddButtonActionLists(const std::vector<std::uint8_t>& body, std::vector<std::vector<TActionRecord>>& lists) {
  std::size_t at = 3;
  std::size_t offset = U16At(body, at);
  while (offset != 0) {
    at += offset;
    offset = U16At(body, at);
    lists.push_back(ActionList(body, at + 4));
  }
}

}  // namespace

std::vector<std::vector<TActionRecord>> MovieActionLists(const TSwfFile& swf) {
  std::vector<std::vector<TActionRecord>> lists;
  for (const TSwfTag& tag : swf.Tags) {
    if (tag.Code == 12) lists.push_back(ActionList(tag.Body, 0));
    if (tag.Code == 34) AddButtonActionLists(tag.Body, lists);
  }
  return lists;
}

TSwfFile ReadSwf(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 8) throw std::runtime_error("short movie");
  TSwfFile f;
  f.Signature.assign(bytes.begin(), bytes.begin() + 3);
  f.Version = bytes[3];
  f.FileLength = bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (std::uint32_t(bytes[7]) << 24);
  std::vector<std::uint8_t> rest;
  if (f.Signature == "CWS")
    rest = Inflate(bytes.subspan(8));
  else if (f.Signature == "FWS")
    rest.assign(bytes.begin() + 8, bytes.end());
  else
    throw std::runtime_error("bad signature");
  if (rest.size() + 8 != f.FileLength) throw std::runtime_error("file length does not match");

  TBitReader bits{rest};
  const int n = static_cast<int>(bits.Unsigned(5));
  f.Xmin = bits.Signed(n);
  f.Xmax = bits.Signed(n);
  f.Ymin = bits.Signed(n);
  f.Ymax = bits.Signed(n);
  std::size_t at = (bits.Bit + 7) / 8;
  f.FrameRate = U16At(rest, at);
  f.FrameCount = U16At(rest, at + 2);
  at += 4;
  while (at < rest.size()) {
    const std::uint16_t head = U16At(rest, at);
    at += 2;
    std::uint32_t length = head & 0x3F;
    if (length == 0x3F) {
      length = rest.at(at) | (rest.at(at + 1) << 8) | (rest.at(at + 2) << 16) | (std::uint32_t(rest.at(at + 3)) << 24);
      at += 4;
    }
    if (at + length > rest.size()) throw std::runtime_error("tag runs past the end");
    TSwfTag tag;
    tag.Code = head >> 6;
    tag.Body.assign(rest.begin() + at, rest.begin() + at + length);
    at += length;
    f.Tags.push_back(std::move(tag));
    if (f.Tags.back().Code == 0) break;
  }
  return f;
}

}  // namespace tessaly::test
