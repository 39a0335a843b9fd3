#pragma once
// SWF tags and action records: the roots of the tag classes and their
// framing, the display-list, frame and action tags, sprites and buttons, the
// actions, the shape definition tags with their styles and records, and the
// font and static text tags.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "swf/SWFFormat.h"
#include "swf/SWFTools.h"

namespace tessaly::swf {

// ---- roots ----

// Root of the tag classes and of the movie-level objects.
class TBasedSWFObject {
 public:
  virtual ~TBasedSWFObject() = default;
  // False for tags, true for movie-level objects.
  virtual bool IsMovieObject() const { return false; }
  // Lowest SWF version the object needs.
  virtual uint8_t MinVersion() const { return 1; }
  virtual void WriteToStream(TBitsEngine& be) = 0;
};

// A tag: WriteToStream frames the body that WriteTagBody produces.
class TSWFObject : public TBasedSWFObject {
 public:
  explicit TSWFObject(uint16_t tagID) : tagID_(tagID) {}

  uint16_t TagID() const { return tagID_; }
  void SetTagID(uint16_t id) { tagID_ = id; }
  // Length of the body, set when the tag is written.
  uint32_t BodySize() const { return bodySize_; }

  void WriteToStream(TBitsEngine& be) override;
  virtual void WriteTagBody(TBitsEngine&) {}

  // Writes a tag header for TagID and the body bytes after it. The long
  // header is used from 63 bytes on and always for the lossless bitmap and
  // video stream tags. Returns the body size.
  static uint32_t WriteTag(TBitsEngine& be, uint16_t tagID, const TMemoryStream& body);
  // Builds the body through WriteBody in a fresh stream, then writes it as a
  // tag. Returns the body size.
  static uint32_t WriteTag(TBitsEngine& be, uint16_t tagID, const std::function<void(TBitsEngine&)>& writeBody);

 private:
  uint32_t bodySize_ = 0;
  uint16_t tagID_;
};

// ---- actions ----

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
  // Every action in order (no end byte).
  void WriteToStream(TBitsEngine& be) const;

 private:
  std::vector<std::unique_ptr<TSWFAction>> actions_;
};

// ---- control and display-list tags ----

class TSWFEnd : public TSWFObject {
 public:
  TSWFEnd() : TSWFObject(tagEnd) {}
};

class TSWFShowFrame : public TSWFObject {
 public:
  TSWFShowFrame() : TSWFObject(tagShowFrame) {}
};

class TSWFSetBackgroundColor : public TSWFObject {
 public:
  TSWFSetBackgroundColor() : TSWFObject(tagSetBackgroundColor) {}
  explicit TSWFSetBackgroundColor(uint32_t rgb) : TSWFObject(tagSetBackgroundColor), Color(rgb) {}
  void WriteTagBody(TBitsEngine& be) override;

  TSWFRGB Color;
};

class TSWFFrameLabel : public TSWFObject {
 public:
  explicit TSWFFrameLabel(std::string name = {}, bool namedAnchor = false)
      : TSWFObject(tagFrameLabel), Name(std::move(name)), NamedAnchor(namedAnchor) {}
  uint8_t MinVersion() const override { return NamedAnchor ? 6 : 3; }
  void WriteTagBody(TBitsEngine& be) override;

  std::string Name;
  bool NamedAnchor;
};

class TSWFRemoveObject : public TSWFObject {
 public:
  TSWFRemoveObject(uint16_t characterId = 0, uint16_t depth = 0)
      : TSWFObject(tagRemoveObject), CharacterId(characterId), Depth(depth) {}
  void WriteTagBody(TBitsEngine& be) override;

  uint16_t CharacterId;
  uint16_t Depth;
};

class TSWFRemoveObject2 : public TSWFObject {
 public:
  explicit TSWFRemoveObject2(uint16_t depth = 0) : TSWFObject(tagRemoveObject2), Depth(depth) {}
  uint8_t MinVersion() const override { return 3; }
  void WriteTagBody(TBitsEngine& be) override;

  uint16_t Depth;
};

// Character ID and depth of a placement.
class TSWFBasedPlaceObject : public TSWFObject {
 public:
  using TSWFObject::TSWFObject;
  uint16_t CharacterId() const { return characterId_; }
  virtual void SetCharacterId(uint16_t id) { characterId_ = id; }
  uint16_t Depth() const { return depth_; }
  void SetDepth(uint16_t depth) { depth_ = depth; }

 private:
  uint16_t characterId_ = 0;
  uint16_t depth_ = 0;
};

