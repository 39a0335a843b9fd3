#pragma once
// Small helpers of the SWF writer tests: run a writer into memory and show
// the bytes as hex or bits.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "swf/SWFObjects.h"
#include "swf/SWFTools.h"

namespace tessaly::swf::test {

// "78 00 04" style text of bytes.
inline std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (uint8_t b : bytes) {
    if (!s.empty()) s += ' ';
    s += digits[b >> 4];
    s += digits[b & 15];
  }
  return s;
}

// "0110..." text of the first Count bits of the bytes.
inline std::string Bits(const std::vector<uint8_t>& bytes, size_t count) {
  std::string s;
  for (size_t i = 0; i < count && i / 8 < bytes.size(); ++i) s += (bytes[i / 8] >> (7 - i % 8)) & 1 ? '1' : '0';
  return s;
}

// The bytes a writer produces through a fresh engine; pending bits are
// padded.
inline std::vector<uint8_t> Written(const std::function<void(TBitsEngine&)>& write) {
  TMemoryStream out;
  TBitsEngine be(out);
  write(be);
  be.FlushBits(true);
  return out.Bytes();
}

inline std::vector<uint8_t> BodyOf(TSWFObject& tag) {
  return Written([&](TBitsEngine& be) { tag.WriteTagBody(be); });
}

inline std::vector<uint8_t> TagOf(TBasedSWFObject& tag) {
  return Written([&](TBitsEngine& be) { tag.WriteToStream(be); });
}

inline std::vector<uint8_t> ActionOf(TSWFAction& action) {
  return Written([&](TBitsEngine& be) { action.WriteToStream(be); });
}

inline uint16_t Word(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }
inline uint32_t DWord(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(Word(b, at)) | uint32_t(Word(b, at + 2)) << 16;
}

}  // namespace tessaly::swf::test
