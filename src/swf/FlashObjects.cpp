#include "swf/FlashObjects.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <numbers>
#include <unordered_map>

#include "platform/CodePage.h"
#include "platform/FileBytes.h"
#include "platform/GifDecoder.h"
#include "platform/JpegCodec.h"
#include "platform/Rounding.h"

namespace tessaly::swf {

namespace {

// Geometry is computed in floating point and only then made integer; values
// beyond 32 bits (never reached by sane input) are clamped instead of
// overflowing.
using platform::ClampToInt32;
using platform::RoundHalfEven;
using platform::TruncToInt32;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

uint8_t AlphaOf(uint32_t rgba) { return static_cast<uint8_t>(rgba >> 24); }

}  // namespace

// ---- TFlashObject ----

void TFlashObject::SetOwner(TFlashMovie* owner) {
  owner_ = owner;
  OwnerChanged();
}

uint8_t TFlashObject::UnitsFactor() const { return owner_ ? owner_->UnitsFactor() : 1; }

// ---- TFlashVisualObject ----

void TFlashVisualObject::SetIgnoreMovieUnits(bool ignore) {
  ignoreMovieUnits_ = ignore;
  OwnerChanged();
}

uint8_t TFlashVisualObject::UnitsFactor() const { return ignoreMovieUnits_ ? 1 : TFlashIDObject::UnitsFactor(); }

// ---- TFlashActionScript ----

TFlashActionScript::TFlashActionScript(TFlashMovie* owner, TSWFActionList* list) : TFlashObject(owner) {
  if (list) {
    list_ = list;
  } else {
    ownList_ = std::make_unique<TSWFActionList>();
    list_ = ownList_.get();
  }
}

void TFlashActionScript::SetActionList(TSWFActionList* list) {
  ownList_.reset();
  list_ = list;
}

void TFlashActionScript::GetUrl(const std::string& url, const std::string& target) {
  list_->Add<TSWFActionGetUrl>(url, target);
}

void TFlashActionScript::Stop() { list_->Add<TSWFActionStop>(); }

void TFlashActionScript::StartDrag() { list_->Add<TSWFActionStartDrag>(); }

void TFlashActionScript::EndDrag() { list_->Add<TSWFActionEndDrag>(); }

void TFlashActionScript::Push(const TFlashVar& value) {
  TSWFAction* last = list_->Last();
  auto* push = last && last->ActionCode() == TSWFActionPush::kCode ? static_cast<TSWFActionPush*>(last)
                                                                    : list_->Add<TSWFActionPush>();
  push->AddValue(value);
}

void TFlashActionScript::GetVariable(const std::string& name) {
  Push(name);
  list_->Add<TSWFActionGetVariable>();
}

void TFlashActionScript::SetVariable(const std::string& name, const TFlashVar& value) {
  auto* push = list_->Add<TSWFActionPush>();
  push->AddValue(name);
  push->AddValue(value);
  list_->Add<TSWFActionSetVariable>();
}

void TFlashActionScript::WriteToStream(TBitsEngine& be) {
  TSWFObject::WriteTag(be, tagDoAction, [this](TBitsEngine& body) {
    list_->WriteToStream(body);
    body.WriteByte(0);
  });
}

// ---- TFlashPlaceObject ----

TFlashPlaceObject::TFlashPlaceObject(TFlashMovie* owner, const TFlashObject* obj, uint16_t depth)
    : TFlashObject(owner), placed_(obj) {
  place_.SetDepth(depth);
  if (obj) place_.SetCharacterId(obj->CharacterID());
}

void TFlashPlaceObject::SetTranslate(int32_t x, int32_t y) {
  if (x == 0 && y == 0 && !place_.HasMatrix() && !place_.Move()) return;
  const int32_t u = UnitsFactor();
  place_.Matrix().SetTranslate(x * u, y * u);
}

void TFlashPlaceObject::SetScale(double scaleX, double scaleY) { place_.Matrix().SetScale(scaleX, scaleY); }

void TFlashPlaceObject::SetRotate(double angle) { place_.Matrix().SetRotate(angle); }

uint8_t TFlashPlaceObject::MinVersion() const { return place_.MinVersion() > 3 ? 5 : 3; }

// ---- TFlashEdges ----

TFlashEdges::TFlashEdges(TSWFShapeRecords& records, TFlashMovie* owner) : records_(records), owner_(owner) {
  auto first = std::make_unique<TSWFStyleChangeRecord>();
  first->SetFillStyle1(0);
  records_.push_back(std::move(first));
}

int64_t TFlashEdges::Factor() const { return absolute_ || !owner_ ? 1 : owner_->UnitsFactor(); }

TSWFStyleChangeRecord& TFlashEdges::CurrentStyleChange() {
  if (!records_.empty() && records_.back()->ShapeRecordType() == srStyleChange)
    return static_cast<TSWFStyleChangeRecord&>(*records_.back());
  auto record = std::make_unique<TSWFStyleChangeRecord>();
  TSWFStyleChangeRecord& r = *record;
  records_.push_back(std::move(record));
  return r;
}

void TFlashEdges::MoveToTwips(int64_t x, int64_t y) {
  if (x == penX_ && y == penY_ && records_.size() <= 1) return;
  penX_ = static_cast<int32_t>(x);
  penY_ = static_cast<int32_t>(y);
  CurrentStyleChange().SetMoveTo(penX_, penY_);
  lastMoveX_ = penX_;
  lastMoveY_ = penY_;
}

void TFlashEdges::MoveTo(int32_t x, int32_t y) { MoveToTwips(x * Factor(), y * Factor()); }

void TFlashEdges::MoveDelta(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  MoveToTwips(penX_ + dx * Factor(), penY_ + dy * Factor());
}

void TFlashEdges::LineDeltaTwips(int64_t dx, int64_t dy) {
  if (dx == 0 && dy == 0) return;
  constexpr int64_t kMaxDelta = 65535;
  const int64_t n = std::max((std::llabs(dx) + kMaxDelta - 1) / kMaxDelta, (std::llabs(dy) + kMaxDelta - 1) / kMaxDelta);
  const double fx = static_cast<double>(dx), fy = static_cast<double>(dy), fn = static_cast<double>(n);
  for (int64_t g = 1; g <= n; ++g) {
    const int32_t rx = RoundHalfEven(fx * g / fn) - RoundHalfEven(fx * (g - 1) / fn);
    const int32_t ry = RoundHalfEven(fy * g / fn) - RoundHalfEven(fy * (g - 1) / fn);
    records_.push_back(std::make_unique<TSWFStraightEdgeRecord>(rx, ry));
  }
  penX_ = static_cast<int32_t>(penX_ + dx);
  penY_ = static_cast<int32_t>(penY_ + dy);
}

void TFlashEdges::LineTo(int32_t x, int32_t y) { LineDeltaTwips(x * Factor() - penX_, y * Factor() - penY_); }

void TFlashEdges::LineDelta(int32_t dx, int32_t dy) { LineDeltaTwips(dx * Factor(), dy * Factor()); }

void TFlashEdges::CurveDeltaTwips(int64_t controlDX, int64_t controlDY, int64_t anchorDX, int64_t anchorDY) {
  if (controlDX == 0 && controlDY == 0) return LineDeltaTwips(anchorDX, anchorDY);
  if (anchorDX == 0 && anchorDY == 0) return LineDeltaTwips(controlDX, controlDY);
  if (controlDY == 0 && anchorDY == 0) return LineDeltaTwips(controlDX + anchorDX, 0);
  if (controlDX == 0 && anchorDX == 0) return LineDeltaTwips(0, controlDY + anchorDY);
  records_.push_back(std::make_unique<TSWFCurvedEdgeRecord>(
      static_cast<int32_t>(controlDX), static_cast<int32_t>(controlDY), static_cast<int32_t>(anchorDX),
      static_cast<int32_t>(anchorDY)));
  penX_ = static_cast<int32_t>(penX_ + controlDX + anchorDX);
  penY_ = static_cast<int32_t>(penY_ + controlDY + anchorDY);
}

void TFlashEdges::CurveToTwips(int64_t controlX, int64_t controlY, int64_t anchorX, int64_t anchorY) {
  if (anchorX == penX_ && anchorY == penY_) return;
  CurveDeltaTwips(controlX - penX_, controlY - penY_, anchorX - controlX, anchorY - controlY);
}

void TFlashEdges::CurveTo(int32_t controlX, int32_t controlY, int32_t anchorX, int32_t anchorY) {
  const int64_t u = Factor();
  CurveToTwips(controlX * u, controlY * u, anchorX * u, anchorY * u);
}

void TFlashEdges::CurveDelta(int32_t controlDX, int32_t controlDY, int32_t anchorDX, int32_t anchorDY) {
  const int64_t u = Factor();
  CurveDeltaTwips(controlDX * u, controlDY * u, anchorDX * u, anchorDY * u);
}

void TFlashEdges::CloseShape() {
  LineDeltaTwips(int64_t{lastMoveX_} - penX_, int64_t{lastMoveY_} - penY_);
}

void TFlashEdges::EndShape() { records_.push_back(std::make_unique<TSWFEndShapeRecord>()); }

void TFlashEdges::Mirror(bool mirrorX, bool mirrorY) {
  const int32_t sx = mirrorX ? -1 : 1, sy = mirrorY ? -1 : 1;
  for (auto& record : records_) {
    switch (record->ShapeRecordType()) {
      case srStyleChange: {
        auto& r = static_cast<TSWFStyleChangeRecord&>(*record);
        if (r.StateMoveTo) {
          r.DeltaX *= sx;
          r.DeltaY *= sy;
        }
        break;
      }
      case srStraightEdge: {
        auto& r = static_cast<TSWFStraightEdgeRecord&>(*record);
        r.DeltaX *= sx;
        r.DeltaY *= sy;
        break;
      }
      case srCurvedEdge: {
        auto& r = static_cast<TSWFCurvedEdgeRecord&>(*record);
        r.ControlDeltaX *= sx;
        r.ControlDeltaY *= sy;
        r.AnchorDeltaX *= sx;
        r.AnchorDeltaY *= sy;
        break;
      }
      case srEnd:
        break;
    }
  }
  penX_ *= sx;
  penY_ *= sy;
  lastMoveX_ *= sx;
  lastMoveY_ *= sy;
}

void TFlashEdges::EllipseCurve(int i, int32_t w, int32_t h) {
  // Signs of control dx, control dy, anchor dx, anchor dy; the curves run
  // clockwise from the middle of the right side.
  static constexpr int kSigns[8][4] = {{0, 1, -1, 1},  {-1, 1, -1, 0}, {-1, 0, -1, -1}, {-1, -1, 0, -1},
                                       {0, -1, 1, -1}, {1, -1, 1, 0},  {1, 0, 1, 1},    {1, 1, 0, 1}};
  constexpr double a = 0.207, b = 0.1465;
  const double control = i % 2 == 0 ? a : b;
  const double anchor = i % 2 == 0 ? b : a;
  const int* s = kSigns[i];
  CurveDeltaTwips(TruncToInt32(s[0] * control * w), TruncToInt32(s[1] * control * h), TruncToInt32(s[2] * anchor * w),
                  TruncToInt32(s[3] * anchor * h));
}

void TFlashEdges::MakeEllipse(int32_t w, int32_t h) {
  if (w != 0 || h / 2 != 0) MoveToTwips(int64_t{penX_} + w, int64_t{penY_} + h / 2);
  for (int i = 0; i < 8; ++i) EllipseCurve(i, w, h);
}

void TFlashEdges::MakeRoundRect(int32_t w, int32_t h, int32_t radius) {
  if (w != 0 || radius != 0) MoveToTwips(int64_t{penX_} + w, int64_t{penY_} + radius);
  const int64_t sideX = int64_t{w} - 2 * int64_t{radius};
  const int64_t sideY = int64_t{h} - 2 * int64_t{radius};
  for (int i = 0; i < 8; ++i) {
    if (i == 0) LineDeltaTwips(0, sideY);
    if (i == 2) LineDeltaTwips(-sideX, 0);
    if (i == 4) LineDeltaTwips(0, -sideY);
    if (i == 6) LineDeltaTwips(sideX, 0);
    EllipseCurve(i, 2 * radius, 2 * radius);
  }
}

void TFlashEdges::MakeArc(int32_t radiusX, int32_t radiusY, float startAngle, float endAngle) {
  const float a = startAngle;
  float b = endAngle;
  if (b < a) b += 360;
  // The number of 45-degree pieces is held in a byte.
  uint8_t n = static_cast<uint8_t>(ClampToInt32(std::ceil(static_cast<double>(b - a) / 45)));
  if (n == 0) n = 1;
  const float step = (b - a) / n;
  const double half = Radians(step / 2.0);
  const double stretchedX = radiusX / std::cos(half);
  const double stretchedY = radiusY / std::cos(half);
  int32_t px = 0, py = 0;
  for (int i = 0; i <= n; ++i) {
    const double t = Radians(static_cast<double>(a) + i * static_cast<double>(step));
    const int32_t x = TruncToInt32(std::cos(t) * radiusX);
    const int32_t y = TruncToInt32(std::sin(t) * radiusY);
    if (i == 0) {
      LineDeltaTwips(x, y);
    } else {
      const int32_t cx = TruncToInt32(std::cos(t - half) * stretchedX);
      const int32_t cy = TruncToInt32(std::sin(t - half) * stretchedY);
      CurveDeltaTwips(int64_t{cx} - px, int64_t{cy} - py, int64_t{x} - cx, int64_t{y} - cy);
    }
    px = x;
    py = y;
  }
  LineDeltaTwips(-int64_t{px}, -int64_t{py});
}

void TFlashEdges::MakeStar(int32_t x, int32_t y, int32_t outerRadius, int32_t innerRadius, uint16_t points,
                           TStarEdges edges) {
  const int n = std::clamp<int>(points, 2, 360);
  double h = -std::numbers::pi / 2;
  const double step = 2 * std::numbers::pi / n;
  auto at = [&](double angle, int32_t radius, int64_t& px, int64_t& py) {
    px = int64_t{x} + RoundHalfEven(std::cos(angle) * radius);
    py = int64_t{y} + RoundHalfEven(std::sin(angle) * radius);
  };
  int64_t ox, oy, ix, iy;
  at(h, outerRadius, ox, oy);
  MoveToTwips(ox, oy);
  for (int k = 0; k < n; ++k) {
    at(h + step / 2, innerRadius, ix, iy);
    h += step;
    at(h, outerRadius, ox, oy);
    if (edges == seCurved) {
      CurveToTwips(ix, iy, ox, oy);
    } else {
      LineDeltaTwips(ix - penX_, iy - penY_);
      LineDeltaTwips(ox - penX_, oy - penY_);
    }
  }
}

// ---- TFlashShape ----

TFlashShape::TFlashShape(TFlashMovie* owner)
    : TFlashVisualObject(owner), edges_(definition_.ShapeRecords(), owner) {}

void TFlashShape::OwnerChanged() { edges_.SetOwner(IgnoreMovieUnits() ? nullptr : Owner()); }

void TFlashShape::SetCharacterID(uint16_t id) {
  TFlashVisualObject::SetCharacterID(id);
  definition_.ShapeId = id;
}

void TFlashShape::SetBounds(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const int32_t u = UnitsFactor();
  bounds_.SetRect(left * u, top * u, right * u, bottom * u);
}

int32_t TFlashShape::Width(TSizeUnits units) const {
  return units == suTwips ? bounds_.Width() : bounds_.Width() / UnitsFactor();
}

int32_t TFlashShape::Height(TSizeUnits units) const {
  return units == suTwips ? bounds_.Height() : bounds_.Height() / UnitsFactor();
}

TSWFStyleChangeRecord* TFlashShape::FirstStyleChange() {
  TSWFShapeRecords& records = definition_.ShapeRecords();
  if (records.empty() || records.front()->ShapeRecordType() != srStyleChange) return nullptr;
  return static_cast<TSWFStyleChangeRecord*>(records.front().get());
}

void TFlashShape::SelectFillStyle0(uint16_t index) {
  TSWFStyleChangeRecord* first = FirstStyleChange();
  fillStyle0_ = first ? index : 0;
  if (first) first->SetFillStyle0(index);
}

void TFlashShape::SelectFillStyle1(uint16_t index) {
  TSWFStyleChangeRecord* first = FirstStyleChange();
  fillStyle1_ = first ? index : 0;
  if (first) first->SetFillStyle1(index);
}

void TFlashShape::SelectLineStyle(uint16_t index) {
  TSWFStyleChangeRecord* first = FirstStyleChange();
  lineStyle_ = first ? index : 0;
  if (first) first->SetLineStyle(index);
}

TSWFFillStyle* TFlashShape::AddFillStyle(std::unique_ptr<TSWFFillStyle> style) {
  TSWFFillStyles& fills = definition_.FillStyles();
  TSWFFillStyle* p = style.get();
  fills.push_back(std::move(style));
  SelectFillStyle1(static_cast<uint16_t>(fills.size()));
  return p;
}

TSWFLineStyle* TFlashShape::AddLineStyle(std::unique_ptr<TSWFLineStyle> style) {
  if (!style) style = std::make_unique<TSWFLineStyle>();
  TSWFLineStyles& lines = definition_.LineStyles();
  TSWFLineStyle* p = style.get();
  lines.push_back(std::move(style));
  SelectLineStyle(static_cast<uint16_t>(lines.size()));
  return p;
}

void TFlashShape::NoteAlpha(uint32_t color) {
  if (AlphaOf(color) < 255) hasAlpha_ = true;
}

void TFlashShape::SetSolidColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { SetSolidFill(MakeRGBA(r, g, b, a)); }

void TFlashShape::SetSolidFill(uint32_t color) {
  NoteAlpha(color);
  AddFillStyle(std::make_unique<TSWFColorFill>(color));
}

std::unique_ptr<TSWFGradientFill> TFlashShape::MakeGradient(TSWFFillStyleType type, const std::vector<uint32_t>& colors) {
  auto fill = std::make_unique<TSWFGradientFill>(type);
  // A gradient holds at most 8 colours; further ones are left out.
  const size_t k = std::min<size_t>(colors.size(), TSWFGradientFill::kMaxRecords);
  fill->GradientCount = static_cast<uint8_t>(k);
  for (size_t i = 0; i < k; ++i) {
    TSWFGradientRec& rec = fill->GradientRecord(static_cast<int>(i) + 1);
    rec.Ratio = k > 1 ? static_cast<uint8_t>(RoundHalfEven(static_cast<double>(i) / static_cast<double>(k - 1) * 255)) : 0;
    rec.Color.SetRGBA(colors[i]);
    NoteAlpha(colors[i]);
  }
  return fill;
}

void TFlashShape::SetLinearGradient(uint32_t color1, uint32_t color2, float angle) {
  SetLinearGradientN({color1, color2}, angle);
}

void TFlashShape::SetLinearGradientN(const std::vector<uint32_t>& colors, float angle) {
  auto fill = MakeGradient(fsLinearGradient, colors);
  const double a = Radians(angle);
  const double w = bounds_.Width(), h = bounds_.Height();
  fill->GradientMatrix.SetScale(std::cos(a) * w / 32768, std::cos(a) * h / 32768);
  fill->GradientMatrix.SetSkew(std::sin(a) * w / 32768, -std::sin(a) * h / 32768);
  fill->GradientMatrix.SetTranslate(bounds_.Xmin() + bounds_.Width() / 2, bounds_.Ymin() + bounds_.Height() / 2);
  AddFillStyle(std::move(fill));
}

void TFlashShape::SetRadialGradient(uint32_t color1, uint32_t color2, int32_t centerXPercent,
                                    int32_t centerYPercent) {
  SetRadialGradientN({color1, color2}, centerXPercent, centerYPercent);
}

void TFlashShape::SetRadialGradientN(const std::vector<uint32_t>& colors, int32_t centerXPercent,
                                     int32_t centerYPercent) {
  auto fill = MakeGradient(fsRadialGradient, colors);
  const double w = bounds_.Width(), h = bounds_.Height();
  fill->GradientMatrix.SetScale(w / 32768, h / 32768);
  fill->GradientMatrix.SetTranslate(bounds_.Xmin() + RoundHalfEven(w / 100 * centerXPercent),
                                    bounds_.Ymin() + RoundHalfEven(h / 100 * centerYPercent));
  AddFillStyle(std::move(fill));
}

void TFlashShape::SetLineStyle(int32_t width, uint32_t color) {
  NoteAlpha(color);
  AddLineStyle(std::make_unique<TSWFLineStyle>(static_cast<uint16_t>(width * UnitsFactor()), color));
}

void TFlashShape::WriteToStream(TBitsEngine& be) {
  definition_.SetTagID(hasAlpha_ ? tagDefineShape3 : tagDefineShape2);
  definition_.HasAlpha = hasAlpha_;
  uint16_t widest = 0;
  for (const auto& line : definition_.LineStyles()) widest = std::max(widest, line->Width);
  const int32_t half = widest / 2;
  definition_.ShapeBounds.SetRect(bounds_.Xmin() - half, bounds_.Ymin() - half, bounds_.Xmax() + half,
                                  bounds_.Ymax() + half);
  definition_.ShapeId = CharacterID();
  definition_.WriteToStream(be);
}

// ---- TFlashSprite ----

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

// ---- TFlashButton ----

TFlashButton::TFlashButton(TFlashMovie* owner, TButtonOptions options)
    : TFlashVisualObject(owner), actions_(owner, nullptr) {
  if (options.UseButton2) {
    button2_ = std::make_unique<TSWFDefineButton2>();
    button2_->TrackAsMenu = options.TrackAsMenu;
    TSWFButtonCondAction& release = button2_->AddCondAction(uint16_t(1u << bcOverDownToOverUp));
    actions_.SetActionList(&release.Actions());
  } else {
    button_ = std::make_unique<TSWFDefineButton>();
    actions_.SetActionList(&button_->Actions());
  }
}

void TFlashButton::SetCharacterID(uint16_t id) {
  TFlashVisualObject::SetCharacterID(id);
  if (button2_)
    button2_->ButtonId = id;
  else
    button_->ButtonId = id;
}

TSWFButtonRecord& TFlashButton::AddRecord(const TFlashObject& obj, uint8_t states, uint16_t depth) {
  return AddRecordByID(obj.CharacterID(), states, depth);
}

TSWFButtonRecord& TFlashButton::AddRecordByID(uint16_t characterID, uint8_t states, uint16_t depth) {
  return button2_ ? button2_->AddRecord(characterID, states, depth) : button_->AddRecord(characterID, states, depth);
}

TFlashActionScript& TFlashButton::FindActionEvent(TSWFButtonCondition condition) {
  if (!button2_) return actions_;
  TSWFButtonCondAction* action = button2_->FindCondAction(condition);
  if (!action) action = &button2_->AddCondAction(uint16_t(1u << condition));
  actions_.SetActionList(&action->Actions());
  return actions_;
}

void TFlashButton::WriteToStream(TBitsEngine& be) {
  if (button2_)
    button2_->WriteToStream(be);
  else
    button_->WriteToStream(be);
}

// ---- TFlashMovie ----

TFlashMovie::TFlashMovie(int32_t xmin, int32_t ymin, int32_t xmax, int32_t ymax, double frameRate, TMovieUnits units) {
  SetPixelUnits(units == muPixels);
  const int32_t f = UnitsFactor();
  SetFrameSize(TRect{xmin * f, ymin * f, xmax * f, ymax * f});
  SetFrameRate(frameRate);
}

int TFlashMovie::IndexOf(const TBasedSWFObject* obj) const {
  // An object is in the list once; searching from the end finds the
  // characters just added (a sprite being filled and its shapes) at once,
  // however long the movie has grown.
  for (size_t i = objectList_.size(); i-- > 0;)
    if (objectList_[i].get() == obj) return static_cast<int>(i);
  return -1;
}

void TFlashMovie::MoveInFront(const TBasedSWFObject* obj, const TBasedSWFObject* user) {
  const int from = IndexOf(obj);
  const int to = IndexOf(user);
  if (from < 0 || to < 0 || from <= to) return;
  std::rotate(objectList_.begin() + to, objectList_.begin() + from, objectList_.begin() + from + 1);
}

TFlashShape* TFlashMovie::AddShape(std::unique_ptr<TFlashShape> shape) {
  if (!shape) shape = std::make_unique<TFlashShape>(this);
  else if (shape->Owner() != this) shape->SetOwner(this);
  return RegisterCharacter(std::move(shape), shapes_);
}

TFlashSprite* TFlashMovie::AddSprite() { return RegisterCharacter(std::make_unique<TFlashSprite>(this), sprites_); }

TFlashButton* TFlashMovie::AddButton(TButtonOptions options) {
  return RegisterCharacter(std::make_unique<TFlashButton>(this, options), buttons_);
}

TFlashShape* TFlashMovie::BeginShape(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  TFlashShape* shape = AddShape();
  shape->SetBounds(left, top, right, bottom);
  shape->Edges().SetAbsolute(true);
  return shape;
}

TFlashShape* TFlashMovie::EndShape(TFlashShape* shape) {
  shape->Edges().SetAbsolute(false);
  shape->Edges().EndShape();
  return shape;
}

TFlashShape* TFlashMovie::AddRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  TFlashShape* shape = BeginShape(left, top, right, bottom);
  const int32_t u = shape->UnitsFactor();
  const int32_t w = (right - left) * u, h = (bottom - top) * u;
  TFlashEdges& e = shape->Edges();
  e.MoveTo(left * u, top * u);
  e.LineDelta(w, 0);
  e.LineDelta(0, h);
  e.LineDelta(-w, 0);
  e.LineDelta(0, -h);
  return EndShape(shape);
}