class TSWFPlaceObject : public TSWFBasedPlaceObject {
 public:
  TSWFPlaceObject() : TSWFBasedPlaceObject(tagPlaceObject) {}
  TSWFMatrix& Matrix() { return matrix_; }
  // Created on first access; a placement with one writes a CXFORM.
  TSWFColorTransform& ColorTransform();
  bool HasColorTransform() const { return colorTransform_ != nullptr; }
  void WriteTagBody(TBitsEngine& be) override;

 private:
  TSWFMatrix matrix_;
  std::unique_ptr<TSWFColorTransform> colorTransform_;
};

struct TSWFClipActionRecord {
  uint32_t EventFlags = 0;
  // Written only when the record reacts to ceKeyPress.
  uint8_t KeyCode = 0;
  TSWFActionList Actions;
};

struct TSWFClipActions {
  std::vector<std::unique_ptr<TSWFClipActionRecord>> Records;
  TSWFClipActionRecord& AddRecord(uint32_t eventFlags);
  uint32_t AllEventFlags() const;
};

class TSWFPlaceObject2 : public TSWFBasedPlaceObject {
 public:
  TSWFPlaceObject2() : TSWFBasedPlaceObject(tagPlaceObject2) {}

  // Sets HasCharacter.
  void SetCharacterId(uint16_t id) override;
  // Every access sets the matching flag; the objects are created on first
  // access (the colour transform with alpha).
  TSWFMatrix& Matrix();
  TSWFColorTransform& ColorTransform();
  TSWFClipActions& ClipActions();

  const std::string& Name() const { return name_; }
  // An empty name clears HasName.
  void SetName(std::string name);
  uint16_t Ratio() const { return ratio_; }
  void SetRatio(uint16_t ratio);
  uint16_t ClipDepth() const { return clipDepth_; }
  void SetClipDepth(uint16_t depth);
  bool Move() const { return move_; }
  void SetMove(bool move) { move_ = move; }
  uint8_t SWFVersion() const { return swfVersion_; }
  void SetSWFVersion(uint8_t v) { swfVersion_ = v; }

  bool HasCharacter() const { return hasCharacter_; }
  bool HasClipActions() const { return hasClipActions_; }
  bool HasClipDepth() const { return hasClipDepth_; }
  bool HasColorTransform() const { return hasColorTransform_; }
  bool HasMatrix() const { return hasMatrix_; }
  bool HasName() const { return hasName_; }
  bool HasRatio() const { return hasRatio_; }

  // 3; with clip actions max(5, SWFVersion).
  uint8_t MinVersion() const override;
  void WriteTagBody(TBitsEngine& be) override;

 private:
  bool WritesClipActions() const;
  void WriteClipActions(TBitsEngine& be) const;

  std::unique_ptr<TSWFClipActions> clipActions_;
  uint16_t clipDepth_ = 0;
  std::unique_ptr<TSWFColorTransform> colorTransform_;
  std::unique_ptr<TSWFMatrix> matrix_;
  std::string name_;
  bool hasCharacter_ = false;
  bool hasClipActions_ = false;
  bool hasClipDepth_ = false;
  bool hasColorTransform_ = false;
  bool hasMatrix_ = false;
  bool hasName_ = false;
  bool hasRatio_ = false;
  bool move_ = false;
  uint16_t ratio_ = 0;
  uint8_t swfVersion_ = 3;
};

// ---- action containers ----

// Actions, then one 0 byte.
class TSWFDoAction : public TSWFObject {
 public:
  TSWFDoAction() : TSWFObject(tagDoAction) {}
  TSWFActionList& Actions() { return actions_; }
  uint8_t MinVersion() const override;
  void WriteTagBody(TBitsEngine& be) override;

 private:
  TSWFActionList actions_;
};

class TSWFDoInitAction : public TSWFObject {
 public:
  explicit TSWFDoInitAction(uint16_t spriteId = 0) : TSWFObject(tagDoInitAction), SpriteID(spriteId) {}
  TSWFActionList& Actions() { return actions_; }
  uint8_t MinVersion() const override { return 6; }
  void WriteTagBody(TBitsEngine& be) override;

  uint16_t SpriteID;

 private:
  TSWFActionList actions_;
};

// ---- sprites ----

// The control tags of a sprite, in order; the End tag is added when the
// list does not end with one.
class TSWFDefineSprite : public TSWFObject {
 public:
  TSWFDefineSprite() : TSWFObject(tagDefineSprite) {}

