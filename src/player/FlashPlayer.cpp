#include "player/FlashPlayer.h"

#include "player/FlashVars.h"

#include <algorithm>
#include <cmath>

namespace tessaly::player {

TFlashPlayer::TFlashPlayer() = default;
TFlashPlayer::~TFlashPlayer() = default;

void TFlashPlayer::LoadMovie(std::span<const uint8_t> bytes, std::string_view flashVars) {
  auto movie = ReadMovie(bytes);
  avm_.reset();
  renderer_.reset();
  display_.reset();
  scriptWarnings_.clear();
  hovered_.reset();
  pressed_.reset();
  drag_ = TDrag{};
  mouseDown_ = false;
  movie_ = std::move(movie);
  display_ = std::make_unique<TDisplayList>(*movie_);
  renderer_ = std::make_unique<TRenderer>(*movie_);
  TAvmHost& host = *this;
  avm_ = std::make_unique<TAvm1>(*movie_, *display_, host);
  for (const auto& [name, value] : ParseFlashVars(flashVars)) SetVariable(name, value);
  display_->Start();
  RunQueuedActions();
}

void TFlashPlayer::Play() {
  if (display_) display_->Root().playing = true;
}

void TFlashPlayer::Stop() {
  if (display_) display_->Root().playing = false;
}

bool TFlashPlayer::IsPlaying() const { return display_ && display_->Root().playing; }

void TFlashPlayer::Tick() {
  if (!display_) return;
  avm_->NewFrame();
  display_->Tick(loop_);
  RunQueuedActions();
  FollowDrag();
}

void TFlashPlayer::GotoFrame(int frame) {
  if (!display_) return;
  display_->GotoFrame(display_->Root(), frame - 1);
  RunQueuedActions();
}

int TFlashPlayer::CurrentFrame() const { return display_ ? display_->Root().currentFrame + 1 : 0; }

int TFlashPlayer::FrameCount() const { return movie_ ? static_cast<int>(movie_->timeline.frames.size()) : 0; }

double TFlashPlayer::FrameRate() const { return movie_ ? movie_->frameRate : 0; }

int TFlashPlayer::Width() const { return movie_ ? movie_->WidthPixels() : 0; }

int TFlashPlayer::Height() const { return movie_ ? movie_->HeightPixels() : 0; }

void TFlashPlayer::Render(QImage& target) {
  if (!display_) {
    target.fill(Qt::white);
    return;
  }
  renderer_->Render(display_->Root(), target);
}

QImage TFlashPlayer::RenderImage(int width, int height) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
  Render(image);
  return image;
}

std::vector<std::string> TFlashPlayer::Warnings() const {
  std::vector<std::string> all;
  if (movie_) all = movie_->warnings;
  if (display_) all.insert(all.end(), display_->Warnings().begin(), display_->Warnings().end());
  all.insert(all.end(), scriptWarnings_.begin(), scriptWarnings_.end());
  return all;
}

void TFlashPlayer::RunQueuedActions() {
  auto& queue = display_->Queue();
  // Actions may queue more (a goto enters a frame); the count bounds a
  // movie whose frames keep jumping into each other.
  constexpr size_t kMaxBlocksPerTick = 10000;
  size_t ran = 0;
  while (!queue.empty() && ran < kMaxBlocksPerTick) {
    std::vector<TQueuedActions> batch;
    batch.swap(queue);
    for (const TQueuedActions& q : batch) {
      if (auto target = q.target.lock()) {
        avm_->Run(*target, *q.actions);
        ScriptWarning(avm_->TakeCutOffReason());
      }
      ++ran;
    }
  }
  if (!queue.empty() || avm_->BudgetSpent()) ScriptWarning("the actions of a frame ran too long and were cut off");
  queue.clear();
}

void TFlashPlayer::ScriptWarning(const std::string& text) {
  // Each kind is told once: a hostile movie repeats it every frame.
  if (!text.empty() && std::find(scriptWarnings_.begin(), scriptWarnings_.end(), text) == scriptWarnings_.end())
    scriptWarnings_.push_back(text);
}

void TFlashPlayer::GetUrl(const std::string& url, const std::string& target) {
  if (onGetUrl) onGetUrl(url, target);
}

