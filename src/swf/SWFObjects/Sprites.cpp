#include "swf/SWFObjects/Sprites.h"

#include "swf/SWFObjects/DisplayList.h"

namespace tessaly::swf {

bool TSWFDefineSprite::EndsWithEnd(const std::vector<std::unique_ptr<TBasedSWFObject>>& tags) {
  return !tags.empty() && dynamic_cast<const TSWFEnd*>(tags.back().get()) != nullptr;
}

void TSWFDefineSprite::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(SpriteID);
  be.WriteWord(FrameCount);
  for (auto& tag : controlTags_) tag->WriteToStream(be);
  if (!EndsWithEnd(controlTags_)) be.WriteWord(0);
}

}  // namespace tessaly::swf
