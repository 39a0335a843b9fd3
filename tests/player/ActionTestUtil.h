#pragma once
// Action records and buttons for the interpreter and mouse tests.

#include "player/SwfTestBuilder.h"

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace tessaly::player::test {

inline TBytes Action(uint8_t code, const TBytes& data = {}) {
  TBytes a{code};
  if (code >= 0x80) {
    a.push_back(static_cast<uint8_t>(data.size() & 0xFF));
    a.push_back(static_cast<uint8_t>(data.size() >> 8));
    a.insert(a.end(), data.begin(), data.end());
  }
  return a;
}

// Push payloads, one value each; join several into one Push with Push().
inline TBytes PStr(const std::string& s) {
  TBytes b{0};
  b.insert(b.end(), s.begin(), s.end());
  b.push_back(0);
  return b;
}
inline TBytes PFloat(float f) {
  TBytes b{1, 0, 0, 0, 0};
  std::memcpy(&b[1], &f, 4);
  return b;
}
inline TBytes PNull() { return {2}; }
inline TBytes PUndefined() { return {3}; }
inline TBytes PBool(bool v) { return {5, static_cast<uint8_t>(v)}; }
inline TBytes PDouble(double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, 8);
  const uint32_t hi = static_cast<uint32_t>(bits >> 32), lo = static_cast<uint32_t>(bits);
  TBytes b{6};
  for (uint32_t part : {hi, lo})
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(part >> (8 * i)));
  return b;
}
inline TBytes PInt(int32_t v) {
  TBytes b{7};
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  return b;
}
inline TBytes PConst(uint8_t index) { return {8, index}; }

inline TBytes Push(std::initializer_list<TBytes> values) { return Action(0x96, Join(values)); }

inline TBytes ConstantPool(const std::vector<std::string>& strings) {
  TBytes d{static_cast<uint8_t>(strings.size()), static_cast<uint8_t>(strings.size() >> 8)};
  for (const std::string& s : strings) {
    d.insert(d.end(), s.begin(), s.end());
    d.push_back(0);
  }
  return Action(0x88, d);
}

inline TBytes Branch(uint8_t code, int16_t offset) {
  return Action(code, {static_cast<uint8_t>(offset & 0xFF), static_cast<uint8_t>((offset >> 8) & 0xFF)});
}
inline TBytes Jump(int16_t offset) { return Branch(0x99, offset); }
inline TBytes If(int16_t offset) { return Branch(0x9D, offset); }

inline TBytes SetVar(const std::string& name, const TBytes& value) {
  return Join({Push({PStr(name), value}), Action(0x1D)});
}

// A DefineButton2 body: records (states, character, depth) at identity and
// condition actions (conditions as the file's 16 bits, actions without end).
struct TCondActions {
  uint16_t fileConditions;
  TBytes actions;
};

inline TBytes Button2Body(uint16_t id, const std::vector<std::tuple<uint8_t, uint16_t, uint16_t>>& records,
                          const std::vector<TCondActions>& conds) {
  TBitWriter w;
  w.Word(id);
  w.Byte(0);
  TBitWriter rest;
  for (const auto& [states, character, depth] : records) {
    rest.Byte(states);
    rest.Word(character);
    rest.Word(depth);
    rest.Translate(0, 0);
    rest.Byte(0);
  }
  rest.Byte(0);
  TBytes tail = rest.Data();
  const uint16_t actionOffset = conds.empty() ? 0 : static_cast<uint16_t>(2 + tail.size());
  for (size_t i = 0; i < conds.size(); ++i) {
    TBytes record = Join({conds[i].actions, TBytes{0}});
    const size_t size = 4 + record.size();
    const uint16_t sizeField = i + 1 < conds.size() ? static_cast<uint16_t>(size) : 0;
    tail.insert(tail.end(), {static_cast<uint8_t>(sizeField & 0xFF), static_cast<uint8_t>(sizeField >> 8),
                             static_cast<uint8_t>(conds[i].fileConditions & 0xFF),
                             static_cast<uint8_t>(conds[i].fileConditions >> 8)});
    tail.insert(tail.end(), record.begin(), record.end());
  }
  w.Word(actionOffset);
  w.Append(tail);
  return w.Data();
}

// Condition bits as the file holds them (first byte, then second byte).
inline constexpr uint16_t kOnRollOver = 0x0001;   // idle to over-up
inline constexpr uint16_t kOnRollOut = 0x0002;    // over-up to idle
inline constexpr uint16_t kOnPress = 0x0004;      // over-up to over-down
inline constexpr uint16_t kOnRelease = 0x0008;    // over-down to over-up
inline constexpr uint16_t kOnReleaseOutside = 0x0040;  // out-down to idle

}  // namespace tessaly::player::test
