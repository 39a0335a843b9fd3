#pragma once
// Action records: the families by version, GetURL, GetURL2, the branches
// If and Jump with the markers they aim at, Push with its values, raw byte
// code and the action list.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "swf/SWFFormat.h"
#include "swf/SWFTools.h"

namespace tessaly::swf {

class TSWFAction {
 public:
  explicit TSWFAction(uint8_t code) : actionCode_(code) {}
  virtual ~TSWFAction() = default;

  uint8_t ActionCode() const { return actionCode_; }
  // Length of the body, set when the action is written.
  uint16_t ActionLength() const { return actionLength_; }
  virtual uint8_t MinVersion() const { return 3; }
  // The body of actions with codes from 0x80 on.
  virtual void WriteActionData(TBitsEngine&) {}
  // Code byte, then for codes from 0x80 on the length and the body.
  virtual void WriteToStream(TBitsEngine& be);

 private:
  uint8_t actionCode_;
  uint16_t actionLength_ = 0;
};

// Families by the SWF version that introduced them.
class TSWFAction4 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  uint8_t MinVersion() const override { return 4; }
};
class TSWFAction5 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  uint8_t MinVersion() const override { return 5; }
};
class TSWFAction6 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  uint8_t MinVersion() const override { return 6; }
};
class TSWFAction7 : public TSWFAction {
 public:
  using TSWFAction::TSWFAction;
  uint8_t MinVersion() const override { return 7; }
};

// An action without a body: only its code.
template <class Family, uint8_t Code>
class TSWFCodeAction : public Family {
 public:
  static constexpr uint8_t kCode = Code;
  TSWFCodeAction() : Family(Code) {}
};

using TSWFActionNextFrame = TSWFCodeAction<TSWFAction, acNextFrame>;
using TSWFActionPreviousFrame = TSWFCodeAction<TSWFAction, acPreviousFrame>;
using TSWFActionPlay = TSWFCodeAction<TSWFAction, acPlay>;
using TSWFActionStop = TSWFCodeAction<TSWFAction, acStop>;
using TSWFActionToggleQuality = TSWFCodeAction<TSWFAction, acToggleQuality>;
using TSWFActionStopSounds = TSWFCodeAction<TSWFAction, acStopSounds>;

