#include "swf/SWFObjects/Tags.h"

#include <cstdio>

namespace tessaly::swf {

// A UI16 field that must hold Value.
void WriteUI16(TBitsEngine& be, uint64_t value, std::string_view field) {
  be.CheckFits(value, 16, field);
  be.WriteWord(static_cast<uint16_t>(value));
}

// Overwrites a UI16 at an earlier position of the engine's (aligned) stream.
void PatchWord(TBitsEngine& be, uint64_t at, uint64_t value, std::string_view field) {
  be.CheckFits(value, 16, field);
  TStream& s = be.BitsStream();
  uint64_t here = s.Position();
  s.Seek(at);
  be.WriteWord(static_cast<uint16_t>(value));
  s.Seek(here);
}

void PatchDWord(TBitsEngine& be, uint64_t at, uint64_t value) {
  TStream& s = be.BitsStream();
  uint64_t here = s.Position();
  s.Seek(at);
  be.WriteDWord(static_cast<uint32_t>(value));
  s.Seek(here);
}

void WriteRGBOrRGBA(TBitsEngine& be, const TSWFRGBA& color, bool withAlpha) {
  if (withAlpha)
    be.WriteColorA(color.RGBA());
  else
    be.WriteColor(color.RGB());
}

uint32_t TSWFObject::WriteTag(TBitsEngine& be, uint16_t tagID, const TMemoryStream& body) {
  uint32_t size = static_cast<uint32_t>(body.Size());
  bool longForm = size >= 63 || tagID == tagDefineBitsLossless || tagID == tagDefineBitsLossless2 ||
                  tagID == tagDefineVideoStream;
  uint16_t header = static_cast<uint16_t>(tagID * 64 + (longForm ? 63 : size));
  uint8_t bytes[2] = {uint8_t(header), uint8_t(header >> 8)};
  be.BitsStream().Write(bytes, 2);
  if (longForm) be.WriteDWord(size);
  be.BitsStream().Write(body.Data(), body.Size());
  return size;
}

uint32_t TSWFObject::WriteTag(TBitsEngine& be, uint16_t tagID, const std::function<void(TBitsEngine&)>& writeBody) {
  TMemoryStream body;
  // Most tags are small: one allocation instead of one per doubling.
  body.Reserve(64);
  TBitsEngine bodyEngine(body, be);
  const std::string_view name = TagName(tagID);
  TBitsEngine::TRecordScope scope(bodyEngine, name.empty() ? std::string_view("tag") : name);
  writeBody(bodyEngine);
  bodyEngine.FlushBits(true);
  return WriteTag(be, tagID, body);
}

void TSWFObject::WriteToStream(TBitsEngine& be) {
  bodySize_ = WriteTag(be, tagID_, [this](TBitsEngine& body) { WriteTagBody(body); });
}

}  // namespace tessaly::swf