TFlashShape* TFlashMovie::AddRoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t radius) {
  TFlashShape* shape = BeginShape(left, top, right, bottom);
  const int32_t u = shape->UnitsFactor();
  shape->Edges().MoveTo(left * u, top * u);
  shape->Edges().MakeRoundRect((right - left) * u, (bottom - top) * u, radius * u);
  return EndShape(shape);
}

TFlashShape* TFlashMovie::AddEllipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  TFlashShape* shape = BeginShape(left, top, right, bottom);
  const int32_t u = shape->UnitsFactor();
  shape->Edges().MoveTo(left * u, top * u);
  shape->Edges().MakeEllipse((right - left) * u, (bottom - top) * u);
  return EndShape(shape);
}

TFlashShape* TFlashMovie::AddCircle(int32_t x, int32_t y, int32_t radius) {
  return AddEllipse(x - radius, y - radius, x + radius, y + radius);
}

TFlashShape* TFlashMovie::AddDiamond(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  TFlashShape* shape = BeginShape(left, top, right, bottom);
  const int32_t u = shape->UnitsFactor();
  const int32_t w = (right - left) * u, h = (bottom - top) * u;
  TFlashEdges& e = shape->Edges();
  e.MoveTo((left + (right - left) / 2) * u, top * u);
  e.LineDelta(w / 2, h / 2);
  e.LineDelta(-w / 2, h / 2);
  e.LineDelta(-w / 2, -h / 2);
  e.LineDelta(w / 2, -h / 2);
  return EndShape(shape);
}

