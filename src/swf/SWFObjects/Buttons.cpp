#include "swf/SWFObjects/Buttons.h"

namespace tessaly::swf {

TSWFColorTransform& TSWFButtonRecord::ColorTransform() {
  if (!colorTransform_) colorTransform_ = std::make_unique<TSWFColorTransform>(true);
  return *colorTransform_;
}

void TSWFButtonRecord::WriteToStream(TBitsEngine& be, bool withColorTransform) const {
  TBitsEngine::TRecordScope scope(be, "BUTTONRECORD");
  be.WriteBits(0, 4);
  be.WriteBits(States, 4);
  be.WriteWord(CharacterId);
  be.WriteWord(PlaceDepth);
  be.WriteMatrix(matrix_);
  if (withColorTransform) {
    if (colorTransform_)
      be.WriteColorTransform(*colorTransform_);
    else
      be.WriteByte(0);
  }
}

TSWFButtonRecord& TSWFDefineButton::AddRecord(uint16_t characterId, uint8_t states, uint16_t depth) {
  records_.push_back(std::make_unique<TSWFButtonRecord>(characterId, states, depth));
  return *records_.back();
}

void TSWFDefineButton::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(ButtonId);
  for (const auto& r : records_) r->WriteToStream(be, false);
  be.WriteByte(0);
  actions_.WriteToStream(be);
  be.WriteByte(0);
}

TSWFButtonRecord& TSWFDefineButton2::AddRecord(uint16_t characterId, uint8_t states, uint16_t depth) {
  records_.push_back(std::make_unique<TSWFButtonRecord>(characterId, states, depth));
  records_.back()->ColorTransform();
  return *records_.back();
}

TSWFButtonCondAction& TSWFDefineButton2::AddCondAction(uint16_t conditions) {
  condActions_.push_back(std::make_unique<TSWFButtonCondAction>(conditions));
  return *condActions_.back();
}

TSWFButtonCondAction* TSWFDefineButton2::FindCondAction(TSWFButtonCondition c) const {
  for (const auto& ca : condActions_)
    if (ca->HasCondition(c)) return ca.get();
  return nullptr;
}

void TSWFDefineButton2::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(ButtonId);
  be.WriteByte(TrackAsMenu ? 1 : 0);
  uint64_t offsetAt = be.BitsStream().Position();
  be.WriteWord(0);
  for (const auto& r : records_) r->WriteToStream(be, true);
  be.WriteByte(0);
  if (condActions_.empty()) return;
  PatchWord(be, offsetAt, be.BitsStream().Position() - offsetAt, "the action offset");
  for (size_t i = 0; i < condActions_.size(); ++i) {
    const TSWFButtonCondAction& ca = *condActions_[i];
    uint64_t sizeAt = be.BitsStream().Position();
    be.WriteWord(0);
    for (TSWFButtonCondition c : kCondActionFirstByte) be.WriteBit(ca.HasCondition(c));
    be.WriteBits(ca.KeyCode, 7);
    be.WriteBit(ca.HasCondition(bcOverDownToIdle));
    ca.Actions().WriteToStream(be);
    be.WriteByte(0);
    if (i + 1 < condActions_.size())
      PatchWord(be, sizeAt, be.BitsStream().Position() - sizeAt, "the condition action size");
  }
}

}  // namespace tessaly::swf
