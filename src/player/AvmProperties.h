#pragma once
// The properties of instances as scripts see them (_x, _y, _xscale, ...).

#include "player/AvmValue.h"
#include "player/DisplayList.h"

#include <string>

namespace tessaly::player {

// Longest variable or instance name a script may set.
inline constexpr size_t kMaxNameBytes = 1024;

// S with its ASCII letters in lower case: names in scripts below version 7
// are compared so.
std::string LowerAscii(std::string s);

// The properties by index (0 _x, 1 _y, 2 _xscale, 3 _yscale, 4 _currentframe,
// 5 _totalframes, 6 _alpha, 7 _visible, 8 _width, 9 _height, 10 _rotation,
// 11 _target, 12 _framesloaded, 13 _name); positions and sizes in pixels.
TAvmValue GetProperty(const TDisplayObject& object, int index);
// Sets a property from a value; returns false for read-only or unknown ones.
bool SetProperty(TDisplayObject& object, int index, const TAvmValue& value);
// The index of a property name such as "_x", or -1.
int PropertyIndex(const std::string& name);

}  // namespace tessaly::player