void TFlashPlayer::StartDrag(TDisplayObject& target, bool lockCenter, bool constrained, double left, double top,
                             double right, double bottom) {
  drag_ = TDrag{};
  drag_.target = target.weak_from_this();
  drag_.lockCenter = lockCenter;
  drag_.constrained = constrained;
  drag_.left = std::min(left, right);
  drag_.right = std::max(left, right);
  drag_.top = std::min(top, bottom);
  drag_.bottom = std::max(top, bottom);
  if (!lockCenter) {
    double px = mouseX_, py = mouseY_;
    TSwfMatrix inverse;
    if (target.parent && target.parent->WorldMatrix().Invert(inverse)) inverse.Apply(mouseX_, mouseY_, px, py);
    drag_.offsetX = target.matrix.tx - px;
    drag_.offsetY = target.matrix.ty - py;
  }
  FollowDrag();
}

void TFlashPlayer::EndDrag() { drag_ = TDrag{}; }

void TFlashPlayer::FollowDrag() {
  auto target = drag_.target.lock();
  if (!target) return;
  double px = mouseX_, py = mouseY_;
  TSwfMatrix inverse;
  if (target->parent && target->parent->WorldMatrix().Invert(inverse)) inverse.Apply(mouseX_, mouseY_, px, py);
  double x = px + drag_.offsetX, y = py + drag_.offsetY;
  if (drag_.constrained) {
    x = std::clamp(x, drag_.left * 20, drag_.right * 20);
    y = std::clamp(y, drag_.top * 20, drag_.bottom * 20);
  }
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  target->matrix.tx = std::round(x);
  target->matrix.ty = std::round(y);
  target->scriptControlled = true;
}

namespace {

// The size in a space of what a matrix into its parent maps to one unit
// there: one movie pixel in an object's space is pixel / Scale(its matrix).
double Scale(const TSwfMatrix& m) { return std::sqrt(std::fabs(m.sx * m.sy - m.r0 * m.r1)); }

double SquaredDistanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b) {
  const QPointF ab = b - a, ap = p - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / length2, 0.0, 1.0) : 0.0;
  const QPointF d = ap - ab * t;
  return QPointF::dotProduct(d, d);
}

// Whether p lies on the outline a pen of width 2 * half with round caps and
// joins draws along path: within half of one of its segments. Curves are
// followed by chords that stay within a twip of them.
bool OnStroke(const QPainterPath& path, const QPointF& p, double half) {
  if (!path.controlPointRect().adjusted(-half, -half, half, half).contains(p)) return false;
  const double limit = half * half;
  QPointF last;
  const int count = path.elementCount();
  for (int i = 0; i < count; ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      last = e;
    } else if (e.isLineTo()) {
      if (SquaredDistanceToSegment(p, last, e) <= limit) return true;
      last = e;
    } else if (e.isCurveTo() && i + 2 < count) {
      // A cubic: its second control point and its end follow.
      const QPointF c1 = e, c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
      i += 2;
      const QRectF hull = QRectF(last, end).normalized() | QRectF(c1, c2).normalized();
      if (hull.adjusted(-half, -half, half, half).contains(p)) {
        // Chords of n equal steps stray at most (largest second difference
        // * 6) / (8 n^2) from the curve; n keeps that under a twip.
        const QPointF d1 = last - 2 * c1 + c2, d2 = c1 - 2 * c2 + end;
        const double bend = 6 * std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
        const int steps = static_cast<int>(std::clamp(std::ceil(std::sqrt(bend / 8)), 1.0, 256.0));
        QPointF from = last;
        for (int k = 1; k <= steps; ++k) {
          const double t = double(k) / steps, u = 1 - t;
          const QPointF to = u * u * u * last + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * end;
          if (SquaredDistanceToSegment(p, from, to) <= limit) return true;
          from = to;
        }
      }
      last = end;
    }
  }
  return false;
}

// Whether the point (twips, in the object's parent space) falls on object;
// pixel is the size of one movie pixel in that space. Buttons answer for
// their hit-test state, sprites for any child.
bool HitsContent(const TDisplayObject& object, const TMovieDef& movie, double x, double y, double pixel,
                 int nesting);