  template <class T>
  T* AddControlTag(std::unique_ptr<T> tag) {
    T* p = tag.get();
    controlTags_.push_back(std::move(tag));
    return p;
  }
  std::vector<std::unique_ptr<TBasedSWFObject>>& ControlTags() { return controlTags_; }
  const std::vector<std::unique_ptr<TBasedSWFObject>>& ControlTags() const { return controlTags_; }

  uint8_t MinVersion() const override { return 3; }
  void WriteTagBody(TBitsEngine& be) override;
  // True when the last of the tags is an End tag.
  static bool EndsWithEnd(const std::vector<std::unique_ptr<TBasedSWFObject>>& tags);

  uint16_t SpriteID = 0;
  uint16_t FrameCount = 0;

 private:
  std::vector<std::unique_ptr<TBasedSWFObject>> controlTags_;
};

// ---- buttons ----

class TSWFButtonRecord {
 public:
  TSWFButtonRecord(uint16_t characterId = 0, uint8_t states = 0, uint16_t placeDepth = 0)
      : States(states), CharacterId(characterId), PlaceDepth(placeDepth) {}

  // Created on first access, with alpha.
  TSWFColorTransform& ColorTransform();
  bool HasColorTransform() const { return colorTransform_ != nullptr; }
  TSWFMatrix& Matrix() { return matrix_; }

  // With the colour transform for DefineButton2 (0x00 when never set).
  void WriteToStream(TBitsEngine& be, bool withColorTransform) const;

  // A set of TSWFButtonState bits.
  uint8_t States;
  uint16_t CharacterId;
  uint16_t PlaceDepth;

 private:
  std::unique_ptr<TSWFColorTransform> colorTransform_;
  TSWFMatrix matrix_;
};

class TSWFButtonCondAction {
 public:
  explicit TSWFButtonCondAction(uint16_t conditions = 0) : Conditions(conditions) {}
  bool HasCondition(TSWFButtonCondition c) const { return Conditions & (1u << c); }
  void AddCondition(TSWFButtonCondition c) { Conditions |= uint16_t(1u << c); }
  TSWFActionList& Actions() { return actions_; }
  const TSWFActionList& Actions() const { return actions_; }

  uint16_t Conditions;
  uint8_t KeyCode = 0;

 private:
  TSWFActionList actions_;
};

// DefineButton: records without colour transforms and one action list.
class TSWFDefineButton : public TSWFObject {
 public:
  TSWFDefineButton() : TSWFObject(tagDefineButton) {}
  TSWFButtonRecord& AddRecord(uint16_t characterId, uint8_t states, uint16_t depth);
  std::vector<std::unique_ptr<TSWFButtonRecord>>& ButtonRecords() { return records_; }
  TSWFActionList& Actions() { return actions_; }
  void WriteTagBody(TBitsEngine& be) override;

  uint16_t ButtonId = 0;

 private:
  std::vector<std::unique_ptr<TSWFButtonRecord>> records_;
  TSWFActionList actions_;
};

class TSWFDefineButton2 : public TSWFObject {
 public:
  TSWFDefineButton2() : TSWFObject(tagDefineButton2) {}
  // The record gets an empty colour transform with alpha.
  TSWFButtonRecord& AddRecord(uint16_t characterId, uint8_t states, uint16_t depth);
  TSWFButtonCondAction& AddCondAction(uint16_t conditions);
  // First condition action whose set holds the condition, or null.
  TSWFButtonCondAction* FindCondAction(TSWFButtonCondition c) const;
  std::vector<std::unique_ptr<TSWFButtonRecord>>& ButtonRecords() { return records_; }
  std::vector<std::unique_ptr<TSWFButtonCondAction>>& CondActions() { return condActions_; }

  // Its actions are not counted.
  uint8_t MinVersion() const override { return 3; }
  void WriteTagBody(TBitsEngine& be) override;

  uint16_t ButtonId = 0;
  bool TrackAsMenu = false;

 private:
  std::vector<std::unique_ptr<TSWFButtonRecord>> records_;
  std::vector<std::unique_ptr<TSWFButtonCondAction>> condActions_;
};

// ---- shape styles ----

class TSWFFillStyle {
 public:
  virtual ~TSWFFillStyle() = default;
  TSWFFillStyleType FillStyleType() const { return fillStyleType_; }
  void SetFillStyleType(TSWFFillStyleType type) { fillStyleType_ = type; }
  // Colours as RGBA; set by the owning shape before writing.
  bool HasAlpha = false;
  virtual void WriteToStream(TBitsEngine& be) = 0;

