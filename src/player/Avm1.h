#pragma once
// The action interpreter: runs action records of frames and buttons on a
// stack of values, with variables on clips and instance names resolving to
// the instances placed with them. Every run is bounded: a budget of actions
// per frame, jumps that leave their block end it, and popping an empty
// stack yields undefined.

#include "player/AvmValue.h"
#include "player/DisplayList.h"

#include <string>
#include <vector>

namespace tessaly::player {

// What the scripts ask of the player around them.
class TAvmHost {
 public:
  virtual ~TAvmHost() = default;
  virtual void GetUrl(const std::string& url, const std::string& target) = 0;
  // Constraint in the target's parent coordinates (pixels).
  virtual void StartDrag(TDisplayObject& target, bool lockCenter, bool constrained, double left, double top,
                         double right, double bottom) = 0;
  virtual void EndDrag() = 0;
};

// Actions a frame may run in all, frame and button actions together.
inline constexpr int kMaxActionsPerFrame = 200000;

class TAvm1 {
 public:
  TAvm1(const TMovieDef& movie, TDisplayList& display, TAvmHost& host);

  // Runs actions with target as the current clip.
  void Run(TDisplayObject& target, const TActionList& actions);
  // A fresh budget for the next frame.
  void NewFrame() { budget_ = kMaxActionsPerFrame; }
  bool BudgetSpent() const { return budget_ <= 0; }

  // The instance a target path names, seen from `from`: "", "/", "_root",
  // "_level0", "_parent", "..", "this", names, "/a/b", "a.b", "../c".
  TDisplayObject* ResolveTarget(TDisplayObject& from, const std::string& path) const;
  TAvmValue GetVariable(TDisplayObject& scope, const std::string& name) const;
  void SetVariable(TDisplayObject& scope, const std::string& name, const TAvmValue& value);

 private:
  std::string Key(const std::string& name) const;
  TDisplayObject* Child(TDisplayObject& parent, const std::string& name) const;
  TAvmValue Pop();
  void Push(TAvmValue v) { stack_.push_back(std::move(v)); }
  void PushData(const TActionRecord& a);
  bool Execute(TDisplayObject*& target, TDisplayObject& original, const TActionRecord& a);
  TAvmValue Add2(const TAvmValue& a, const TAvmValue& b) const;
  bool Equals2(const TAvmValue& a, const TAvmValue& b) const;
  TAvmValue Less2(const TAvmValue& a, const TAvmValue& b) const;
  void GotoLabel(TDisplayObject& clip, const std::string& label);

  const TMovieDef& movie_;
  TDisplayList& display_;
  TAvmHost& host_;
  int version_;
  std::vector<TAvmValue> stack_;
  std::vector<std::string> constants_;
  TAvmValue registers_[4];
  uint32_t random_ = 0;
  int budget_ = kMaxActionsPerFrame;
};

// The properties by index (0 _x, 1 _y, 2 _xscale, 3 _yscale, 4 _currentframe,
// 5 _totalframes, 6 _alpha, 7 _visible, 8 _width, 9 _height, 10 _rotation,
// 11 _target, 12 _framesloaded, 13 _name); positions and sizes in pixels.
TAvmValue GetProperty(const TDisplayObject& object, int index);
// Sets a property from a value; returns false for read-only or unknown ones.
bool SetProperty(TDisplayObject& object, int index, const TAvmValue& value);
// The index of a property name such as "_x", or -1.
int PropertyIndex(const std::string& name);

}  // namespace tessaly::player
