#include "swf/SWFObjects.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <stdexcept>

#include "platform/CodePage.h"

namespace tessaly::swf {

namespace {

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

}  // namespace

// ---- tag framing ----

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

// ---- actions ----

void TSWFAction::WriteToStream(TBitsEngine& be) {
  be.WriteByte(actionCode_);
  if (actionCode_ < kActionHasBody) return;
  TMemoryStream body;
  TBitsEngine bodyEngine(body, be);
  WriteActionData(bodyEngine);
  bodyEngine.FlushBits(true);
  // The length is what was written, so it always agrees with the body.
  if (body.Size() > 0xFFFF) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", actionCode_);
    be.Overflow(std::string("the length ") + std::to_string(body.Size()) + " of action " + code +
                " does not fit in 16 bits");
  }
  actionLength_ = static_cast<uint16_t>(body.Size());
  be.WriteWord(actionLength_);
  be.WriteBuffer(body.Data(), body.Size());
}

void TSWFActionGetUrl::WriteActionData(TBitsEngine& be) {
  be.WriteString(URL, true, true);
  be.WriteString(Target, true, false);
}

void TSWFActionByteCode::WriteToStream(TBitsEngine& be) { be.WriteBuffer(ByteCode.data(), ByteCode.size()); }

void TSWFActionPush::AddValue(const TFlashVar& value) {
  TPushValue v;
  if (std::holds_alternative<std::monostate>(value)) {
    v.ValueType = ptUndefined;
  } else if (std::holds_alternative<TFlashNull>(value)) {
    v.ValueType = ptNull;
  } else if (const auto* s = std::get_if<std::string>(&value)) {
    if (*s == "FlashVar_null") {
      v.ValueType = ptNull;
    } else if (*s == "FlashVar_undefined") {
      v.ValueType = ptUndefined;
    } else {
      v.ValueType = ptString;
      v.String = *s;
    }
  } else if (const auto* f = std::get_if<float>(&value)) {
    v.ValueType = ptFloat;
    v.Float = *f;
  } else if (const auto* d = std::get_if<double>(&value)) {
    v.ValueType = ptDouble;
    v.Double = *d;
  } else if (const auto* b = std::get_if<bool>(&value)) {
    v.ValueType = ptBoolean;
    v.Boolean = *b;
  } else {
    v.ValueType = ptInteger;
    v.Integer = std::get<int32_t>(value);
  }
  values_.push_back(std::move(v));
}

void TSWFActionPush::AddTypedValue(TSWFPushType type, uint16_t value) {
  TPushValue v;
  v.ValueType = type;
  v.Integer = value;
  values_.push_back(std::move(v));
}

uint8_t TSWFActionPush::MinVersion() const {
  for (const TPushValue& v : values_)
    if (v.ValueType != ptString && v.ValueType != ptFloat) return 5;
  return 4;
}

void TSWFActionPush::WriteActionData(TBitsEngine& be) {
  for (const TPushValue& v : values_) {
    be.WriteByte(v.ValueType);
    switch (v.ValueType) {
      case ptString:
        be.WriteString(v.String, true, false);
        break;
      case ptFloat:
        be.WriteSingle(v.Float);
        break;
      case ptNull:
      case ptUndefined:
        break;
      case ptRegister:
      case ptConstant8:
        be.WriteByte(static_cast<uint8_t>(v.Integer));
        break;
      case ptBoolean:
        be.WriteByte(v.Boolean ? 1 : 0);
        break;
      case ptDouble: {
        uint64_t bits = std::bit_cast<uint64_t>(v.Double);
        be.WriteDWord(static_cast<uint32_t>(bits >> 32));
        be.WriteDWord(static_cast<uint32_t>(bits));
        break;
      }
      case ptInteger:
        be.WriteDWord(static_cast<uint32_t>(v.Integer));
        break;
      case ptConstant16:
        be.WriteWord(static_cast<uint16_t>(v.Integer));
        break;
    }
  }
}