 protected:
  explicit TSWFFillStyle(TSWFFillStyleType type) : fillStyleType_(type) {}

 private:
  TSWFFillStyleType fillStyleType_;
};

class TSWFColorFill : public TSWFFillStyle {
 public:
  TSWFColorFill() : TSWFFillStyle(fsSolid) {}
  explicit TSWFColorFill(uint32_t rgba) : TSWFFillStyle(fsSolid) { Color.SetRGBA(rgba); }
  void WriteToStream(TBitsEngine& be) override;

  TSWFRGBA Color;
};

struct TSWFGradientRec {
  uint8_t Ratio = 0;
  TSWFRGBA Color;
};

// Linear or radial gradient of up to 8 records.
class TSWFGradientFill : public TSWFFillStyle {
 public:
  static constexpr int kMaxRecords = 8;

  explicit TSWFGradientFill(TSWFFillStyleType type = fsLinearGradient) : TSWFFillStyle(type) {}
  // Records are numbered 1..8.
  TSWFGradientRec& GradientRecord(int index) { return records_.at(index - 1); }
  uint8_t GradientCount = 0;
  TSWFMatrix GradientMatrix;

  void WriteToStream(TBitsEngine& be) override;

 private:
  std::array<TSWFGradientRec, kMaxRecords> records_;
};

// Bitmap fill: repeating or clipped, smoothed or not.
class TSWFImageFill : public TSWFFillStyle {
 public:
  explicit TSWFImageFill(TSWFFillStyleType type = fsClippedBitmap) : TSWFFillStyle(type) {}
  void WriteToStream(TBitsEngine& be) override;

  uint16_t BitmapId = 0;
  TSWFMatrix BitmapMatrix;
};

class TSWFLineStyle {
 public:
  TSWFLineStyle() = default;
  TSWFLineStyle(uint16_t width, uint32_t rgba) : Width(width) { Color.SetRGBA(rgba); }
  // Width, then the colour as RGBA when the colour has alpha, else RGB.
  void WriteToStream(TBitsEngine& be) const;

  TSWFRGBA Color;
  uint16_t Width = 0;
};

using TSWFFillStyles = std::vector<std::unique_ptr<TSWFFillStyle>>;
using TSWFLineStyles = std::vector<std::unique_ptr<TSWFLineStyle>>;

// Style arrays: the count (one byte up to 254, else 0xFF and a UI16), then
// every style with its alpha flag taken from HasAlpha.
void WriteFillStyles(TBitsEngine& be, TSWFFillStyles& styles, bool hasAlpha);
void WriteLineStyles(TBitsEngine& be, TSWFLineStyles& styles, bool hasAlpha);

// ---- shape records ----

enum TSWFShapeRecordType : uint8_t { srEnd = 0, srStyleChange = 1, srStraightEdge = 2, srCurvedEdge = 3 };

class TSWFShapeRecord {
 public:
  virtual ~TSWFShapeRecord() = default;
  TSWFShapeRecordType ShapeRecordType() const { return type_; }
  virtual void WriteToStream(TBitsEngine& be) = 0;

 protected:
  explicit TSWFShapeRecord(TSWFShapeRecordType type) : type_(type) {}

 private:
  TSWFShapeRecordType type_;
};

// Six zero bits.
class TSWFEndShapeRecord : public TSWFShapeRecord {
 public:
  TSWFEndShapeRecord() : TSWFShapeRecord(srEnd) {}
  void WriteToStream(TBitsEngine& be) override;
};

// A straight edge; both deltas 0 write nothing.
class TSWFStraightEdgeRecord : public TSWFShapeRecord {
 public:
  TSWFStraightEdgeRecord(int32_t dx = 0, int32_t dy = 0) : TSWFShapeRecord(srStraightEdge), DeltaX(dx), DeltaY(dy) {}
  void WriteToStream(TBitsEngine& be) override;

  int32_t DeltaX;
  int32_t DeltaY;

 protected:
  explicit TSWFStraightEdgeRecord(TSWFShapeRecordType type) : TSWFShapeRecord(type), DeltaX(0), DeltaY(0) {}
};

// Style change: DeltaX and DeltaY hold the move-to point.
class TSWFStyleChangeRecord : public TSWFStraightEdgeRecord {
 public:
  TSWFStyleChangeRecord() : TSWFStraightEdgeRecord(srStyleChange) {}