// Shapes answer for their fills and for their lines as drawn: at least one
// pixel wide.
bool HitsCharacter(const TCharacter& c, const TMovieDef& movie, double x, double y, double pixel) {
  if (!std::isfinite(pixel)) return false;  // shrunk to nothing
  if (c.kind == TCharacterKind::ckShape) {
    const auto& shape = static_cast<const TShapeDef&>(c);
    const double margin = pixel / 2;
    if (!shape.pathBounds.adjusted(-margin, -margin, margin, margin).contains(x, y)) return false;
    const QPointF p(x, y);
    for (const TShapeLayer& layer : shape.layers) {
      for (const QPainterPath& path : layer.fillPaths)
        if (path.contains(p)) return true;
      for (size_t i = 0; i < layer.linePaths.size(); ++i)
        if (OnStroke(layer.linePaths[i], p, std::max<double>(layer.lines[i].width, pixel) / 2)) return true;
    }
    return false;
  }
  if (c.kind == TCharacterKind::ckText) return static_cast<const TTextDef&>(c).pathBounds.contains(x, y);
  (void)movie;
  return false;
}

bool HitsContent(const TDisplayObject& object, const TMovieDef& movie, double x, double y, double pixel,
                 int nesting) {
  if (!object.visible || !object.character || nesting > kMaxNesting) return false;
  TSwfMatrix inverse;
  if (!object.matrix.Invert(inverse)) return false;
  double lx, ly;
  inverse.Apply(x, y, lx, ly);
  const double localPixel = pixel / Scale(object.matrix);
  if (object.IsButton()) {
    const auto& def = static_cast<const TButtonDef&>(*object.character);
    bool anyHitRecord = false;
    for (const TButtonRecord& r : def.records) anyHitRecord |= (r.states & bsHitTest) != 0;
    for (const TButtonRecord& r : def.records) {
      if (!(r.states & (anyHitRecord ? bsHitTest : bsUp))) continue;
      const TCharacter* c = movie.Find(r.characterId);
      if (!c || c->definedAt >= def.definedAt) continue;
      TSwfMatrix inner;
      if (!r.matrix.Invert(inner)) continue;
      double cx, cy;
      inner.Apply(lx, ly, cx, cy);
      if (HitsCharacter(*c, movie, cx, cy, localPixel / Scale(r.matrix))) return true;
      if (c->kind == TCharacterKind::ckSprite) {
        // A sprite as hit area: its current children (shown in this state or not).
        for (const auto& [depth, child] : object.children)
          if (child->character == c && HitsContent(*child, movie, lx, ly, localPixel, nesting + 1)) return true;
      }
    }
    return false;
  }
  if (object.IsClip()) {
    for (const auto& [depth, child] : object.children)
      if (HitsContent(*child, movie, lx, ly, localPixel, nesting + 1)) return true;
    return false;
  }
  return HitsCharacter(*object.character, movie, lx, ly, localPixel);
}

// The topmost button under the point (twips in clip's parent space, where
// one movie pixel measures pixel).
TDisplayObjectPtr FindButton(const TDisplayObject& clip, const TMovieDef& movie, double x, double y, double pixel,
                             int nesting) {
  if (!clip.visible || nesting > kMaxNesting) return nullptr;
  TSwfMatrix inverse;
  if (!clip.matrix.Invert(inverse)) return nullptr;
  double lx, ly;
  inverse.Apply(x, y, lx, ly);
  const double localPixel = pixel / Scale(clip.matrix);
  for (auto it = clip.children.rbegin(); it != clip.children.rend(); ++it) {
    const TDisplayObjectPtr& child = it->second;
    if (child->IsButton()) {
      if (HitsContent(*child, movie, lx, ly, localPixel, nesting + 1)) return child;
    } else if (child->IsClip()) {
      if (auto found = FindButton(*child, movie, lx, ly, localPixel, nesting + 1)) return found;
    }
  }
  return nullptr;
}

}  // namespace

TDisplayObjectPtr TFlashPlayer::ButtonAt(double x, double y) const {
  return FindButton(display_->Root(), *movie_, x, y, 20, 0);
}