uint8_t TSWFActionList::MinVersion() const {
  uint8_t v = 1;
  for (const auto& a : actions_) v = std::max(v, a->MinVersion());
  return v;
}

void TSWFActionList::WriteToStream(TBitsEngine& be) const {
  for (const auto& a : actions_) a->WriteToStream(be);
}

namespace {

// True when the list's last record already is the 0 end byte.
bool EndsWithEndByte(const TSWFActionList& actions) {
  const auto* raw = dynamic_cast<const TSWFActionByteCode*>(actions.Last());
  return raw && !raw->ByteCode.empty() && raw->ByteCode.back() == 0;
}

}  // namespace

// ---- control and display-list tags ----

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

// ---- action containers ----

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

// ---- sprites ----

bool TSWFDefineSprite::EndsWithEnd(const std::vector<std::unique_ptr<TBasedSWFObject>>& tags) {
  return !tags.empty() && dynamic_cast<const TSWFEnd*>(tags.back().get()) != nullptr;
}

void TSWFDefineSprite::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(SpriteID);
  be.WriteWord(FrameCount);
  for (auto& tag : controlTags_) tag->WriteToStream(be);
  if (!EndsWithEnd(controlTags_)) be.WriteWord(0);
}

// ---- buttons ----

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

// ---- shape styles ----

void TSWFColorFill::WriteToStream(TBitsEngine& be) {
  be.WriteByte(FillStyleType());
  WriteRGBOrRGBA(be, Color, HasAlpha);
}

void TSWFGradientFill::WriteToStream(TBitsEngine& be) {
  be.WriteByte(FillStyleType());
  be.WriteMatrix(GradientMatrix);
  be.WriteByte(GradientCount);
  for (int i = 0; i < GradientCount && i < kMaxRecords; ++i) {
    be.WriteByte(records_[i].Ratio);
    WriteRGBOrRGBA(be, records_[i].Color, HasAlpha);
  }
}

void TSWFImageFill::WriteToStream(TBitsEngine& be) {
  be.WriteByte(FillStyleType());
  be.WriteWord(BitmapId);
  be.WriteMatrix(BitmapMatrix);
}

void TSWFLineStyle::WriteToStream(TBitsEngine& be) const {
  be.WriteWord(Width);
  WriteRGBOrRGBA(be, Color, Color.HasAlpha());
}

namespace {

void WriteStyleCount(TBitsEngine& be, size_t count) {
  if (count <= 254) {
    be.WriteByte(static_cast<uint8_t>(count));
  } else {
    be.WriteByte(kStyleCountExtended);
    WriteUI16(be, count, "the style count");
  }
}

}  // namespace

void WriteFillStyles(TBitsEngine& be, TSWFFillStyles& styles, bool hasAlpha) {
  WriteStyleCount(be, styles.size());
  for (auto& s : styles) {
    s->HasAlpha = hasAlpha;
    s->WriteToStream(be);
  }
}

void WriteLineStyles(TBitsEngine& be, TSWFLineStyles& styles, bool hasAlpha) {
  WriteStyleCount(be, styles.size());
  for (auto& s : styles) {
    s->Color.SetHasAlpha(hasAlpha);
    s->WriteToStream(be);
  }
}

// ---- shape records ----

void TSWFEndShapeRecord::WriteToStream(TBitsEngine& be) { be.WriteBits(0, 6); }

void TSWFStraightEdgeRecord::WriteToStream(TBitsEngine& be) {
  if (DeltaX == 0 && DeltaY == 0) return;
  TBitsEngine::TRecordScope scope(be, "straight edge");
  be.WriteBit(true);
  be.WriteBit(true);
  const uint32_t largest = LargestMagnitude({DeltaX, DeltaY});
  const uint8_t n = SignedBitsOfMagnitude(largest);
  be.WriteFieldWidth(n, 4, largest, 2);
  if (DeltaX != 0 && DeltaY != 0) {
    be.WriteBit(true);
    be.WriteSBits(DeltaX, n);
    be.WriteSBits(DeltaY, n);
  } else {
    be.WriteBit(false);
    be.WriteBit(DeltaX == 0);
    be.WriteSBits(DeltaX != 0 ? DeltaX : DeltaY, n);
  }
}