TFlashShape* TFlashMovie::AddPie(int32_t x, int32_t y, int32_t radius, float startAngle, float endAngle) {
  return AddEllipticPie(x, y, radius, radius, startAngle, endAngle);
}

TFlashShape* TFlashMovie::AddEllipticPie(int32_t x, int32_t y, int32_t radiusX, int32_t radiusY, float startAngle,
                                         float endAngle) {
  TFlashShape* shape = BeginShape(x - radiusX, y - radiusY, x + radiusX, y + radiusY);
  const int32_t u = shape->UnitsFactor();
  shape->Edges().MoveTo(x * u, y * u);
  shape->Edges().MakeArc(radiusX * u, radiusY * u, startAngle, endAngle);
  return EndShape(shape);
}

TFlashShape* TFlashMovie::AddRing(int32_t x, int32_t y, int32_t radius1, int32_t radius2) {
  const int32_t outer = std::max(radius1, radius2), inner = std::min(radius1, radius2);
  TFlashShape* shape = BeginShape(x - outer, y - outer, x + outer, y + outer);
  const int32_t u = shape->UnitsFactor();
  TFlashEdges& e = shape->Edges();
  e.MoveTo((x - outer) * u, (y - outer) * u);
  e.MakeEllipse(2 * outer * u, 2 * outer * u);
  e.MoveTo((x - inner) * u, (y - inner) * u);
  e.MakeEllipse(2 * inner * u, 2 * inner * u);
  return EndShape(shape);
}