  uint16_t FillStyle0() const { return fillStyle0_; }
  uint16_t FillStyle1() const { return fillStyle1_; }
  uint16_t LineStyle() const { return lineStyle_; }
  // 1-based style indexes, 0 = none; each sets its state flag.
  void SetFillStyle0(uint16_t index) { fillStyle0_ = index; StateFillStyle0 = true; }
  void SetFillStyle1(uint16_t index) { fillStyle1_ = index; StateFillStyle1 = true; }
  void SetLineStyle(uint16_t index) { lineStyle_ = index; StateLineStyle = true; }
  // Sets the point and StateMoveTo.
  void SetMoveTo(int32_t x, int32_t y) { DeltaX = x; DeltaY = y; StateMoveTo = true; }
  // Created on first access; the first access sets StateNewStyles.
  TSWFFillStyles& NewFillStyles();
  TSWFLineStyles& NewLineStyles();

  // Written with the bit counts in force before this record; with new
  // styles they become the counts of the new arrays.
  void WriteToStream(TBitsEngine& be) override;

  uint8_t NumFillBits = 0;
  uint8_t NumLineBits = 0;
  bool StateFillStyle0 = false;
  bool StateFillStyle1 = false;
  bool StateLineStyle = false;
  bool StateMoveTo = false;
  bool StateNewStyles = false;
  // Alpha of the new styles, set by the shape writer.
  bool StylesHasAlpha = false;

 private:
  uint16_t fillStyle0_ = 0;
  uint16_t fillStyle1_ = 0;
  uint16_t lineStyle_ = 0;
  std::unique_ptr<TSWFFillStyles> newFillStyles_;
  std::unique_ptr<TSWFLineStyles> newLineStyles_;
};

// A quadratic curve; all four deltas 0 write nothing.
class TSWFCurvedEdgeRecord : public TSWFShapeRecord {
 public:
  TSWFCurvedEdgeRecord(int32_t controlDX = 0, int32_t controlDY = 0, int32_t anchorDX = 0, int32_t anchorDY = 0)
      : TSWFShapeRecord(srCurvedEdge),
        AnchorDeltaX(anchorDX),
        AnchorDeltaY(anchorDY),
        ControlDeltaX(controlDX),
        ControlDeltaY(controlDY) {}
  void WriteToStream(TBitsEngine& be) override;

  int32_t AnchorDeltaX;
  int32_t AnchorDeltaY;
  int32_t ControlDeltaX;
  int32_t ControlDeltaY;
};

using TSWFShapeRecords = std::vector<std::unique_ptr<TSWFShapeRecord>>;

// Writes shape records with the given starting bit counts: style changes
// receive the counts and alpha, end records are written only as the last
// record, and an end record follows when the list does not end with one.
// Leaves the engine unaligned (the caller pads).
void WriteShapeRecords(TBitsEngine& be, TSWFShapeRecords& records, uint8_t numFillBits, uint8_t numLineBits,
                       bool hasAlpha);

// ---- shape definitions ----

class TSWFDefineShape : public TSWFObject {
 public:
  TSWFDefineShape() : TSWFDefineShape(tagDefineShape, false) {}

  TSWFShapeRecords& ShapeRecords() { return shapeRecords_; }
  TSWFFillStyles& FillStyles() { return fillStyles_; }
  TSWFLineStyles& LineStyles() { return lineStyles_; }
  template <class T, class... Args>
  T* AddRecord(Args&&... args) {
    auto r = std::make_unique<T>(std::forward<Args>(args)...);
    T* p = r.get();
    shapeRecords_.push_back(std::move(r));
    return p;
  }

  // Follows the tag code, which the shape object may switch between
  // DefineShape2 and DefineShape3: 1, 2 or 3.
  uint8_t MinVersion() const override;
  void WriteTagBody(TBitsEngine& be) override;

  bool HasAlpha;
  TSWFRect ShapeBounds;
  uint16_t ShapeId = 0;

 protected:
  TSWFDefineShape(uint16_t tagID, bool hasAlpha) : TSWFObject(tagID), HasAlpha(hasAlpha) {}

 private:
  TSWFShapeRecords shapeRecords_;
  TSWFFillStyles fillStyles_;
  TSWFLineStyles lineStyles_;
};

class TSWFDefineShape2 : public TSWFDefineShape {
 public:
  TSWFDefineShape2() : TSWFDefineShape(tagDefineShape2, false) {}
};

class TSWFDefineShape3 : public TSWFDefineShape {
 public:
  TSWFDefineShape3() : TSWFDefineShape(tagDefineShape3, true) {}
};