TSWFFillStyles& TSWFStyleChangeRecord::NewFillStyles() {
  if (!newFillStyles_) newFillStyles_ = std::make_unique<TSWFFillStyles>();
  StateNewStyles = true;
  return *newFillStyles_;
}

TSWFLineStyles& TSWFStyleChangeRecord::NewLineStyles() {
  if (!newLineStyles_) newLineStyles_ = std::make_unique<TSWFLineStyles>();
  StateNewStyles = true;
  return *newLineStyles_;
}

void TSWFStyleChangeRecord::WriteToStream(TBitsEngine& be) {
  TBitsEngine::TRecordScope scope(be, "style change");
  bool anyStyle = StateFillStyle0 || StateFillStyle1 || StateLineStyle;
  // Without any style flag the move bit is forced on, so the record can
  // never read as an end record.
  bool moveTo = anyStyle ? StateMoveTo : true;
  be.WriteBit(false);
  be.WriteBit(StateNewStyles);
  be.WriteBit(StateLineStyle);
  be.WriteBit(StateFillStyle1);
  be.WriteBit(StateFillStyle0);
  be.WriteBit(moveTo);
  if (moveTo) {
    const uint32_t largest = LargestMagnitude({DeltaX, DeltaY});
    const uint8_t n = SignedBitsOfMagnitude(largest);
    be.WriteFieldWidth(n, 5, largest);
    be.WriteSBits(DeltaX, n);
    be.WriteSBits(DeltaY, n);
  }
  if (StateFillStyle0) be.WriteBits(fillStyle0_, NumFillBits);
  if (StateFillStyle1) be.WriteBits(fillStyle1_, NumFillBits);
  if (StateLineStyle) be.WriteBits(lineStyle_, NumLineBits);
  if (StateNewStyles) {
    be.FlushBits(true);
    TSWFFillStyles& fills = NewFillStyles();
    TSWFLineStyles& lines = NewLineStyles();
    WriteFillStyles(be, fills, StylesHasAlpha);
    WriteLineStyles(be, lines, StylesHasAlpha);
    NumFillBits = GetBitsCount(static_cast<uint32_t>(fills.size()));
    NumLineBits = GetBitsCount(static_cast<uint32_t>(lines.size()));
    be.WriteBits(NumFillBits, 4);
    be.WriteBits(NumLineBits, 4);
  }
}

void TSWFCurvedEdgeRecord::WriteToStream(TBitsEngine& be) {
  if (AnchorDeltaX == 0 && AnchorDeltaY == 0 && ControlDeltaX == 0 && ControlDeltaY == 0) return;
  TBitsEngine::TRecordScope scope(be, "curved edge");
  be.WriteBit(true);
  be.WriteBit(false);
  const uint32_t largest = LargestMagnitude({AnchorDeltaX, AnchorDeltaY, ControlDeltaX, ControlDeltaY});
  const uint8_t n = SignedBitsOfMagnitude(largest);
  be.WriteFieldWidth(n, 4, largest, 2);
  be.WriteSBits(ControlDeltaX, n);
  be.WriteSBits(ControlDeltaY, n);
  be.WriteSBits(AnchorDeltaX, n);
  be.WriteSBits(AnchorDeltaY, n);
}