void TFlashPlayer::ButtonEvent(const TDisplayObjectPtr& button, swf::TSWFButtonCondition transition, uint8_t newState) {
  if (!button) return;
  display_->SetButtonState(*button, newState);
  const auto& def = static_cast<const TButtonDef&>(*button->character);
  TDisplayObject* timeline = button->parent ? button->parent : &display_->Root();
  for (const TButtonCondAction& ca : def.condActions)
    if (ca.conditions & (1u << transition)) display_->Queue().push_back({timeline->weak_from_this(), &ca.actions});
  avm_->NewFrame();
  RunQueuedActions();
}

void TFlashPlayer::ToMovie(int width, int height, double vx, double vy, double& x, double& y) const {
  x = vx;
  y = vy;
  if (!movie_) return;
  TSwfMatrix inverse;
  if (ShowAllMatrix(*movie_, width, height).Invert(inverse)) {
    inverse.Apply(vx, vy, x, y);
    x /= 20;
    y /= 20;
  }
}

void TFlashPlayer::MouseMove(double x, double y) {
  if (!display_) return;
  mouseX_ = x * 20;
  mouseY_ = y * 20;
  FollowDrag();
  auto under = ButtonAt(mouseX_, mouseY_);
  if (mouseDown_) {
    // Only the pressed button follows a held mouse; one pressed elsewhere
    // rolls nothing over.
    auto pressed = pressed_.lock();
    if (!pressed) return;
    const bool over = under == pressed;
    if (over && pressed->buttonState != bsDown)
      ButtonEvent(pressed, swf::bcOutDownToOverDown, bsDown);
    else if (!over && pressed->buttonState == bsDown)
      ButtonEvent(pressed, swf::bcOverDownToOutDown, bsOver);
    return;
  }
  auto hovered = hovered_.lock();
  if (under == hovered) return;
  if (hovered) ButtonEvent(hovered, swf::bcOverUpToIdle, bsUp);
  hovered_ = under;
  if (under) ButtonEvent(under, swf::bcIdleToOverUp, bsOver);
}

void TFlashPlayer::MouseDown(double x, double y) {
  if (!display_) return;
  MouseMove(x, y);
  mouseDown_ = true;
  auto under = ButtonAt(mouseX_, mouseY_);
  pressed_ = under;
  if (under) ButtonEvent(under, swf::bcOverUpToOverDown, bsDown);
}

void TFlashPlayer::MouseUp(double x, double y) {
  if (!display_) return;
  MouseMove(x, y);
  mouseDown_ = false;
  auto pressed = pressed_.lock();
  pressed_.reset();
  const bool overPressed = pressed && ButtonAt(mouseX_, mouseY_) == pressed;
  if (pressed) {
    if (overPressed)
      ButtonEvent(pressed, swf::bcOverDownToOverUp, bsOver);
    else
      ButtonEvent(pressed, swf::bcOutDownToIdle, bsUp);
  }
  // The released button stays under the mouse without rolling over again;
  // another button under it rolls over now.
  hovered_ = overPressed ? pressed : nullptr;
  MouseMove(x, y);
  if (onMouseReleased) onMouseReleased();
}

bool TFlashPlayer::OverButton() const {
  if (auto pressed = pressed_.lock()) return pressed->buttonState == bsDown;
  return !mouseDown_ && !hovered_.expired();
}

std::optional<std::string> TFlashPlayer::GetVariable(const std::string& name) {
  if (!display_) return std::nullopt;
  const TAvmValue v = avm_->GetVariable(display_->Root(), name);
  if (v.type == TAvmValue::vtUndefined) return std::nullopt;
  return v.ToString();
}

void TFlashPlayer::SetVariable(const std::string& name, const std::string& value) {
  if (display_) avm_->SetVariable(display_->Root(), name, TAvmValue::String(value));
}

std::optional<std::string> TFlashPlayer::TGetProperty(const std::string& target, int index) {
  if (!display_) return std::nullopt;
  TDisplayObject* o = avm_->ResolveTarget(display_->Root(), target);
  if (!o) return std::nullopt;
  const TAvmValue v = GetProperty(*o, index);
  if (v.type == TAvmValue::vtUndefined) return std::nullopt;
  return v.ToString();
}

bool TFlashPlayer::TSetProperty(const std::string& target, int index, const std::string& value) {
  if (!display_) return false;
  TDisplayObject* o = avm_->ResolveTarget(display_->Root(), target);
  return o && SetProperty(*o, index, TAvmValue::String(value));
}

}  // namespace tessaly::player