TFlashShape* TFlashMovie::AddStar(int32_t x, int32_t y, int32_t outerRadius, int32_t innerRadius, uint16_t points,
                                  TStarEdges edges) {
  const int32_t r = std::max(outerRadius, innerRadius);
  TFlashShape* shape = BeginShape(x - r, y - r, x + r, y + r);
  const int32_t u = shape->UnitsFactor();
  shape->Edges().MakeStar(x * u, y * u, outerRadius * u, innerRadius * u, points, edges);
  return EndShape(shape);
}

TFlashPlaceObject* TFlashMovie::PlaceObject(const TFlashVisualObject* obj, uint16_t depth) {
  return AddFlashObject(std::make_unique<TFlashPlaceObject>(this, obj, depth));
}

TFlashActionScript& TFlashMovie::FrameActions() {
  if (!frameActions_) frameActions_ = std::make_unique<TFlashActionScript>(this);
  return *frameActions_;
}

TSWFRGB& TFlashMovie::SWFBackgroundColor() {
  if (!backgroundColor_) backgroundColor_ = std::make_unique<TSWFRGB>();
  return *backgroundColor_;
}

void TFlashMovie::ShowFrame(uint16_t count) {
  if (count == 0) count = 1;
  if (!frameLabel_.empty()) {
    objectList_.push_back(std::make_unique<TSWFFrameLabel>(frameLabel_));
    frameLabel_.clear();
  }
  if (frameActions_) objectList_.push_back(std::move(frameActions_));
  for (uint16_t i = 0; i < count; ++i) {
    objectList_.push_back(std::make_unique<TSWFShowFrame>());
    SetFrameCount(FrameCount() + 1);
  }
  currentFrame_ = FrameCount() - 1;
}