void WriteShapeRecords(TBitsEngine& be, TSWFShapeRecords& records, uint8_t numFillBits, uint8_t numLineBits,
                       bool hasAlpha) {
  for (size_t i = 0; i < records.size(); ++i) {
    TSWFShapeRecord& r = *records[i];
    switch (r.ShapeRecordType()) {
      case srStyleChange: {
        auto& sc = static_cast<TSWFStyleChangeRecord&>(r);
        sc.NumFillBits = numFillBits;
        sc.NumLineBits = numLineBits;
        sc.StylesHasAlpha = hasAlpha;
        if (!sc.StateNewStyles) {
          if (numFillBits == 0) sc.StateFillStyle0 = sc.StateFillStyle1 = false;
          if (numLineBits == 0) sc.StateLineStyle = false;
        }
        sc.WriteToStream(be);
        if (sc.StateNewStyles) {
          numFillBits = sc.NumFillBits;
          numLineBits = sc.NumLineBits;
        }
        break;
      }
      case srEnd:
        if (i + 1 == records.size()) r.WriteToStream(be);
        break;
      case srStraightEdge:
      case srCurvedEdge:
        r.WriteToStream(be);
        break;
    }
  }
  if (records.empty() || records.back()->ShapeRecordType() != srEnd) TSWFEndShapeRecord().WriteToStream(be);
}

// ---- shape definitions ----

uint8_t TSWFDefineShape::MinVersion() const {
  switch (TagID()) {
    case tagDefineShape3:
      return 3;
    case tagDefineShape2:
      return 2;
    default:
      return 1;
  }
}

void TSWFDefineShape::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(ShapeId);
  be.WriteRect(ShapeBounds);
  WriteFillStyles(be, fillStyles_, HasAlpha);
  WriteLineStyles(be, lineStyles_, HasAlpha);
  uint8_t numFillBits = GetBitsCount(static_cast<uint32_t>(fillStyles_.size()));
  uint8_t numLineBits = GetBitsCount(static_cast<uint32_t>(lineStyles_.size()));
  be.WriteBits(numFillBits, 4);
  be.WriteBits(numLineBits, 4);
  WriteShapeRecords(be, shapeRecords_, numFillBits, numLineBits, HasAlpha);
  be.FlushBits(true);
}

// ---- font and static text tags ----

namespace {

// The font name as DefineFont2 stores it: UTF-8 from version 6, else the
// system code page; cut to the 255 bytes its length byte can count, at a
// character boundary.
std::string EncodedFontName(std::string_view name, uint8_t swfVersion) {
  const bool utf8 = swfVersion >= 6;
  name = name.substr(0, name.find('\0'));
  std::string bytes = utf8 ? std::string(name) : platform::Utf8ToAnsi(name);
  if (bytes.size() <= 255) return bytes;
  size_t end = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    const auto lead = static_cast<uint8_t>(bytes[pos]);
    size_t len = 1;
    if (utf8)
      len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    else if (lead >= 0x81 && lead <= 0xFE)
      len = 2;
    if (pos + len > 255) break;
    pos += len;
    end = pos;
  }
  bytes.resize(end);
  return bytes;
}

// One glyph: NumFillBits 1 and NumLineBits 0, its records, an end record,
// padded to a byte. A first record that selects no fill is made to select
// fill style 1, so that the glyph is filled.
void WriteGlyphShape(TBitsEngine& be, TSWFShapeRecords& records) {
  be.WriteByte(0x10);
  if (!records.empty() && records.front()->ShapeRecordType() == srStyleChange) {
    auto& first = static_cast<TSWFStyleChangeRecord&>(*records.front());
    const bool noFill = !first.StateFillStyle0 && !first.StateFillStyle1;
    if (noFill || (first.StateFillStyle1 && first.FillStyle1() == 0)) {
      first.SetFillStyle1(1);
      first.StateFillStyle0 = false;
      first.StateLineStyle = true;
    }
  }
  for (size_t i = 0; i < records.size(); ++i) {
    TSWFShapeRecord& r = *records[i];
    if (r.ShapeRecordType() == srStyleChange) {
      auto& sc = static_cast<TSWFStyleChangeRecord&>(r);
      sc.NumFillBits = 1;
      sc.NumLineBits = 0;
      sc.StylesHasAlpha = false;
    }
    if (r.ShapeRecordType() != srEnd || i + 1 == records.size()) r.WriteToStream(be);
  }
  if (records.empty() || records.back()->ShapeRecordType() != srEnd) TSWFEndShapeRecord().WriteToStream(be);
  be.FlushBits(true);
}

