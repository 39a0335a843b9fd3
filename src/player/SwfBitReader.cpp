#include "player/SwfBitReader.h"

#include <algorithm>
#include <cstring>

namespace tessaly::player {

uint8_t TSwfBitReader::ReadByte() {
  bitCount_ = 0;
  if (pos_ >= data_.size()) {
    overrun_ = true;
    return 0;
  }
  return data_[pos_++];
}

uint16_t TSwfBitReader::ReadWord() {
  const uint16_t lo = ReadByte();
  const uint16_t hi = ReadByte();
  return static_cast<uint16_t>(lo | (hi << 8));
}

uint32_t TSwfBitReader::ReadDWord() {
  const uint32_t lo = ReadWord();
  const uint32_t hi = ReadWord();
  return lo | (hi << 16);
}

float TSwfBitReader::ReadSingle() {
  const uint32_t bits = ReadDWord();
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

double TSwfBitReader::ReadDouble() {
  const uint64_t hi = ReadDWord();
  const uint64_t lo = ReadDWord();
  const uint64_t bits = (hi << 32) | lo;
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

uint32_t TSwfBitReader::ReadBits(unsigned count) {
  uint64_t value = 0;
  while (count > 0) {
    if (bitCount_ == 0) {
      if (pos_ >= data_.size()) {
        overrun_ = true;
        return count >= 32 ? 0 : static_cast<uint32_t>(value << count);
      }
      bitBuffer_ = data_[pos_++];
      bitCount_ = 8;
    }
    const unsigned take = count < bitCount_ ? count : bitCount_;
    const unsigned shift = bitCount_ - take;
    const uint32_t bits = (bitBuffer_ >> shift) & ((1u << take) - 1u);
    value = (value << take) | bits;
    bitCount_ -= take;
    count -= take;
  }
  return static_cast<uint32_t>(value);
}

int32_t TSwfBitReader::ReadSignedBits(unsigned count) {
  if (count == 0) return 0;
  const uint32_t raw = ReadBits(count);
  if (count >= 32) return static_cast<int32_t>(raw);
  const uint32_t sign = 1u << (count - 1);
  return static_cast<int32_t>((raw ^ sign) - sign);
}

std::string TSwfBitReader::ReadString() {
  bitCount_ = 0;
  std::string text;
  while (pos_ < data_.size()) {
    const char c = static_cast<char>(data_[pos_++]);
    if (c == '\0') return text;
    text.push_back(c);
  }
  overrun_ = true;
  return text;
}

std::span<const uint8_t> TSwfBitReader::ReadBytes(size_t count) {
  bitCount_ = 0;
  const size_t available = Remaining();
  if (count > available) {
    overrun_ = true;
    count = available;
  }
  const auto bytes = data_.subspan(pos_, count);
  pos_ += count;
  return bytes;
}

void TSwfBitReader::Skip(size_t count) { ReadBytes(count); }

TSwfBitReader TSwfBitReader::Sub(size_t begin, size_t end) const {
  end = std::min(end, data_.size());
  begin = std::min(begin, end);
  return TSwfBitReader(data_.subspan(begin, end - begin));
}

}  // namespace tessaly::player
