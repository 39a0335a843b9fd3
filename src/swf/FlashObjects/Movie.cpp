#include "swf/FlashObjects/Movie.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tessaly::swf {

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
  if (OnShowFrame) OnShowFrame(*this);
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

TFlashImage* TFlashMovie::AddImage(const std::string& fileName) {
  auto image = std::make_unique<TFlashImage>(this);
  if (!fileName.empty()) image->LoadDataFromFile(fileName);
  return RegisterCharacter(std::move(image), images_);
}

TFlashImage* TFlashMovie::AddImage(const platform::TPicture& picture) {
  auto image = std::make_unique<TFlashImage>(this);
  image->LoadDataFromPicture(picture);
  return RegisterCharacter(std::move(image), images_);
}

}  // namespace tessaly::swf
