#pragma once
// DefineSprite: a sprite's control tags and its End rule.

#include <cstdint>
#include <memory>
#include <vector>

#include "swf/SWFObjects/Tags.h"

namespace tessaly::swf {

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

}  // namespace tessaly::swf