using TSWFActionAdd = TSWFCodeAction<TSWFAction4, acAdd>;
using TSWFActionSubtract = TSWFCodeAction<TSWFAction4, acSubtract>;
using TSWFActionMultiply = TSWFCodeAction<TSWFAction4, acMultiply>;
using TSWFActionDivide = TSWFCodeAction<TSWFAction4, acDivide>;
using TSWFActionEquals = TSWFCodeAction<TSWFAction4, acEquals>;
using TSWFActionLess = TSWFCodeAction<TSWFAction4, acLess>;
using TSWFActionAnd = TSWFCodeAction<TSWFAction4, acAnd>;
using TSWFActionOr = TSWFCodeAction<TSWFAction4, acOr>;
using TSWFActionNot = TSWFCodeAction<TSWFAction4, acNot>;
using TSWFActionStringEquals = TSWFCodeAction<TSWFAction4, acStringEquals>;
using TSWFActionStringLength = TSWFCodeAction<TSWFAction4, acStringLength>;
using TSWFActionStringExtract = TSWFCodeAction<TSWFAction4, acStringExtract>;
using TSWFActionPop = TSWFCodeAction<TSWFAction4, acPop>;
using TSWFActionToInteger = TSWFCodeAction<TSWFAction4, acToInteger>;
using TSWFActionGetVariable = TSWFCodeAction<TSWFAction4, acGetVariable>;
using TSWFActionSetVariable = TSWFCodeAction<TSWFAction4, acSetVariable>;
using TSWFActionSetTarget2 = TSWFCodeAction<TSWFAction4, acSetTarget2>;
using TSWFActionStringAdd = TSWFCodeAction<TSWFAction4, acStringAdd>;
using TSWFActionGetProperty = TSWFCodeAction<TSWFAction4, acGetProperty>;
using TSWFActionSetProperty = TSWFCodeAction<TSWFAction4, acSetProperty>;
using TSWFActionCloneSprite = TSWFCodeAction<TSWFAction4, acCloneSprite>;
using TSWFActionRemoveSprite = TSWFCodeAction<TSWFAction4, acRemoveSprite>;
using TSWFActionTrace = TSWFCodeAction<TSWFAction4, acTrace>;
using TSWFActionStartDrag = TSWFCodeAction<TSWFAction4, acStartDrag>;
using TSWFActionEndDrag = TSWFCodeAction<TSWFAction4, acEndDrag>;
using TSWFActionStringLess = TSWFCodeAction<TSWFAction4, acStringLess>;
using TSWFActionRandomNumber = TSWFCodeAction<TSWFAction4, acRandomNumber>;
using TSWFActionMBStringLength = TSWFCodeAction<TSWFAction4, acMBStringLength>;
using TSWFActionCharToAscii = TSWFCodeAction<TSWFAction4, acCharToAscii>;
using TSWFActionAsciiToChar = TSWFCodeAction<TSWFAction4, acAsciiToChar>;
using TSWFActionGetTime = TSWFCodeAction<TSWFAction4, acGetTime>;
using TSWFActionMBStringExtract = TSWFCodeAction<TSWFAction4, acMBStringExtract>;
using TSWFActionMBCharToAscii = TSWFCodeAction<TSWFAction4, acMBCharToAscii>;
using TSWFActionMBAsciiToChar = TSWFCodeAction<TSWFAction4, acMBAsciiToChar>;
// Call has a code from 0x80 on and an empty body: written with length 0.
using TSWFActionCall = TSWFCodeAction<TSWFAction4, acCall>;

using TSWFActionDelete = TSWFCodeAction<TSWFAction5, acDelete>;
using TSWFActionDelete2 = TSWFCodeAction<TSWFAction5, acDelete2>;
using TSWFActionDefineLocal = TSWFCodeAction<TSWFAction5, acDefineLocal>;
using TSWFActionCallFunction = TSWFCodeAction<TSWFAction5, acCallFunction>;
using TSWFActionReturn = TSWFCodeAction<TSWFAction5, acReturn>;
using TSWFActionModulo = TSWFCodeAction<TSWFAction5, acModulo>;
using TSWFActionNewObject = TSWFCodeAction<TSWFAction5, acNewObject>;
using TSWFActionDefineLocal2 = TSWFCodeAction<TSWFAction5, acDefineLocal2>;
using TSWFActionInitArray = TSWFCodeAction<TSWFAction5, acInitArray>;
using TSWFActionInitObject = TSWFCodeAction<TSWFAction5, acInitObject>;
using TSWFActionTypeOf = TSWFCodeAction<TSWFAction5, acTypeOf>;
using TSWFActionTargetPath = TSWFCodeAction<TSWFAction5, acTargetPath>;
using TSWFActionEnumerate = TSWFCodeAction<TSWFAction5, acEnumerate>;
using TSWFActionAdd2 = TSWFCodeAction<TSWFAction5, acAdd2>;
using TSWFActionLess2 = TSWFCodeAction<TSWFAction5, acLess2>;
using TSWFActionEquals2 = TSWFCodeAction<TSWFAction5, acEquals2>;
using TSWFActionToNumber = TSWFCodeAction<TSWFAction5, acToNumber>;
using TSWFActionToString = TSWFCodeAction<TSWFAction5, acToString>;
using TSWFActionPushDuplicate = TSWFCodeAction<TSWFAction5, acPushDuplicate>;
using TSWFActionStackSwap = TSWFCodeAction<TSWFAction5, acStackSwap>;
using TSWFActionGetMember = TSWFCodeAction<TSWFAction5, acGetMember>;
using TSWFActionSetMember = TSWFCodeAction<TSWFAction5, acSetMember>;
using TSWFActionIncrement = TSWFCodeAction<TSWFAction5, acIncrement>;
using TSWFActionDecrement = TSWFCodeAction<TSWFAction5, acDecrement>;
using TSWFActionCallMethod = TSWFCodeAction<TSWFAction5, acCallMethod>;
using TSWFActionNewMethod = TSWFCodeAction<TSWFAction5, acNewMethod>;
using TSWFActionBitAnd = TSWFCodeAction<TSWFAction5, acBitAnd>;
using TSWFActionBitOr = TSWFCodeAction<TSWFAction5, acBitOr>;
using TSWFActionBitXor = TSWFCodeAction<TSWFAction5, acBitXor>;
using TSWFActionBitLShift = TSWFCodeAction<TSWFAction5, acBitLShift>;
using TSWFActionBitRShift = TSWFCodeAction<TSWFAction5, acBitRShift>;
using TSWFActionBitURShift = TSWFCodeAction<TSWFAction5, acBitURShift>;

