#pragma once
// A value of the action interpreter: undefined, null, a boolean, a number,
// a string, or a reference to a movie clip or button instance.

#include <cstdint>
#include <memory>
#include <string>

namespace tessaly::player {

class TDisplayObject;

struct TAvmValue {
  enum TType { vtUndefined, vtNull, vtBool, vtNumber, vtString, vtClip };

  TType type = vtUndefined;
  bool boolean = false;
  double number = 0;
  std::weak_ptr<TDisplayObject> clip;

  static TAvmValue Undefined() { return {}; }
  static TAvmValue Null() { return Of(vtNull); }
  static TAvmValue Bool(bool b) {
    TAvmValue v = Of(vtBool);
    v.boolean = b;
    return v;
  }
  static TAvmValue Number(double n) {
    TAvmValue v = Of(vtNumber);
    v.number = n;
    return v;
  }
  // A string counted by no meter (see TAvmTextMeter).
  static TAvmValue String(std::string s);
  static TAvmValue Clip(const std::shared_ptr<TDisplayObject>& c) {
    TAvmValue v = Of(vtClip);
    v.clip = c;
    return v;
  }

  // Conversions as the player's scripts see them; version is the movie's
  // SWF version (strings are true when non-empty from 7 on, else by number).
  double ToNumber() const;
  std::string ToString() const;
  bool ToBool(int version) const;
  // The characters of a string; empty for the other types.
  const std::string& Text() const;

 private:
  friend class TAvmTextMeter;

  // The characters of a string, shared by the copies of its value (copying
  // a long string costs nothing) and taken off their meter's count when the
  // last copy goes.
  struct TText {
    TText(std::string c, std::shared_ptr<int64_t> m) : chars(std::move(c)), meter(std::move(m)) {}
    TText(const TText&) = delete;
    TText& operator=(const TText&) = delete;
    ~TText();
    std::string chars;
    std::shared_ptr<int64_t> meter;
  };

  static TAvmValue Of(TType t) {
    TAvmValue v;
    v.type = t;
    return v;
  }

  std::shared_ptr<const TText> text_;
};

// Counts the bytes of the strings made through it that are still held
// anywhere (an interpreter's stack and registers, clips' variables), so
// that scripts cannot fill the memory with text. Strings that outlive the
// meter keep its count alive.
class TAvmTextMeter {
 public:
  TAvmTextMeter() : bytes_(std::make_shared<int64_t>(0)) {}
  int64_t Bytes() const { return *bytes_; }
  TAvmValue String(std::string s) const;
  // Whether v is a string this meter counts.
  bool Counts(const TAvmValue& v) const { return v.text_ && v.text_->meter == bytes_; }

 private:
  std::shared_ptr<int64_t> bytes_;
};

// Numbers as the player writes them: "40", "40.05", "-3.5", "NaN",
// "Infinity"; up to 15 significant digits.
std::string NumberToString(double n);

// A string read as a number ("" and non-numbers are NaN; leading and
// trailing blanks and "0x" hexadecimal are accepted).
double StringToNumber(const std::string& s);

}  // namespace tessaly::player
