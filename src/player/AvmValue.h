#pragma once
// A value of the action interpreter: undefined, null, a boolean, a number,
// a string, or a reference to a movie clip or button instance.

#include <memory>
#include <string>

namespace tessaly::player {

class TDisplayObject;

struct TAvmValue {
  enum TType { vtUndefined, vtNull, vtBool, vtNumber, vtString, vtClip };

  TType type = vtUndefined;
  bool boolean = false;
  double number = 0;
  std::string text;
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
  static TAvmValue String(std::string s) {
    TAvmValue v = Of(vtString);
    v.text = std::move(s);
    return v;
  }
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

 private:
  static TAvmValue Of(TType t) {
    TAvmValue v;
    v.type = t;
    return v;
  }
};

// Numbers as the player writes them: "40", "40.05", "-3.5", "NaN",
// "Infinity"; up to 15 significant digits.
std::string NumberToString(double n);

// A string read as a number ("" and non-numbers are NaN; leading and
// trailing blanks and "0x" hexadecimal are accepted).
double StringToNumber(const std::string& s);

}  // namespace tessaly::player
