#pragma once
// The roots of the movie-level objects, action lists and placements.

#include <cstdint>
#include <memory>
#include <string>

#include "swf/SWFObjects.h"

namespace tessaly::swf {

class TFlashMovie;
class TFlashFont;
class TFlashImage;
class TFlashText;
struct TFontDescription;

// Any movie-level object; it writes the tags it stands for.
class TFlashObject : public TBasedSWFObject {
 public:
  explicit TFlashObject(TFlashMovie* owner = nullptr) : owner_(owner) {}

  bool IsMovieObject() const override { return true; }
  TFlashMovie* Owner() const { return owner_; }
  // Sets the owner, then runs OwnerChanged.
  void SetOwner(TFlashMovie* owner);
  virtual void OwnerChanged() {}
  // The character ID the object defines or places; 0 for objects without
  // one.
  virtual uint16_t CharacterID() const { return 0; }
  // Factor applied to the coordinates callers give: the owner's
  // UnitsFactor, 1 without owner.
  virtual uint8_t UnitsFactor() const;
  // Handed the highest SWF version needed so far just before the object is
  // written; placements pass it on to their PlaceObject2.
  virtual void SetSWFVersion(uint8_t) {}

 private:
  TFlashMovie* owner_;
};

// An object that owns a character ID.
class TFlashIDObject : public TFlashObject {
 public:
  using TFlashObject::TFlashObject;

  uint16_t CharacterID() const override { return characterID_; }
  virtual void SetCharacterID(uint16_t id) { characterID_ = id; }

 private:
  uint16_t characterID_ = 0;
};

// A character that can be placed: shape, sprite, text, button.
class TFlashVisualObject : public TFlashIDObject {
 public:
  using TFlashIDObject::TFlashIDObject;

  // When set, the object's coordinates are twips whatever the movie's
  // units.
  bool IgnoreMovieUnits() const { return ignoreMovieUnits_; }
  // Runs OwnerChanged, since the factor the object's parts use changes.
  void SetIgnoreMovieUnits(bool ignore);
  uint8_t UnitsFactor() const override;

 private:
  bool ignoreMovieUnits_ = false;
};

// An action list written as a DoAction tag. It either owns the list it made
// or is a view on a list held elsewhere (a button's condition action).
class TFlashActionScript : public TFlashObject {
 public:
  explicit TFlashActionScript(TFlashMovie* owner, TSWFActionList* list = nullptr);

  TSWFActionList& Actions() { return *list_; }
  const TSWFActionList& Actions() const { return *list_; }
  bool OwnsList() const { return ownList_ != nullptr; }
  // Points the view at another list (not owned).
  void SetActionList(TSWFActionList* list);

  void GetUrl(const std::string& url, const std::string& target);
  void Stop();
  void StartDrag();
  void EndDrag();
  // Merged into the last action when that is a Push.
  void Push(const TFlashVar& value);
  void Push(const char* value) { Push(TFlashVar(std::string(value))); }
  // Push of the name (merged as above), then GetVariable.
  void GetVariable(const std::string& name);
  // A new Push of the name and the value, then SetVariable.
  void SetVariable(const std::string& name, const TFlashVar& value);
  void SetVariable(const std::string& name, const char* value) { SetVariable(name, TFlashVar(std::string(value))); }

  // Largest MinVersion of the actions, at least 1.
  uint8_t MinVersion() const override { return list_->MinVersion(); }
  void WriteToStream(TBitsEngine& be) override;

 private:
  std::unique_ptr<TSWFActionList> ownList_;
  TSWFActionList* list_;
};

// A placement of a character at a depth: one PlaceObject2 tag.
class TFlashPlaceObject : public TFlashObject {
 public:
  // Obj may be null: the placement then only changes what stands at Depth.
  TFlashPlaceObject(TFlashMovie* owner, const TFlashObject* obj, uint16_t depth);

  const TFlashObject* PlacedObject() const { return placed_; }
  TSWFPlaceObject2& PlaceObject2() { return place_; }
  const TSWFPlaceObject2& PlaceObject2() const { return place_; }
  uint16_t CharacterID() const override { return place_.CharacterId(); }
  uint16_t Depth() const { return place_.Depth(); }

  // Translation in movie units. Does nothing for (0, 0) unless the
  // placement already has a matrix or moves.
  void SetTranslate(int32_t x, int32_t y);
  void SetScale(double scaleX, double scaleY);
  // Degrees, composed with the scale already set.
  void SetRotate(double angle);
  // Created with alpha on first use.
  TSWFColorTransform& ColorTransform() { return place_.ColorTransform(); }
  void SetName(std::string name) { place_.SetName(std::move(name)); }
  void SetRatio(uint16_t ratio) { place_.SetRatio(ratio); }
  void SetMove(bool move) { place_.SetMove(move); }

  // 3; 5 when the placement carries clip actions.
  uint8_t MinVersion() const override;
  void SetSWFVersion(uint8_t version) override { place_.SetSWFVersion(version); }
  void WriteToStream(TBitsEngine& be) override { place_.WriteToStream(be); }

 private:
  const TFlashObject* placed_;
  TSWFPlaceObject2 place_;
};

}  // namespace tessaly::swf