// ---- font and static text tags ----

// A kerning pair of DefineFont2's layout.
struct TSWFKerningRecord {
  int16_t Adjustment = 0;
  uint16_t Code1 = 0;
  uint16_t Code2 = 0;
};

// DefineFont: glyph outlines only, standard layout (offset table of 16-bit
// offsets, then the glyph shapes).
class TSWFDefineFont : public TSWFObject {
 public:
  TSWFDefineFont() : TSWFObject(tagDefineFont) {}

  void WriteTagBody(TBitsEngine& be) override;

  uint16_t FontId = 0;
  // The shape records of each glyph.
  std::vector<TSWFShapeRecords> GlyphShapeTable;

 protected:
  explicit TSWFDefineFont(uint16_t tagID) : TSWFObject(tagID) {}
};

// DefineFont2: glyphs, code table and optional layout. The offsets are
// written in 32 bits with WideOffsets, and also when the glyph shapes reach
// beyond what 16-bit offsets address (65535 bytes from the offset table).
class TSWFDefineFont2 : public TSWFDefineFont {
 public:
  TSWFDefineFont2() : TSWFDefineFont(tagDefineFont2) {}
  uint8_t MinVersion() const override { return 3; }

  // Created on first access.
  std::vector<TSWFKerningRecord>& KerningTable();
  bool HasKerningTable() const { return kerningTable_ != nullptr; }

  void WriteTagBody(TBitsEngine& be) override;

  std::vector<uint16_t> CodeTable;
  std::vector<int16_t> AdvanceTable;
  uint16_t FontAscent = 0;
  std::vector<std::unique_ptr<TSWFRect>> BoundsTable;
  uint16_t FontDescent = 0;
  bool ANSI = false;
  bool Bold = false;
  bool HasLayout = false;
  bool Italic = false;
  bool ShiftJIS = false;
  bool SmallText = false;
  bool WideCodes = false;
  bool WideOffsets = false;
  int16_t FontLeading = 0;
  std::string FontName;  // UTF-8; written in UTF-8 from version 6, else in the system code page
  uint8_t LanguageCode = 0;
  // The movie's version when the font is written; decides the name encoding.
  uint8_t SWFVersion = 6;

 private:
  std::unique_ptr<std::vector<TSWFKerningRecord>> kerningTable_;
};

struct TSWFGlyphEntry {
  int32_t GlyphAdvance = 0;  // twips
  uint16_t GlyphIndex = 0;   // into the font's glyphs
};

// A run of glyphs of one font, colour and height. At most 255 entries.
class TSWFTextRecord {
 public:
  uint16_t FontId() const { return fontId_; }
  uint16_t TextHeight() const { return textHeight_; }
  int32_t XOffset() const { return xOffset_; }
  int32_t YOffset() const { return yOffset_; }
  // Each sets its presence flag (FontId and TextHeight: HasFont).
  void SetFontId(uint16_t id) { fontId_ = id; HasFont = true; }
  void SetTextHeight(uint16_t height) { textHeight_ = height; HasFont = true; }
  void SetXOffset(int32_t x) { xOffset_ = x; HasXOffset = true; }
  void SetYOffset(int32_t y) { yOffset_ = y; HasYOffset = true; }
  // Created on first access, which sets HasColor.
  TSWFRGBA& Color();

  // Entries use GlyphBits and AdvanceBits bits; the colour is RGBA when
  // HasAlpha is set (by the text tag), else RGB. Throws std::length_error
  // for more than 255 entries, which the count byte cannot hold.
  void WriteToStream(TBitsEngine& be, uint8_t glyphBits, uint8_t advanceBits);

  std::vector<std::unique_ptr<TSWFGlyphEntry>> GlyphEntries;
  bool HasColor = false;
  bool HasFont = false;
  bool HasXOffset = false;
  bool HasYOffset = false;
  bool HasAlpha = false;

 private:
  uint16_t fontId_ = 0;
  std::unique_ptr<TSWFRGBA> color_;
  uint16_t textHeight_ = 0;
  int32_t xOffset_ = 0;
  int32_t yOffset_ = 0;
};

// DefineText: static text of text records.
class TSWFDefineText : public TSWFObject {
 public:
  TSWFDefineText() : TSWFDefineText(tagDefineText, false) {}

  void WriteTagBody(TBitsEngine& be) override;

