#include "swf/FlashObjects/Sprites.h"

#include "swf/FlashObjects/Movie.h"

namespace tessaly::swf {

void TFlashSprite::SetCharacterID(uint16_t id) {
  TFlashVisualObject::SetCharacterID(id);
  definition_.SpriteID = id;
}

TFlashPlaceObject* TFlashSprite::PlaceObject(const TFlashVisualObject* obj, uint16_t depth) {
  auto* place = definition_.AddControlTag(std::make_unique<TFlashPlaceObject>(Owner(), obj, depth));
  if (Owner() && obj) Owner()->MoveInFront(obj, this);
  return place;
}

void TFlashSprite::RemoveObject(uint16_t depth, const TFlashObject* obj) {
  if (obj)
    definition_.AddControlTag(std::make_unique<TSWFRemoveObject>(obj->CharacterID(), depth));
  else
    definition_.AddControlTag(std::make_unique<TSWFRemoveObject2>(depth));
}

void TFlashSprite::ShowFrame(uint16_t count) {
  if (count == 0) count = 1;
  definition_.FrameCount = static_cast<uint16_t>(definition_.FrameCount + count);
  if (!frameLabel_.empty()) {
    definition_.AddControlTag(std::make_unique<TSWFFrameLabel>(frameLabel_));
    frameLabel_.clear();
  }
  for (uint16_t i = 0; i < count; ++i) definition_.AddControlTag(std::make_unique<TSWFShowFrame>());
  currentFrame_ = definition_.FrameCount - 1;
}

TFlashActionScript& TFlashSprite::InitActions() {
  if (!initActions_) initActions_ = std::make_unique<TFlashActionScript>(Owner());
  return *initActions_;
}

uint8_t TFlashSprite::MinVersion() const {
  uint8_t v = 3;
  for (const auto& tag : definition_.ControlTags()) v = std::max(v, tag->MinVersion());
  // The DoInitAction written after the sprite needs version 6.
  if (initActions_) v = std::max<uint8_t>(v, 6);
  return v;
}

void TFlashSprite::WriteToStream(TBitsEngine& be) {
  if (definition_.FrameCount == 0) ShowFrame(1);
  const uint8_t version = Owner() ? Owner()->Version() : 3;
  for (auto& tag : definition_.ControlTags())
    if (auto* obj = dynamic_cast<TFlashObject*>(tag.get())) obj->SetSWFVersion(version);
  definition_.WriteToStream(be);
  if (initActions_) {
    TSWFObject::WriteTag(be, tagDoInitAction, [this](TBitsEngine& body) {
      body.WriteWord(definition_.SpriteID);
      initActions_->Actions().WriteToStream(body);
      body.WriteByte(0);
    });
  }
}

}  // namespace tessaly::swf