void TFlashMovie::WriteObjects() {
  TMemoryStream& body = BodyStream();
  body.Clear();
  uint8_t maxVersion = Version();
  uint16_t frames = 0;
  TBitsEngine be(body);

  if (backgroundColor_) TSWFSetBackgroundColor(backgroundColor_->RGB()).WriteToStream(be);

  const size_t count = objectList_.size();
  for (size_t i = 0; i < count; ++i) {
    TBasedSWFObject& obj = *objectList_[i];
    if (OnProgress) ReportProgress(static_cast<int>(std::lround(100.0 * (i + 1) / count)), 1);
    maxVersion = std::max(maxVersion, obj.MinVersion());
    if (auto* tag = dynamic_cast<TSWFObject*>(&obj)) {
      if (tag->TagID() == tagShowFrame) ++frames;
      // A loose placement needs the version as much as one inside a
      // placement object: it decides the width of its clip-event flags.
      if (auto* place = dynamic_cast<TSWFPlaceObject2*>(tag)) place->SetSWFVersion(maxVersion);
    } else if (auto* movieObject = dynamic_cast<TFlashObject*>(&obj)) {
      movieObject->SetSWFVersion(maxVersion);
    }
    obj.WriteToStream(be);
  }
  if (count == 0 || !dynamic_cast<TSWFEnd*>(objectList_.back().get())) be.WriteWord(0);
  SetFrameCount(frames);
  if (maxVersion > Version()) SetVersion(maxVersion);
}

// ---- fonts and static texts ----

namespace {

// The code-page byte as a UTF-16 unit ("?" when it is no character alone).
uint16_t AnsiByteToWide(uint8_t byte) {
  const std::u16string wide = platform::Utf8ToUtf16(platform::AnsiToUtf8(std::string(1, static_cast<char>(byte))));
  return wide.empty() ? u'?' : wide.front();
}

// The Windows charset that matches a DefineFont2 language code, as a hint
// for finding a face.
uint8_t CharsetOfLanguage(uint8_t languageCode) {
  switch (languageCode) {
    case 2: return platform::kShiftJisCharset;
    case 3: return platform::kHangeulCharset;
    case 4: return platform::kGb2312Charset;
    case 5: return platform::kChineseBig5Charset;
    default: return platform::kDefaultCharset;
  }
}

// A copy of the records of a glyph outline (moves, straight and curved
// edges, end) for the font tag, which owns its glyph shapes.
TSWFShapeRecords CopyGlyphRecords(const TSWFShapeRecords& records) {
  TSWFShapeRecords copy;
  for (const auto& record : records) {
    switch (record->ShapeRecordType()) {
      case srStyleChange: {
        const auto& r = static_cast<const TSWFStyleChangeRecord&>(*record);
        auto c = std::make_unique<TSWFStyleChangeRecord>();
        c->SetFillStyle0(r.FillStyle0());
        c->SetFillStyle1(r.FillStyle1());
        c->SetLineStyle(r.LineStyle());
        c->DeltaX = r.DeltaX;
        c->DeltaY = r.DeltaY;
        c->StateFillStyle0 = r.StateFillStyle0;
        c->StateFillStyle1 = r.StateFillStyle1;
        c->StateLineStyle = r.StateLineStyle;
        c->StateMoveTo = r.StateMoveTo;
        copy.push_back(std::move(c));
        break;
      }
      case srStraightEdge: {
        const auto& r = static_cast<const TSWFStraightEdgeRecord&>(*record);
        copy.push_back(std::make_unique<TSWFStraightEdgeRecord>(r.DeltaX, r.DeltaY));
        break;
      }
      case srCurvedEdge: {
        const auto& r = static_cast<const TSWFCurvedEdgeRecord&>(*record);
        copy.push_back(
            std::make_unique<TSWFCurvedEdgeRecord>(r.ControlDeltaX, r.ControlDeltaY, r.AnchorDeltaX, r.AnchorDeltaY));
        break;
      }
      case srEnd: copy.push_back(std::make_unique<TSWFEndShapeRecord>()); break;
    }
  }
  return copy;
}

constexpr size_t kMaxRecordGlyphs = 255;

}  // namespace

TFlashChar::TFlashChar(uint16_t code, bool wide)
    : code_(code),
      wideCode_(wide || code > 255 ? code : AnsiByteToWide(static_cast<uint8_t>(code))),
      wide_(wide),
      edges_(records_) {}

TFlashFont::TFlashFont(TFlashMovie* owner, std::string fontName, bool bold, bool italic, uint16_t size,
                       TFontOutlines outlines)
    : TFlashIDObject(owner),
      FontName(std::move(fontName)),
      Bold(bold),
      Italic(italic),
      Size(size),
      DeviceFont(outlines == foDeviceFont) {}

void TFlashFont::SetSize(uint16_t size) { Size = static_cast<uint16_t>(size * UnitsFactor()); }

void TFlashFont::SetHasLayout(bool value) {
  if (value && !hasLayout_) ReadTextMetrics();
  hasLayout_ = value;
}

