#pragma once
// Reads back the movies the pipeline writes, for the tests: the header and
// the tag stream (a "CWS" body is inflated first).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly::test {

struct TSwfTag {
  std::uint16_t Code = 0;
  std::vector<std::uint8_t> Body;
};

struct TSwfFile {
  std::string Signature;
  std::uint8_t Version = 0;
  std::uint32_t FileLength = 0;
  std::int32_t Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
  std::uint16_t FrameRate = 0;  // 8.8 fixed point
  std::uint16_t FrameCount = 0;
  std::vector<TSwfTag> Tags;

  // The tags with the code, in order.
  std::vector<const TSwfTag*> TagsWith(std::uint16_t code) const;
  std::size_t CountOf(std::uint16_t code) const { return TagsWith(code).size(); }
};

// Throws std::runtime_error for data that is not a whole movie.
TSwfFile ReadSwf(std::span<const std::uint8_t> bytes);

// zlib-inflates a whole stream.
std::vector<std::uint8_t> Inflate(std::span<const std::uint8_t> bytes);

// The first text record of a DefineText / DefineText2 body.
struct TTextRecordHead {
  std::uint16_t FontId = 0;
  std::uint32_t Color = 0;  // RGBA value
  std::int16_t XOffset = 0, YOffset = 0;
  std::uint16_t Height = 0;
};
TTextRecordHead FirstTextRecord(const TSwfTag& defineText);

// The TextBounds RECT of a DefineText / DefineText2 body, in twips.
struct TTwipsRect {
  std::int32_t Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
};
TTwipsRect TextBoundsOf(const TSwfTag& defineText);

// The glyph entries of all text records of a DefineText / DefineText2 body.
std::size_t TextGlyphCount(const TSwfTag& defineText);

// The character codes of a DefineFont2 body's code table, in glyph order.
std::vector<std::uint16_t> FontCodes(const TSwfTag& defineFont2);

// One action record: its code and, for codes from 0x80, the bytes its
// declared length covers.
struct TActionRecord {
  std::uint8_t Code = 0;
  std::vector<std::uint8_t> Payload;
};
// Every action list of the movie, each up to its end action: DoAction tags
// and the condition actions of DefineButton2 tags. Throws
// std::runtime_error when a record runs past its tag.
std::vector<std::vector<TActionRecord>> MovieActionLists(const TSwfFile& swf);

inline std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

}  // namespace tessaly::test
