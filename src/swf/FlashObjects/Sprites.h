#pragma once
// Sprite characters: their own timelines of placements and frames.

#include <cstdint>
#include <memory>

#include "swf/FlashObjects/Objects.h"

namespace tessaly::swf {

// A sprite (movie clip): its own timeline of placements and frames.
class TFlashSprite : public TFlashVisualObject {
 public:
  explicit TFlashSprite(TFlashMovie* owner = nullptr) : TFlashVisualObject(owner) {}

  TSWFDefineSprite& Definition() { return definition_; }
  std::vector<std::unique_ptr<TBasedSWFObject>>& ControlTags() { return definition_.ControlTags(); }
  uint16_t FrameCount() const { return definition_.FrameCount; }
  // Index of the frame closed last, -1 before any.
  int CurrentFrame() const { return currentFrame_; }
  void SetFrameLabel(std::string label) { frameLabel_ = std::move(label); }

  // Places Obj in the sprite; a definition that stands after the sprite in
  // the movie's ObjectList is moved in front of it.
  TFlashPlaceObject* PlaceObject(const TFlashVisualObject* obj, uint16_t depth);
  // RemoveObject of Obj's character when Obj is given, else RemoveObject2.
  void RemoveObject(uint16_t depth, const TFlashObject* obj = nullptr);
  // Closes Count frames (0 counts as 1), after the pending label.
  void ShowFrame(uint16_t count = 1);

  // Created on first use; written as DoInitAction after the sprite.
  TFlashActionScript& InitActions();
  bool HasInitActions() const { return initActions_ != nullptr; }

  // The largest MinVersion of its tags, at least 3.
  uint8_t MinVersion() const override;
  void SetCharacterID(uint16_t id) override;
  // A sprite without frames gets one first.
  void WriteToStream(TBitsEngine& be) override;

 private:
  TSWFDefineSprite definition_;
  std::string frameLabel_;
  std::unique_ptr<TFlashActionScript> initActions_;
  int currentFrame_ = -1;
};

}  // namespace tessaly::swf
