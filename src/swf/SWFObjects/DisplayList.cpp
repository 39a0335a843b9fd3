#include "swf/SWFObjects/DisplayList.h"

#include <algorithm>

namespace tessaly::swf {

void TSWFSetBackgroundColor::WriteTagBody(TBitsEngine& be) { be.WriteColor(Color.RGB()); }

void TSWFFrameLabel::WriteTagBody(TBitsEngine& be) {
  be.WriteString(Name, true, false);
  if (NamedAnchor) be.WriteByte(1);
}

void TSWFRemoveObject::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteWord(Depth);
}

void TSWFRemoveObject2::WriteTagBody(TBitsEngine& be) { be.WriteWord(Depth); }

TSWFColorTransform& TSWFPlaceObject::ColorTransform() {
  if (!colorTransform_) colorTransform_ = std::make_unique<TSWFColorTransform>(false);
  return *colorTransform_;
}

void TSWFPlaceObject::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId());
  be.WriteWord(Depth());
  be.WriteMatrix(matrix_);
  if (colorTransform_) be.WriteColorTransform(*colorTransform_);
}

TSWFClipActionRecord& TSWFClipActions::AddRecord(uint32_t eventFlags) {
  Records.push_back(std::make_unique<TSWFClipActionRecord>());
  Records.back()->EventFlags = eventFlags;
  return *Records.back();
}

uint32_t TSWFClipActions::AllEventFlags() const {
  uint32_t all = 0;
  for (const auto& r : Records) all |= r->EventFlags;
  return all;
}

void TSWFPlaceObject2::SetCharacterId(uint16_t id) {
  TSWFBasedPlaceObject::SetCharacterId(id);
  hasCharacter_ = true;
}

TSWFMatrix& TSWFPlaceObject2::Matrix() {
  if (!matrix_) matrix_ = std::make_unique<TSWFMatrix>();
  hasMatrix_ = true;
  return *matrix_;
}

TSWFColorTransform& TSWFPlaceObject2::ColorTransform() {
  if (!colorTransform_) colorTransform_ = std::make_unique<TSWFColorTransform>(true);
  hasColorTransform_ = true;
  return *colorTransform_;
}

TSWFClipActions& TSWFPlaceObject2::ClipActions() {
  if (!clipActions_) {
    clipActions_ = std::make_unique<TSWFClipActions>();
    hasClipActions_ = true;
  }
  return *clipActions_;
}

void TSWFPlaceObject2::SetName(std::string name) {
  name_ = std::move(name);
  hasName_ = !name_.empty();
}

void TSWFPlaceObject2::SetRatio(uint16_t ratio) {
  ratio_ = ratio;
  hasRatio_ = true;
}

void TSWFPlaceObject2::SetClipDepth(uint16_t depth) {
  clipDepth_ = depth;
  hasClipDepth_ = true;
}

bool TSWFPlaceObject2::WritesClipActions() const {
  return hasClipActions_ && clipActions_ && !clipActions_->Records.empty();
}

uint8_t TSWFPlaceObject2::MinVersion() const { return WritesClipActions() ? std::max<uint8_t>(5, swfVersion_) : 3; }

void TSWFPlaceObject2::WriteTagBody(TBitsEngine& be) {
  be.WriteBit(WritesClipActions());
  be.WriteBit(hasClipDepth_);
  be.WriteBit(hasName_);
  be.WriteBit(hasRatio_);
  be.WriteBit(hasColorTransform_);
  be.WriteBit(hasMatrix_);
  be.WriteBit(hasCharacter_);
  be.WriteBit(move_);
  be.WriteWord(Depth());
  if (hasCharacter_) be.WriteWord(CharacterId());
  if (hasMatrix_) be.WriteMatrix(*matrix_);
  if (hasColorTransform_) be.WriteColorTransform(*colorTransform_);
  if (hasRatio_) be.WriteWord(ratio_);
  if (hasName_) be.WriteString(name_, true, false);
  if (hasClipDepth_) be.WriteWord(clipDepth_);
  if (WritesClipActions()) WriteClipActions(be);
}

void TSWFPlaceObject2::WriteClipActions(TBitsEngine& be) const {
  const bool wide = swfVersion_ >= 6;
  auto writeFlags = [&](uint32_t flags) {
    if (wide)
      be.WriteBits(flags, 32);
    else
      be.WriteBits(flags >> 16, 16);
  };
  be.WriteWord(0);
  writeFlags(clipActions_->AllEventFlags());
  for (const auto& r : clipActions_->Records) {
    writeFlags(r->EventFlags);
    uint64_t sizeAt = be.BitsStream().Position();
    be.WriteDWord(0);
    // The key press event exists only in the 32-bit flags.
    if (wide && (r->EventFlags & ceKeyPress)) be.WriteByte(r->KeyCode);
    r->Actions.WriteToStream(be);
    if (!EndsWithEndByte(r->Actions)) be.WriteByte(0);
    PatchDWord(be, sizeAt, be.BitsStream().Position() - sizeAt - 4);
  }
  writeFlags(0);
}

uint8_t TSWFDoAction::MinVersion() const { return std::max<uint8_t>(3, actions_.MinVersion()); }

void TSWFDoAction::WriteTagBody(TBitsEngine& be) {
  actions_.WriteToStream(be);
  be.WriteByte(0);
}

void TSWFDoInitAction::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(SpriteID);
  actions_.WriteToStream(be);
  be.WriteByte(0);
}

}  // namespace tessaly::swf