  uint8_t AdvanceBits = 0;
  uint16_t CharacterId = 0;
  uint8_t GlyphBits = 0;
  bool HasAlpha;
  TSWFRect TextBounds;
  TSWFMatrix TextMatrix;
  std::vector<std::unique_ptr<TSWFTextRecord>> TextRecords;

 protected:
  TSWFDefineText(uint16_t tagID, bool hasAlpha) : TSWFObject(tagID), HasAlpha(hasAlpha) {}
};

// DefineText2: the same with RGBA colours.
class TSWFDefineText2 : public TSWFDefineText {
 public:
  TSWFDefineText2() : TSWFDefineText(tagDefineText2, true) {}
  uint8_t MinVersion() const override { return 3; }
};

// DefineFontInfo: name, style flags and code table of a DefineFont.
class TSWFDefineFontInfo : public TSWFObject {
 public:
  TSWFDefineFontInfo() : TSWFObject(tagDefineFontInfo) {}

  void WriteTagBody(TBitsEngine& be) override;

  uint16_t FontId = 0;
  std::string FontName;  // UTF-8; written in UTF-8 from version 6, else in the system code page
  bool ANSI = false;
  bool Bold = false;
  bool Italic = false;
  bool ShiftJIS = false;
  bool SmallText = false;
  bool WideCodes = false;
  std::vector<uint16_t> CodeTable;
  uint8_t SWFVersion = 6;

 protected:
  explicit TSWFDefineFontInfo(uint16_t tagID) : TSWFObject(tagID) {}
  // Name, then the flags byte with WideCodes as given.
  void WriteNameAndFlags(TBitsEngine& be, bool wideCodes);
};

// DefineFontInfo2: the same with a language code; codes are always 16-bit.
class TSWFDefineFontInfo2 : public TSWFDefineFontInfo {
 public:
  TSWFDefineFontInfo2() : TSWFDefineFontInfo(tagDefineFontInfo2) {}
  uint8_t MinVersion() const override { return 6; }

  void WriteTagBody(TBitsEngine& be) override;

  uint8_t LanguageCode = 0;
};

// DefineEditText: a dynamic or input text field.
class TSWFDefineEditText : public TSWFObject {
 public:
  TSWFDefineEditText() : TSWFObject(tagDefineEditText) {}
  uint8_t MinVersion() const override { return 4; }

  uint16_t FontId() const { return fontId_; }
  uint16_t FontHeight() const { return fontHeight_; }
  uint16_t MaxLength() const { return maxLength_; }
  const std::string& InitialText() const { return initialText_; }
  // FontId and FontHeight set HasFont, MaxLength HasMaxLength, the text
  // HasText.
  void SetFontId(uint16_t id) { fontId_ = id; HasFont = true; }
  void SetFontHeight(uint16_t height) { fontHeight_ = height; HasFont = true; }
  void SetMaxLength(uint16_t length) { maxLength_ = length; HasMaxLength = true; }
  void SetInitialText(std::string text) { initialText_ = std::move(text); HasText = true; }
  // Created on first access, which sets HasTextColor.
  TSWFRGBA& TextColor();

  void WriteTagBody(TBitsEngine& be) override;

  uint16_t CharacterId = 0;
  TSWFRect Bounds;
  bool HasText = false;
  bool WordWrap = false;
  bool Multiline = false;
  bool Password = false;
  bool ReadOnly = false;
  bool HasTextColor = false;
  bool HasMaxLength = false;
  bool HasFont = false;
  bool AutoSize = false;
  bool HasLayout = false;
  bool NoSelect = false;
  bool Border = false;
  bool HTML = false;
  bool UseOutlines = false;
  // Layout, written with HasLayout.
  uint8_t Align = 0;  // 0 left, 1 right, 2 centre, 3 justify
  uint16_t LeftMargin = 0;
  uint16_t RightMargin = 0;
  uint16_t Indent = 0;
  int16_t Leading = 0;
  std::string VariableName;  // UTF-8, like the initial text written in UTF-8 from version 6
  uint8_t SWFVersion = 6;

 private:
  uint16_t fontId_ = 0;
  uint16_t fontHeight_ = 0;
  uint16_t maxLength_ = 0;
  std::unique_ptr<TSWFRGBA> textColor_;
  std::string initialText_;
};

// ---- bitmap tags ----

// A tag whose body ends in a block of data: written by OnDataWrite when it
// is assigned, otherwise the DataSize bytes at Data. The bytes are either
// borrowed (the caller keeps them alive until the tag is written) or owned
// by the tag.
class TSWFDataObject : public TSWFObject {
 public:
  using TDataWriter = std::function<void(TSWFDataObject& tag, TBitsEngine& be)>;