void TFlashFont::SetFontCharset(uint8_t charset) {
  switch (charset) {
    case platform::kAnsiCharset:
    case 2:  // symbol
      LanguageCode = 0;
      Encoding = feANSI;
      break;
    case platform::kDefaultCharset:
      LanguageCode = 0;
      Encoding = feUnicode;
      break;
    case platform::kShiftJisCharset:
      LanguageCode = 2;
      Encoding = feShiftJIS;
      break;
    case platform::kHangeulCharset: LanguageCode = 3; break;
    case platform::kGb2312Charset: LanguageCode = 4; break;
    case platform::kChineseBig5Charset: LanguageCode = 5; break;
    default:
      LanguageCode = 64;
      Encoding = feUnicode;
      break;
  }
}

bool TFlashFont::AddChar(uint16_t code) {
  if (code >= 256) IsWideFlag = true;
  const uint16_t key = IsWideFlag ? code : AnsiByteToWide(static_cast<uint8_t>(code));
  auto at = chars_.end();
  for (auto it = chars_.begin(); it != chars_.end(); ++it) {
    const uint16_t value = code >= 128 ? (*it)->WideCode() : (*it)->Code();
    if (value == key) return false;
    if (key < value) {
      at = it;
      break;
    }
  }
  chars_.insert(at, std::make_unique<TFlashChar>(code, IsWideFlag));
  if (IsWideFlag && Owner() && Owner()->Version() < 6) Owner()->SetVersion(6);
  return true;
}

void TFlashFont::AddChars(std::string_view ansi) {
  for (char c : ansi) AddChar(static_cast<uint8_t>(c));
}

void TFlashFont::AddCharsW(std::u16string_view text) {
  if (text.empty()) return;
  IsWideFlag = true;
  for (char16_t unit : text) AddChar(unit);
}

TFlashChar* TFlashFont::CharByCode(uint16_t code) const {
  for (const auto& c : chars_)
    if (c->Code() == code) return c.get();
  return nullptr;
}

std::vector<TFlashChar*> TFlashFont::WrittenChars() const {
  std::vector<TFlashChar*> written;
  for (const auto& c : chars_)
    if (c->Used) written.push_back(c.get());
  if (!WideCodes())
    std::stable_sort(written.begin(), written.end(),
                     [](const TFlashChar* a, const TFlashChar* b) { return a->Code() < b->Code(); });
  return written;
}

int32_t TFlashFont::ScaleValue(int32_t v) const { return RoundHalfEven(v / 1024.0 * Size); }

TFontReader TFlashFont::Reader() {
  return TFontReader(FontName, Bold, Italic, CharsetOfLanguage(LanguageCode),
                     source_ ? *source_ : platform::FontSource::System());
}

platform::TextSize TFlashFont::TextExtent(std::string_view ansi) {
  const platform::TextSize em = Reader().TextExtent(ansi);
  return {ScaleValue(em.Width), ScaleValue(em.Height)};
}

platform::TextSize TFlashFont::TextExtentW(std::u16string_view text) {
  const platform::TextSize em = Reader().TextExtentW(text);
  return {ScaleValue(em.Width), ScaleValue(em.Height)};
}

bool TFlashFont::IsWide() const {
  if (IsWideFlag) return true;
  if (DeviceFont) return false;
  return std::any_of(chars_.begin(), chars_.end(), [](const auto& c) { return c->Wide(); });
}

void TFlashFont::ReadTextMetrics() {
  const platform::FontTextMetrics m = Reader().TextMetrics();
  Ascent = static_cast<uint16_t>(m.Ascent);
  Descent = static_cast<uint16_t>(m.Descent);
  Leading = static_cast<int16_t>(m.InternalLeading);
}

void TFlashFont::LoadGlyphs() {
  TFontReader reader = Reader();
  const platform::FontTextMetrics m = reader.TextMetrics();
  Ascent = static_cast<uint16_t>(m.Ascent);
  Descent = static_cast<uint16_t>(m.Descent);
  Leading = static_cast<int16_t>(m.InternalLeading);
  for (const auto& c : chars_) {
    if (!c->Used || c->Loaded) continue;
    c->Loaded = true;
    const TFontGlyph glyph = reader.ReadGlyph(c->WideCode());
    DrawGlyphSteps(glyph.Steps, c->Edges());
    c->Advance = glyph.Advance;
  }
}

void TFlashFont::WriteToStream(TBitsEngine& be) {
  TSWFDefineFont2 tag;
  tag.FontId = CharacterID();
  tag.SWFVersion = Owner() ? Owner()->Version() : 6;
  const bool layout = hasLayout_ || (UsedBy & fuEditText);
  tag.HasLayout = layout;
  tag.ShiftJIS = Encoding == feShiftJIS;
  tag.SmallText = SmallText;
  tag.ANSI = Encoding == feANSI;
  tag.WideOffsets = false;
  tag.WideCodes = WideCodes();
  tag.Italic = Italic;
  tag.Bold = Bold;
  tag.LanguageCode = LanguageCode;
  tag.FontName = FontName;
  if ((layout || !chars_.empty()) && Ascent == 0 && Descent == 0 && Leading == 0) ReadTextMetrics();
  if (!DeviceFont || (UsedBy & fuStaticText)) {
    LoadGlyphs();
    for (TFlashChar* c : WrittenChars()) {
      tag.GlyphShapeTable.push_back(CopyGlyphRecords(c->ShapeRecords()));
      tag.CodeTable.push_back(tag.WideCodes ? c->WideCode() : c->Code());
      if (layout) {
        tag.AdvanceTable.push_back(static_cast<int16_t>(c->Advance));
        tag.BoundsTable.push_back(std::make_unique<TSWFRect>());
      }
    }
  }
  tag.FontAscent = Ascent;
  tag.FontDescent = Descent;
  tag.FontLeading = Leading;
  tag.WriteToStream(be);
}

TFlashText::TFlashText(TFlashMovie* owner) : TFlashVisualObject(owner) {}

void TFlashText::SetFont(TFlashFont* font) {
  font_ = font;
  if (!font_) return;
  font_->UsedBy |= fuStaticText;
  if (!text_.empty()) font_->AddCharsW(text_);
  if (!textA_.empty()) font_->AddChars(textA_);
}

void TFlashText::SetText(std::u16string_view text) {
  if (text != text_) {
    text_ = text;
    if (font_) font_->AddCharsW(text_);
  }
  SetTextA(platform::Utf8ToAnsi(platform::Utf16ToUtf8(text_)));
}

void TFlashText::SetTextA(std::string_view ansi) {
  if (ansi == textA_) return;
  textA_ = ansi;
  if (font_) font_->AddChars(textA_);
}

void TFlashText::SetCharSpacing(int32_t spacing) { CharSpacing = spacing * UnitsFactor(); }

TSWFMatrix& TFlashText::Matrix() {
  if (!matrix_) matrix_ = std::make_unique<TSWFMatrix>();
  return *matrix_;
}

std::vector<uint16_t> TFlashText::Codes() const {
  if (!text_.empty()) return std::vector<uint16_t>(text_.begin(), text_.end());
  std::vector<uint16_t> codes;
  for (char c : textA_) codes.push_back(static_cast<uint8_t>(c));
  return codes;
}

