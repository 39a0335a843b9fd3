#pragma once
// Bounded reading of SWF data: bytes, little-endian integers and bit fields.
//
// Reading past the end never touches memory outside the buffer: it yields
// zeros and sets the overrun flag, so that parsers of untrusted movies can
// run their loops to an end and then check once whether the data was short.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tessaly::player {

class TSwfBitReader {
 public:
  TSwfBitReader() = default;
  explicit TSwfBitReader(std::span<const uint8_t> data) : data_(data) {}

  uint8_t ReadByte();
  uint16_t ReadWord();
  uint32_t ReadDWord();
  int16_t ReadSignedWord() { return static_cast<int16_t>(ReadWord()); }
  float ReadSingle();
  double ReadDouble();  // the action format: high 32 bits first, each half little-endian

  uint32_t ReadBits(unsigned count);       // count 0..32, most significant first
  int32_t ReadSignedBits(unsigned count);  // sign-extended
  bool ReadBit() { return ReadBits(1) != 0; }
  void AlignByte() { bitCount_ = 0; }

  // A zero-terminated string (the terminator is consumed, not returned).
  std::string ReadString();
  // The next count bytes as a view; shorter when the data ends first.
  std::span<const uint8_t> ReadBytes(size_t count);
  void Skip(size_t count);
  // A reader over bytes [begin, end) of the same data (clipped to its size).
  TSwfBitReader Sub(size_t begin, size_t end) const;

  size_t Position() const { return pos_; }
  size_t Size() const { return data_.size(); }
  size_t Remaining() const { return pos_ < data_.size() ? data_.size() - pos_ : 0; }
  bool AtEnd() const { return pos_ >= data_.size(); }
  // True once any read wanted bytes that were not there.
  bool Overrun() const { return overrun_; }

 private:
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  uint8_t bitBuffer_ = 0;
  unsigned bitCount_ = 0;  // bits of bitBuffer_ not yet read
  bool overrun_ = false;
};

}  // namespace tessaly::player