// The glyph shapes one after another; Offsets receives where each starts.
TMemoryStream GlyphShapes(const TBitsEngine& be, std::vector<TSWFShapeRecords>& table, size_t count,
                          std::vector<size_t>& offsets) {
  TMemoryStream shapes;
  TBitsEngine engine(shapes, be);
  TSWFShapeRecords none;
  for (size_t i = 0; i < count; ++i) {
    offsets.push_back(static_cast<size_t>(shapes.Size()));
    WriteGlyphShape(engine, i < table.size() ? table[i] : none);
  }
  return shapes;
}

void WriteCode(TBitsEngine& be, uint16_t code, bool wide) {
  if (wide)
    be.WriteWord(code);
  else
    be.WriteByte(static_cast<uint8_t>(code));
}

}  // namespace

void TSWFDefineFont::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(FontId);
  std::vector<size_t> offsets;
  TMemoryStream shapes = GlyphShapes(be, GlyphShapeTable, GlyphShapeTable.size(), offsets);
  const size_t tableSize = 2 * GlyphShapeTable.size();
  for (size_t offset : offsets) WriteUI16(be, tableSize + offset, "the glyph offset");
  be.WriteBuffer(shapes.Data(), shapes.Size());
}

std::vector<TSWFKerningRecord>& TSWFDefineFont2::KerningTable() {
  if (!kerningTable_) kerningTable_ = std::make_unique<std::vector<TSWFKerningRecord>>();
  return *kerningTable_;
}

void TSWFDefineFont2::WriteTagBody(TBitsEngine& be) {
  const size_t numGlyphs = CodeTable.size();
  const bool layout = HasLayout && numGlyphs > 0;
  // Offsets count from the first byte of the offset table. When the code
  // table would start beyond what 16 bits can address, the offsets are
  // written in 32 bits instead of wrapping around.
  std::vector<size_t> offsets;
  TMemoryStream shapes = GlyphShapes(be, GlyphShapeTable, numGlyphs, offsets);
  const bool wideOffsets = WideOffsets || (numGlyphs + 1) * 2 + shapes.Size() > 0xFFFF;
  const size_t tableSize = (numGlyphs + 1) * (wideOffsets ? 4 : 2);
  offsets.push_back(static_cast<size_t>(shapes.Size()));  // the code table follows the shapes

  be.WriteWord(FontId);
  be.WriteBit(layout);
  be.WriteBit(ShiftJIS);
  be.WriteBit(SmallText);
  be.WriteBit(ANSI || numGlyphs == 0);
  be.WriteBit(wideOffsets);
  be.WriteBit(WideCodes);
  be.WriteBit(Italic);
  be.WriteBit(Bold);
  be.WriteByte(LanguageCode);
  const std::string name = EncodedFontName(FontName, SWFVersion);
  be.WriteByte(static_cast<uint8_t>(name.size()));
  be.WriteBuffer(name.data(), name.size());
  WriteUI16(be, numGlyphs, "the glyph count");
  for (size_t offset : offsets) {
    if (wideOffsets)
      be.WriteDWord(static_cast<uint32_t>(tableSize + offset));
    else
      be.WriteWord(static_cast<uint16_t>(tableSize + offset));
  }
  be.WriteBuffer(shapes.Data(), shapes.Size());
  for (uint16_t code : CodeTable) WriteCode(be, code, WideCodes);

  if (!layout) return;
  be.WriteWord(FontAscent);
  be.WriteWord(FontDescent);
  be.WriteWord(static_cast<uint16_t>(FontLeading));
  for (size_t i = 0; i < numGlyphs; ++i)
    be.WriteWord(static_cast<uint16_t>(i < AdvanceTable.size() ? AdvanceTable[i] : 0));
  for (size_t i = 0; i < numGlyphs; ++i)
    be.WriteRect(i < BoundsTable.size() && BoundsTable[i] ? *BoundsTable[i] : TSWFRect());
  const size_t kerningCount = kerningTable_ ? kerningTable_->size() : 0;
  WriteUI16(be, kerningCount, "the kerning count");
  for (size_t i = 0; i < kerningCount; ++i) {
    const TSWFKerningRecord& k = (*kerningTable_)[i];
    WriteCode(be, k.Code1, WideCodes);
    WriteCode(be, k.Code2, WideCodes);
    be.WriteWord(static_cast<uint16_t>(k.Adjustment));
  }
}