  explicit TSWFDataObject(uint16_t tagID) : TSWFObject(tagID) {}

  const uint8_t* Data() const { return data_; }
  uint32_t DataSize() const { return dataSize_; }
  bool OwnsData() const { return !ownedData_.empty() && data_ == ownedData_.data(); }
  void SetData(const uint8_t* data, uint32_t size);
  void SetOwnedData(std::vector<uint8_t> data);

  TDataWriter OnDataWrite;

 protected:
  void WriteData(TBitsEngine& be);

 private:
  const uint8_t* data_ = nullptr;
  uint32_t dataSize_ = 0;
  std::vector<uint8_t> ownedData_;
};

class TSWFImageTag : public TSWFDataObject {
 public:
  using TSWFDataObject::TSWFDataObject;
  uint16_t CharacterId = 0;
};

// DefineBits: CharacterId; FF D8; the data; FF D9.
class TSWFDefineBits : public TSWFImageTag {
 public:
  TSWFDefineBits() : TSWFImageTag(tagDefineBits) {}
  void WriteTagBody(TBitsEngine& be) override;

 protected:
  explicit TSWFDefineBits(uint16_t tagID) : TSWFImageTag(tagID) {}
};

// JPEGTables: FF D8; the data; FF D9.
class TSWFJPEGTables : public TSWFDataObject {
 public:
  TSWFJPEGTables() : TSWFDataObject(tagJPEGTables) {}
  void WriteTagBody(TBitsEngine& be) override;
};

// DefineBitsJPEG2: laid out as DefineBits. The data handed to it is a whole
// JPEG file, so its body holds the start and end markers twice.
class TSWFDefineBitsJPEG2 : public TSWFDefineBits {
 public:
  TSWFDefineBitsJPEG2() : TSWFDefineBits(tagDefineBitsJPEG2) {}
  uint8_t MinVersion() const override { return 2; }
};

// DefineBitsJPEG3: CharacterId; AlphaDataOffset; FF D8; the data; FF D9;
// the alpha data (a zlib stream), from AlphaData or OnAlphaDataWrite.
class TSWFDefineBitsJPEG3 : public TSWFDefineBits {
 public:
  TSWFDefineBitsJPEG3() : TSWFDefineBits(tagDefineBitsJPEG3) {}

  const uint8_t* AlphaData() const { return alphaData_; }
  uint32_t AlphaDataSize() const { return alphaDataSize_; }
  bool OwnsAlphaData() const { return !ownedAlphaData_.empty() && alphaData_ == ownedAlphaData_.data(); }
  void SetAlphaData(const uint8_t* data, uint32_t size);
  void SetOwnedAlphaData(std::vector<uint8_t> data);
  // Bytes from just after the offset field to the end of the JPEG part; set
  // when the tag is written.
  uint32_t AlphaDataOffset() const { return alphaDataOffset_; }

  TDataWriter OnAlphaDataWrite;

  uint8_t MinVersion() const override { return 3; }
  void WriteTagBody(TBitsEngine& be) override;

 private:
  const uint8_t* alphaData_ = nullptr;
  uint32_t alphaDataSize_ = 0;
  std::vector<uint8_t> ownedAlphaData_;
  uint32_t alphaDataOffset_ = 0;
};

// DefineBitsLossless: CharacterId; BitmapFormat; BitmapWidth; BitmapHeight;
// BitmapColorTableSize (format 3 only); the zlib-compressed pixel data.
// Always written with the long tag header.
class TSWFDefineBitsLossless : public TSWFImageTag {
 public:
  TSWFDefineBitsLossless() : TSWFImageTag(tagDefineBitsLossless) {}

  uint8_t BitmapColorTableSize = 0;
  uint8_t BitmapFormat = 0;
  uint16_t BitmapHeight = 0;
  uint16_t BitmapWidth = 0;

  uint8_t MinVersion() const override { return 2; }
  void WriteTagBody(TBitsEngine& be) override;

 protected:
  explicit TSWFDefineBitsLossless(uint16_t tagID) : TSWFImageTag(tagID) {}
};

// DefineBitsLossless2: as DefineBitsLossless, with alpha in the colours.
class TSWFDefineBitsLossless2 : public TSWFDefineBitsLossless {
 public:
  TSWFDefineBitsLossless2() : TSWFDefineBitsLossless(tagDefineBitsLossless2) {}
  uint8_t MinVersion() const override { return 3; }
};

}  // namespace tessaly::swf
