#pragma once
// The action interpreter: runs action records of frames and buttons on a
// stack of values, with variables on clips and instance names resolving to
// the instances placed with them. Every run is bounded: a budget of actions
// per frame (long strings cost more), jumps that leave their block end it,
// popping an empty stack yields undefined, and a block that would grow the
// stack or its strings past their limits is cut off.

#include "player/AvmProperties.h"
#include "player/AvmValue.h"
#include "player/DisplayList.h"
#include "player/SwfBitReader.h"

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
// Every this many bytes of a string an action makes or takes from the stack
// count as one more action, so that long strings cannot stall a frame.
inline constexpr size_t kStringBytesPerAction = 256;
// Values on the stack; bytes of one string; bytes of all strings the
// scripts made that are still held (stack, registers, variables).
inline constexpr size_t kMaxStackDepth = 100'000;
inline constexpr size_t kMaxStringBytes = size_t{1} << 20;
inline constexpr int64_t kMaxScriptTextBytes = int64_t{64} << 20;

class TAvm1 {
 public:
  TAvm1(const TMovieDef& movie, TDisplayList& display, TAvmHost& host);

  // Runs actions with target as the current clip.
  void Run(TDisplayObject& target, const TActionList& actions);
  // A fresh budget for the next frame.
  void NewFrame() { budget_ = kMaxActionsPerFrame; }
  bool BudgetSpent() const { return budget_ <= 0; }
  // Why the last block that passed a limit of the stack or of strings, or
  // ran out of memory, was cut off; empty when none was. Taking it clears it.
  std::string TakeCutOffReason();

  // The instance a target path names, seen from `from`: "", "/", "_root",
  // "_level0", "_parent", "..", "this", names, "/a/b", "a.b", "../c".
  TDisplayObject* ResolveTarget(TDisplayObject& from, const std::string& path) const;
  TAvmValue GetVariable(TDisplayObject& scope, const std::string& name) const;
  void SetVariable(TDisplayObject& scope, const std::string& name, const TAvmValue& value);

 private:
  // A variable path split at its last ':', '.' or '/' (not a leading one):
  // the instance that owns the variable (null when the path names none)
  // and the variable's name.
  struct TVariableRef {
    TDisplayObject* owner;
    std::string name;
  };
  TVariableRef SplitVariable(TDisplayObject& scope, const std::string& path) const;
  std::string Key(const std::string& name) const;
  TDisplayObject* Child(TDisplayObject& parent, const std::string& name) const;
  TAvmValue Pop();
  // Pushes a value; a string that no meter of this interpreter counts yet
  // is counted first (see Text).
  void Push(TAvmValue v);
  void PushText(std::string s) { Push(Text(std::move(s))); }
  // A string counted by the interpreter's meter, or undefined with the block
  // cut off when it would pass a string limit.
  TAvmValue Text(std::string s);
  void CutOff(const std::string& reason);
  void RunBlock(TDisplayObject& origin, const TActionList& actions);
  void PushData(const TActionRecord& a);
  // Runs one action other than the branches; false when it ends the block.
  bool Execute(TDisplayObject*& target, TDisplayObject& original, const TActionRecord& a);
  // The families of actions: each runs an action of its own and returns
  // true, or returns false for an action that is not its own.
  bool RunArithmetic(uint8_t code);
  void RunBitOperation(uint8_t code);
  bool RunComparison(uint8_t code);
  bool RunStringAction(uint8_t code);
  bool RunStackAction(const TActionRecord& a);
  bool RunVariableAction(TDisplayObject& target, uint8_t code);
  bool RunMovieControl(TDisplayObject*& target, TDisplayObject& origin, const TActionRecord& a);
  void StartDrag(TDisplayObject& target);
  void GotoFrame2(TDisplayObject& target, TSwfBitReader& in);
  // A value as the version-4 operators read it: undefined is 0 before
  // version 7.
  double Num(const TAvmValue& v) const;
  // The instance a value names: a clip, or a target path from target.
  TDisplayObject* ClipOf(TDisplayObject& target, const TAvmValue& v) const;
  TAvmValue Add2(const TAvmValue& a, const TAvmValue& b) const;
  bool Equals2(const TAvmValue& a, const TAvmValue& b) const;
  TAvmValue Less2(const TAvmValue& a, const TAvmValue& b) const;
  void GotoLabel(TDisplayObject& clip, const std::string& label);

  const TMovieDef& movie_;
  TDisplayList& display_;
  TAvmHost& host_;
  int version_;
  TAvmTextMeter meter_;
  std::vector<TAvmValue> stack_;
  std::vector<TAvmValue> constants_;
  TAvmValue registers_[4];
  uint32_t random_ = 0;
  int budget_ = kMaxActionsPerFrame;
  bool cutOff_ = false;  // the running block ends after its current action
  std::string cutOffReason_;
};

}  // namespace tessaly::player