TSWFRGBA& TSWFTextRecord::Color() {
  if (!color_) color_ = std::make_unique<TSWFRGBA>();
  HasColor = true;
  return *color_;
}

void TSWFTextRecord::WriteToStream(TBitsEngine& be, uint8_t glyphBits, uint8_t advanceBits) {
  if (GlyphEntries.size() > 255) throw std::length_error("a text record holds at most 255 glyphs");
  TBitsEngine::TRecordScope scope(be, "TEXTRECORD");
  be.WriteBit(true);
  be.WriteBits(0, 3);
  be.WriteBit(HasFont);
  be.WriteBit(HasColor);
  be.WriteBit(HasYOffset);
  be.WriteBit(HasXOffset);
  if (HasFont) be.WriteWord(fontId_);
  if (HasColor) {
    if (HasAlpha)
      be.WriteColorA(Color().RGBA());
    else
      be.WriteColor(Color().RGB());
  }
  if (HasXOffset) be.WriteWord(static_cast<uint16_t>(xOffset_));
  if (HasYOffset) be.WriteWord(static_cast<uint16_t>(yOffset_));
  if (HasFont) be.WriteWord(textHeight_);
  be.WriteByte(static_cast<uint8_t>(GlyphEntries.size()));
  for (const auto& entry : GlyphEntries) {
    be.WriteBits(entry->GlyphIndex, glyphBits);
    be.WriteSBits(entry->GlyphAdvance, advanceBits);
  }
  be.FlushBits(true);
}

void TSWFDefineText::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteRect(TextBounds);
  be.WriteMatrix(TextMatrix);
  be.WriteByte(GlyphBits);
  be.WriteByte(AdvanceBits);
  for (const auto& record : TextRecords) {
    record->HasAlpha = HasAlpha;
    record->WriteToStream(be, GlyphBits, AdvanceBits);
  }
  be.WriteByte(0);
}

void TSWFDefineFontInfo::WriteNameAndFlags(TBitsEngine& be, bool wideCodes) {
  const std::string name = EncodedFontName(FontName, SWFVersion);
  be.WriteByte(static_cast<uint8_t>(name.size()));
  be.WriteBuffer(name.data(), name.size());
  be.WriteBits(0, 2);
  be.WriteBit(SmallText);
  be.WriteBit(ShiftJIS);
  be.WriteBit(ANSI);
  be.WriteBit(Italic);
  be.WriteBit(Bold);
  be.WriteBit(wideCodes);
}

void TSWFDefineFontInfo::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(FontId);
  WriteNameAndFlags(be, WideCodes);
  for (uint16_t code : CodeTable) WriteCode(be, code, WideCodes);
}

void TSWFDefineFontInfo2::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(FontId);
  WriteNameAndFlags(be, true);
  be.WriteByte(LanguageCode);
  for (uint16_t code : CodeTable) be.WriteWord(code);
}

TSWFRGBA& TSWFDefineEditText::TextColor() {
  if (!textColor_) textColor_ = std::make_unique<TSWFRGBA>(true);
  HasTextColor = true;
  return *textColor_;
}