TRect TFlashText::TextBounds() {
  if (!AutoSize) return Box;
  platform::TextSize extent;
  if (font_) extent = text_.empty() ? font_->TextExtent(textA_) : font_->TextExtentW(text_);
  int32_t cx = extent.Width;
  // The spacing follows every character but the last, as the advances of
  // the glyph entries place them.
  const size_t count = Codes().size();
  if (count > 1) cx += static_cast<int32_t>(count - 1) * CharSpacing;
  TRect box{OriginX, OriginY, OriginX + cx, OriginY + extent.Height};
  int32_t shift = 0;
  if (Align == taRight)
    shift = cx;
  else if (Align == taCenter || Align == taJustify)
    shift = cx / 2;
  box.Left -= shift;
  box.Right -= shift;
  return box;
}

void TFlashText::WriteToStream(TBitsEngine& be) {
  std::unique_ptr<TSWFDefineText> tag;
  if ((Color >> 24) == 255)
    tag = std::make_unique<TSWFDefineText>();
  else
    tag = std::make_unique<TSWFDefineText2>();
  tag->CharacterId = CharacterID();
  if (font_) font_->LoadGlyphs();
  const TRect box = TextBounds();
  tag->TextBounds.SetRect(box);
  if (matrix_) tag->TextMatrix = *matrix_;

  const std::vector<uint16_t> codes = Codes();
  // Code -> index among the written glyphs, and the glyph (the first of
  // that code).
  std::unordered_map<uint16_t, std::pair<uint16_t, const TFlashChar*>> glyphs;
  if (font_) {
    const std::vector<TFlashChar*> written = font_->WrittenChars();
    for (size_t i = 0; i < written.size(); ++i)
      glyphs.try_emplace(written[i]->Code(), static_cast<uint16_t>(i), written[i]);
  }
  uint8_t glyphBits = 0;
  uint8_t advanceBits = 0;
  int32_t x = box.Left;
  // Runs of at most 255 glyphs. A run after the first carries the X offset
  // where the previous one ended (the pen stands there anyway), as long as
  // it fits the 16-bit field.
  for (size_t start = 0; start < codes.size() && font_; start += kMaxRecordGlyphs) {
    auto record = std::make_unique<TSWFTextRecord>();
    if (start == 0) {
      record->SetFontId(font_->CharacterID());
      record->Color().SetRGBA(Color);
      record->SetTextHeight(font_->Size);
      record->SetYOffset(font_->ScaleValue(font_->Ascent) + box.Top);
      if (box.Left != 0) record->SetXOffset(box.Left);
    } else if (x >= std::numeric_limits<int16_t>::min() && x <= std::numeric_limits<int16_t>::max()) {
      record->SetXOffset(x);
    }
    const size_t end = std::min(codes.size(), start + kMaxRecordGlyphs);
    for (size_t i = start; i < end; ++i) {
      auto entry = std::make_unique<TSWFGlyphEntry>();
      if (auto it = glyphs.find(codes[i]); it != glyphs.end()) {
        entry->GlyphIndex = it->second.first;
        entry->GlyphAdvance = font_->ScaleValue(it->second.second->Advance);
      }
      entry->GlyphAdvance += CharSpacing;
      glyphBits = std::max(glyphBits, GetBitsCount(entry->GlyphIndex));
      advanceBits = std::max(advanceBits, GetSignedBitsCount(entry->GlyphAdvance));
      x += entry->GlyphAdvance;
      record->GlyphEntries.push_back(std::move(entry));
    }
    tag->TextRecords.push_back(std::move(record));
  }
  tag->GlyphBits = glyphBits;
  tag->AdvanceBits = advanceBits;
  tag->WriteToStream(be);
}

TFlashFont* TFlashMovie::AddFont(const TFontDescription& description, TFontOutlines outlines) {
  auto font = std::make_unique<TFlashFont>(this, description.Name, description.Bold, description.Italic,
                                           static_cast<uint16_t>(std::abs(description.Height)), outlines);
  font->SetFontCharset(description.Charset);
  return RegisterCharacter(std::move(font), fonts_);
}

TFlashText* TFlashMovie::AddText(std::u16string_view text, uint32_t color, TFlashFont* font, int32_t x, int32_t y,
                                 uint8_t align) {
  auto t = std::make_unique<TFlashText>(this);
  t->SetFont(font);
  t->SetText(text);
  t->Color = color;
  t->OriginX = x * UnitsFactor();
  t->OriginY = y * UnitsFactor();
  t->Align = align;
  t->AutoSize = true;
  return RegisterCharacter(std::move(t), texts_);
}

// ---- images ----

namespace {

std::string UpperExtension(const std::string& fileName) {
  std::string ext = std::filesystem::path(fileName).extension().string();
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

uint8_t Premultiply(uint8_t channel, uint8_t alpha) { return static_cast<uint8_t>((channel * alpha + 127) / 255); }

void PutARGB(std::vector<uint8_t>& out, uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  out.insert(out.end(), {a, r, g, b});
}

}  // namespace

void TFlashImage::Clear() {
  isJPEG_ = false;
  width_ = height_ = 0;
  bitmapFormat_ = 0;
  rowWidth_ = 0;
  colorCount_ = 0;
  hasAlpha_ = false;
  imageData_.clear();
  alphaData_.clear();
}

void TFlashImage::LoadDataFromFile(const std::string& fileName) {
  Clear();
  const std::string ext = UpperExtension(fileName);
  if (ext == ".JPG" || ext == ".JPEG") {
    LoadJPEG(fileName);
  } else if (ext == ".BMP") {
    reader_.LoadFromFile(fileName);
    Analyse();
  }
}

void TFlashImage::LoadJPEG(const std::string& fileName) {
  isJPEG_ = true;
  imageData_ = platform::ReadFileBytes(fileName);
  platform::TJpegSize size = platform::ProbeJpegSize(imageData_);
  if (ConvertProgressive && size.Width == 0 && size.Height == 0) {
    const platform::TBitmap bitmap = platform::DecodeJpeg(imageData_, fileName);
    imageData_ = platform::EncodeJpeg(bitmap);
    size = {bitmap.Width(), bitmap.Height()};
  }
  width_ = static_cast<uint16_t>(size.Width);
  height_ = static_cast<uint16_t>(size.Height);
}

void TFlashImage::LoadFromHandle(const platform::TBitmap& bitmap) {
  Clear();
  reader_.LoadFromHandle(bitmap);
  Analyse();
}

void TFlashImage::Analyse() {
  width_ = static_cast<uint16_t>(reader_.Width());
  height_ = static_cast<uint16_t>(reader_.Height());
  // A bitmap without pixels stays without format, like an unloaded image.
  if (width_ == 0 || height_ == 0) return;
  switch (reader_.BitCount()) {
    case 1:
    case 4:
    case 8:
      bitmapFormat_ = 3;
      colorCount_ = static_cast<uint32_t>(reader_.CountColors());
      rowWidth_ = static_cast<uint16_t>((width_ + 3) / 4 * 4);
      break;
    case 16:
      bitmapFormat_ = 4;
      rowWidth_ = static_cast<uint16_t>((width_ + 1) / 2 * 2);
      break;
    case 24:
      bitmapFormat_ = 5;
      rowWidth_ = width_;
      break;
    case 32:
      bitmapFormat_ = 1;
      rowWidth_ = width_;
      hasAlpha_ = true;
      break;
  }
}

void TFlashImage::SetTransparentColor(uint32_t color) {
  if (isJPEG_ || bitmapFormat_ != 3) return;
  hasAlpha_ = true;
  const uint8_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF, a = color >> 24;
  for (TRGBQuad& entry : reader_.Palette()) {
    if (entry.Red != r || entry.Green != g || entry.Blue != b) continue;
    entry.Alpha = a;
    if (a == 0) entry.Red = entry.Green = entry.Blue = 0;
  }
}

void TFlashImage::FillAlpha(uint8_t alpha) {
  if (!isJPEG_) return;
  alphaData_.assign(static_cast<size_t>(width_) * height_, alpha);
}

uint8_t TFlashImage::MinVersion() const { return hasAlpha_ || (isJPEG_ && !alphaData_.empty()) ? 3 : 2; }

// The uncompressed lossless data, rows from the top of the picture down.
std::vector<uint8_t> TFlashImage::LosslessPixels() const {
  std::vector<uint8_t> out;
  const int width = reader_.Width();
  const size_t rowPad = static_cast<size_t>(rowWidth_ - width);
  if (bitmapFormat_ == 3) {
    for (uint32_t i = 0; i < colorCount_; ++i) {
      const TRGBQuad& e = reader_.Palette()[i];
      out.insert(out.end(), {e.Red, e.Green, e.Blue});
      if (hasAlpha_) out.push_back(e.Alpha);
    }
  }
  for (int y = 0; y < reader_.Height(); ++y) {
    const auto row = reader_.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      switch (bitmapFormat_) {
        case 1: {
          // Players read these pixels premultiplied by their alpha, so a
          // translucent colour is scaled down here (exact for 0 and 255).
          const uint8_t* p = &row[4 * static_cast<size_t>(x)];
          const uint8_t a = p[3];
          PutARGB(out, a, Premultiply(p[2], a), Premultiply(p[1], a), Premultiply(p[0], a));
          break;
        }
        case 3:
          out.push_back(static_cast<uint8_t>(reader_.PixelIndex(row, x)));
          break;
        case 4:
          out.push_back(row[2 * static_cast<size_t>(x) + 1]);
          out.push_back(row[2 * static_cast<size_t>(x)]);
          break;
        case 5: {
          const uint8_t* p = &row[3 * static_cast<size_t>(x)];
          PutARGB(out, 0, p[2], p[1], p[0]);
          break;
        }
      }
    }
    const size_t padBytes = bitmapFormat_ == 3 ? rowPad : bitmapFormat_ == 4 ? 2 * rowPad : 0;
    out.insert(out.end(), padBytes, 0);
  }
  return out;
}