using TSWFActionInstanceOf = TSWFCodeAction<TSWFAction6, acInstanceOf>;
using TSWFActionEnumerate2 = TSWFCodeAction<TSWFAction6, acEnumerate2>;
using TSWFActionStrictEquals = TSWFCodeAction<TSWFAction6, acStrictEquals>;
using TSWFActionGreater = TSWFCodeAction<TSWFAction6, acGreater>;
using TSWFActionStringGreater = TSWFCodeAction<TSWFAction6, acStringGreater>;

using TSWFActionCastOp = TSWFCodeAction<TSWFAction7, acCastOp>;
using TSWFActionImplementsOp = TSWFCodeAction<TSWFAction7, acImplementsOp>;
using TSWFActionThrow = TSWFCodeAction<TSWFAction7, acThrow>;
using TSWFActionExtends = TSWFCodeAction<TSWFAction7, acExtends>;

// GetURL: the URL as UTF-8, the target window in the system code page.
class TSWFActionGetUrl : public TSWFAction {
 public:
  static constexpr uint8_t kCode = acGetUrl;
  TSWFActionGetUrl() : TSWFAction(kCode) {}
  TSWFActionGetUrl(std::string url, std::string target)
      : TSWFAction(kCode), URL(std::move(url)), Target(std::move(target)) {}
  void WriteActionData(TBitsEngine& be) override;

  std::string URL;
  std::string Target;
};

// GetURL2: the URL and then the target are taken from the stack. One flags
// byte: SendVarsMethod in the two high bits (0 none, 1 GET, 2 POST), four
// reserved 0 bits, LoadTargetFlag (the target is a clip, not a browser
// window), LoadVariablesFlag.
class TSWFActionGetUrl2 : public TSWFAction4 {
 public:
  static constexpr uint8_t kCode = acGetUrl2;
  TSWFActionGetUrl2() : TSWFAction4(kCode) {}
  void WriteActionData(TBitsEngine& be) override;

  uint8_t SendVarsMethod = 0;
  bool LoadTargetFlag = false;
  bool LoadVariablesFlag = false;
};

// Marks a place in an action list that a branch aims at; it writes nothing.
class TSWFOffsetMarker : public TSWFAction {
 public:
  static constexpr uint8_t kCode = 255;
  TSWFOffsetMarker() : TSWFAction(kCode) {}
  void WriteToStream(TBitsEngine&) override {}
};

// Jump and If: a signed 16-bit offset from the end of the branch record to
// its target. A branch aimed at a marker gets its offset when its list is
// written.
class TSWFActionBranch : public TSWFAction4 {
 public:
  TSWFActionBranch(uint8_t code, const TSWFOffsetMarker* target) : TSWFAction4(code), Target(target) {}
  void WriteActionData(TBitsEngine& be) override;