void TSWFDefineEditText::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteRect(Bounds);
  be.WriteBit(HasText);
  be.WriteBit(WordWrap);
  be.WriteBit(Multiline);
  be.WriteBit(Password);
  be.WriteBit(ReadOnly);
  be.WriteBit(HasTextColor);
  be.WriteBit(HasMaxLength);
  be.WriteBit(HasFont);
  be.WriteBit(false);  // font class
  be.WriteBit(AutoSize);
  be.WriteBit(HasLayout);
  be.WriteBit(NoSelect);
  be.WriteBit(Border);
  be.WriteBit(false);  // was static
  be.WriteBit(HTML);
  be.WriteBit(UseOutlines);
  if (HasFont) be.WriteWord(fontId_);
  if (HasFont) be.WriteWord(fontHeight_);
  if (HasTextColor) be.WriteColorA(TextColor().RGBA());
  if (HasMaxLength) be.WriteWord(maxLength_);
  if (HasLayout) {
    be.WriteByte(Align);
    be.WriteWord(LeftMargin);
    be.WriteWord(RightMargin);
    be.WriteWord(Indent);
    be.WriteWord(static_cast<uint16_t>(Leading));
  }
  const bool utf8 = SWFVersion >= 6;
  be.WriteString(VariableName, true, utf8);
  if (HasText) be.WriteString(initialText_, true, utf8);
}

// ---- bitmap tags ----

namespace {

constexpr uint8_t kStartOfImage[2] = {0xFF, 0xD8};
constexpr uint8_t kEndOfImage[2] = {0xFF, 0xD9};

}  // namespace

void TSWFDataObject::SetData(const uint8_t* data, uint32_t size) {
  ownedData_.clear();
  data_ = data;
  dataSize_ = size;
}

void TSWFDataObject::SetOwnedData(std::vector<uint8_t> data) {
  ownedData_ = std::move(data);
  data_ = ownedData_.data();
  dataSize_ = static_cast<uint32_t>(ownedData_.size());
}

void TSWFDataObject::WriteData(TBitsEngine& be) {
  if (OnDataWrite)
    OnDataWrite(*this, be);
  else if (dataSize_ > 0)
    be.WriteBuffer(data_, dataSize_);
}

void TSWFDefineBits::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteBuffer(kStartOfImage, 2);
  WriteData(be);
  be.WriteBuffer(kEndOfImage, 2);
}

void TSWFJPEGTables::WriteTagBody(TBitsEngine& be) {
  be.WriteBuffer(kStartOfImage, 2);
  WriteData(be);
  be.WriteBuffer(kEndOfImage, 2);
}

void TSWFDefineBitsJPEG3::SetAlphaData(const uint8_t* data, uint32_t size) {
  ownedAlphaData_.clear();
  alphaData_ = data;
  alphaDataSize_ = size;
}

void TSWFDefineBitsJPEG3::SetOwnedAlphaData(std::vector<uint8_t> data) {
  ownedAlphaData_ = std::move(data);
  alphaData_ = ownedAlphaData_.data();
  alphaDataSize_ = static_cast<uint32_t>(ownedAlphaData_.size());
}

void TSWFDefineBitsJPEG3::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  TStream& stream = be.BitsStream();
  const uint64_t offsetField = stream.Position();
  be.WriteDWord(0);
  be.WriteBuffer(kStartOfImage, 2);
  WriteData(be);
  be.WriteBuffer(kEndOfImage, 2);
  const uint64_t alphaStart = stream.Position();
  alphaDataOffset_ = static_cast<uint32_t>(alphaStart - offsetField - 4);
  stream.Seek(offsetField);
  be.WriteDWord(alphaDataOffset_);
  stream.Seek(alphaStart);
  if (OnAlphaDataWrite)
    OnAlphaDataWrite(*this, be);
  else if (alphaDataSize_ > 0)
    be.WriteBuffer(alphaData_, alphaDataSize_);
}

void TSWFDefineBitsLossless::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteByte(BitmapFormat);
  be.WriteWord(BitmapWidth);
  be.WriteWord(BitmapHeight);
  if (BitmapFormat == 3) be.WriteByte(BitmapColorTableSize);
  WriteData(be);
}

}  // namespace tessaly::swf
