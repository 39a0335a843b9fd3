#pragma once
// The control and display-list tags (End, ShowFrame, SetBackgroundColor,
// FrameLabel, RemoveObject, PlaceObject and PlaceObject2 with clip actions)
// and the action containers DoAction and DoInitAction.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "swf/SWFObjects/Actions.h"
#include "swf/SWFObjects/Tags.h"

namespace tessaly::swf {

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

}  // namespace tessaly::swf