  int16_t BranchOffset = 0;
  // Null: BranchOffset is written as it stands.
  const TSWFOffsetMarker* Target;
};

// Jumps unconditionally.
class TSWFActionJump : public TSWFActionBranch {
 public:
  static constexpr uint8_t kCode = acJump;
  explicit TSWFActionJump(const TSWFOffsetMarker* target = nullptr) : TSWFActionBranch(kCode, target) {}
};

// Pops a value and jumps when it is true.
class TSWFActionIf : public TSWFActionBranch {
 public:
  static constexpr uint8_t kCode = acIf;
  explicit TSWFActionIf(const TSWFOffsetMarker* target = nullptr) : TSWFActionBranch(kCode, target) {}
};

// Raw action bytes, written as they are (no code, no length).
class TSWFActionByteCode : public TSWFAction4 {
 public:
  static constexpr uint8_t kCode = 254;
  TSWFActionByteCode() : TSWFAction4(kCode) {}
  explicit TSWFActionByteCode(std::vector<uint8_t> bytes) : TSWFAction4(kCode), ByteCode(std::move(bytes)) {}
  void WriteToStream(TBitsEngine& be) override;

  std::vector<uint8_t> ByteCode;
};

// The null value of a Push.
struct TFlashNull {
  bool operator==(const TFlashNull&) const = default;
};
// A value handed to Push. The empty state (std::monostate) is pushed as
// undefined.
using TFlashVar = std::variant<std::monostate, TFlashNull, std::string, float, double, bool, int32_t>;

struct TPushValue {
  TSWFPushType ValueType = ptUndefined;
  std::string String;
  float Float = 0;
  double Double = 0;
  bool Boolean = false;
  // Integer value, register number or constant index.
  int32_t Integer = 0;
};

class TSWFActionPush : public TSWFAction4 {
 public:
  static constexpr uint8_t kCode = acPush;
  TSWFActionPush() : TSWFAction4(kCode) {}

  // The type follows the value's kind; the strings "FlashVar_null" and
  // "FlashVar_undefined" push null and undefined.
  void AddValue(const TFlashVar& value);
  void AddValue(const char* s) { AddValue(TFlashVar(std::string(s))); }
  // A register number (ptRegister), 8-bit (ptConstant8) or 16-bit
  // (ptConstant16) constant index.
  void AddTypedValue(TSWFPushType type, uint16_t value);

  const std::vector<TPushValue>& Values() const { return values_; }
  // 4 for strings and floats only, else 5.
  uint8_t MinVersion() const override;
  void WriteActionData(TBitsEngine& be) override;

 private:
  std::vector<TPushValue> values_;
};

// An owning list of action records.
class TSWFActionList {
 public:
  template <class T>
  T* Add(std::unique_ptr<T> action) {
    T* p = action.get();
    actions_.push_back(std::move(action));
    return p;
  }
  template <class T, class... Args>
  T* Add(Args&&... args) {
    return Add(std::make_unique<T>(std::forward<Args>(args)...));
  }

  size_t Count() const { return actions_.size(); }
  bool Empty() const { return actions_.empty(); }
  TSWFAction& operator[](size_t i) const { return *actions_[i]; }
  TSWFAction* Last() const { return actions_.empty() ? nullptr : actions_.back().get(); }

  // Largest MinVersion of the actions; 1 for an empty list.
  uint8_t MinVersion() const;
  // Every action in order (no end byte). The offsets of branches aimed at
  // markers are filled in first; a marker outside the list, or an offset
  // that does not fit 16 bits, throws EFieldOverflow.
  void WriteToStream(TBitsEngine& be) const;

 private:
  void AimBranches(const TBitsEngine& be) const;

  std::vector<std::unique_ptr<TSWFAction>> actions_;
};

// True when the list's last record already is the 0 end byte.
bool EndsWithEndByte(const TSWFActionList& actions);

}  // namespace tessaly::swf
