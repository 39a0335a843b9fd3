#pragma once
// The roots of the tag classes and the tag framing, with the helpers
// the tag writers share.

#include <cstdint>
#include <functional>
#include <string_view>

#include "swf/SWFFormat.h"
#include "swf/SWFTools.h"

namespace tessaly::swf {

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

// ---- helpers of the tag writers ----

// A UI16 field that must hold Value (EFieldOverflow otherwise).
void WriteUI16(TBitsEngine& be, uint64_t value, std::string_view field);
// Overwrites a UI16 or UI32 at an earlier position of the engine's aligned
// stream, for sizes and offsets known only after what they describe.
void PatchWord(TBitsEngine& be, uint64_t at, uint64_t value, std::string_view field);
void PatchDWord(TBitsEngine& be, uint64_t at, uint64_t value);
// A colour as RGBA or RGB.
void WriteRGBOrRGBA(TBitsEngine& be, const TSWFRGBA& color, bool withAlpha);

}  // namespace tessaly::swf