void TFlashImage::WriteToStream(TBitsEngine& be) {
  if (isJPEG_)
    WriteJPEG(be);
  else
    WriteLossless(be);
}

void TFlashImage::WriteJPEG(TBitsEngine& be) {
  std::unique_ptr<TSWFDefineBits> tag;
  if (alphaData_.empty()) {
    tag = std::make_unique<TSWFDefineBitsJPEG2>();
  } else {
    auto jpeg3 = std::make_unique<TSWFDefineBitsJPEG3>();
    jpeg3->SetOwnedAlphaData(ZlibCompress(alphaData_.data(), alphaData_.size()));
    tag = std::move(jpeg3);
  }
  tag->CharacterId = CharacterID();
  // The image ends at the file's last end marker; bytes some cameras append
  // after it are no part of the picture.
  size_t imageEnd = imageData_.size();
  while (imageEnd >= 2 && !(imageData_[imageEnd - 2] == 0xFF && imageData_[imageEnd - 1] == 0xD9)) --imageEnd;
  const bool wholeFile = imageEnd >= 4 && imageData_[0] == 0xFF && imageData_[1] == 0xD8;
  if (wholeFile) {
    // The tag puts its own start and end markers around the data. Players
    // refuse a second start marker right after the first, so the file
    // follows an empty image instead: FF D8 FF D9, then the file's bytes,
    // the tag's end marker standing for the file's own.
    tag->OnDataWrite = [this, imageEnd](TSWFDataObject&, TBitsEngine& out) {
      const uint8_t endOfImage[2] = {0xFF, 0xD9};
      out.WriteBuffer(endOfImage, 2);
      out.WriteBuffer(imageData_.data(), imageEnd - 2);
    };
  } else {
    tag->SetData(imageData_.data(), static_cast<uint32_t>(imageData_.size()));
  }
  tag->WriteToStream(be);
}

void TFlashImage::WriteLossless(TBitsEngine& be) {
  if (imageData_.empty()) {
    const std::vector<uint8_t> pixels = LosslessPixels();
    imageData_ = ZlibCompress(pixels.data(), pixels.size());
  }
  std::unique_ptr<TSWFDefineBitsLossless> tag =
      hasAlpha_ ? std::make_unique<TSWFDefineBitsLossless2>() : std::make_unique<TSWFDefineBitsLossless>();
  tag->CharacterId = CharacterID();
  // An image that holds no picture is written as an empty 24-bit bitmap.
  tag->BitmapFormat = bitmapFormat_ == 1 || bitmapFormat_ == 0 ? 5 : bitmapFormat_;
  tag->BitmapWidth = width_;
  tag->BitmapHeight = height_;
  if (bitmapFormat_ == 3) tag->BitmapColorTableSize = static_cast<uint8_t>(colorCount_ - 1);
  tag->SetData(imageData_.data(), static_cast<uint32_t>(imageData_.size()));
  tag->WriteToStream(be);
}

void LoadGifIntoImage(TFlashImage& image, const std::string& fileName) {
  if (UpperExtension(fileName) != ".GIF") return;
  const platform::TGifImage gif = platform::TGifImage::LoadFromFile(fileName);
  image.LoadFromHandle(gif.FrameCount() > 0 ? gif.FrameBitmap(0) : gif.ComposedBitmap());
  if (gif.HasTransparentColor()) {
    const platform::TRgb c = gif.TransparentColor();
    image.SetTransparentColor(MakeRGBA(c.Red, c.Green, c.Blue, 0));
  }
}

TFlashImage* TFlashMovie::AddImage(const std::string& fileName) {
  auto image = std::make_unique<TFlashImage>(this);
  if (!fileName.empty()) image->LoadDataFromFile(fileName);
  return RegisterCharacter(std::move(image), images_);
}

void TFlashShape::SetImageFill(const TFlashImage& image, TImageFillMode mode, double scaleX, double scaleY) {
  auto fill = std::make_unique<TSWFImageFill>(mode == fmRepeating ? fsRepeatingBitmap : fsClippedBitmap);
  fill->BitmapId = image.CharacterID();
  switch (mode) {
    case fmClipped:
    case fmRepeating:
      fill->BitmapMatrix.SetScale(scaleX * 20, scaleY * 20);
      break;
    case fmFit: {
      // An empty image counts as one pixel wide and high.
      const double w = std::max<int>(image.Width(), 1), h = std::max<int>(image.Height(), 1);
      fill->BitmapMatrix.SetScale(Width(suTwips) / w + 0.003662109375, Height(suTwips) / h + 0.003662109375);
      break;
    }
  }
  fill->BitmapMatrix.SetTranslate(Bounds().Xmin() - 5, Bounds().Ymin() - 5);
  AddFillStyle(std::move(fill));
  if (Owner() != nullptr) Owner()->MoveInFront(&image, this);
}

}  // namespace tessaly::swf
