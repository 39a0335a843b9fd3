#include "player/Avm1.h"

#include "player/SwfBitReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>

namespace tessaly::player {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

constexpr const char* kPropertyNames[] = {"_x",        "_y",        "_xscale", "_yscale",      "_currentframe",
                                          "_totalframes", "_alpha",  "_visible", "_width",      "_height",
                                          "_rotation", "_target",   "_framesloaded", "_name"};

// The bounds (twips) of an object's content under matrix m, or an empty
// rectangle.
QRectF ContentBounds(const TDisplayObject& object, const TSwfMatrix& m, int nesting) {
  if (!object.character || nesting > kMaxNesting) return {};
  const QTransform t(m.sx, m.r0, m.r1, m.sy, m.tx, m.ty);
  auto mapped = [&](const TRectTw& r) {
    if (r.xmax <= r.xmin && r.ymax <= r.ymin) return QRectF();
    return t.mapRect(QRectF(QPointF(r.xmin, r.ymin), QPointF(r.xmax, r.ymax)));
  };
  switch (object.character->kind) {
    case TCharacterKind::ckShape:
      return mapped(static_cast<const TShapeDef&>(*object.character).bounds);
    case TCharacterKind::ckText:
      return mapped(static_cast<const TTextDef&>(*object.character).bounds);
    case TCharacterKind::ckSprite:
    case TCharacterKind::ckButton: {
      QRectF all;
      for (const auto& [depth, child] : object.children) {
        const QRectF r = ContentBounds(*child, m * child->matrix, nesting + 1);
        if (!r.isNull()) all = all.isNull() ? r : all.united(r);
      }
      return all;
    }
    default:
      return {};
  }
}

std::string SlashPath(const TDisplayObject& object) {
  if (!object.parent) return "/";
  const std::string up = SlashPath(*object.parent);
  return (up == "/" ? "/" : up + "/") + object.name;
}

double Scale(double a, double b) { return std::sqrt(a * a + b * b); }

// Rebuilds a matrix from scales (1.0 = 100 %) and a rotation in degrees.
void SetScaleRotation(TSwfMatrix& m, double xs, double ys, double degrees) {
  const double r = degrees * M_PI / 180;
  m.sx = xs * std::cos(r);
  m.r0 = xs * std::sin(r);
  m.r1 = -ys * std::sin(r);
  m.sy = ys * std::cos(r);
}

}  // namespace

int PropertyIndex(const std::string& name) {
  const std::string lower = Lower(name);
  for (int i = 0; i < 14; ++i)
    if (lower == kPropertyNames[i]) return i;
  return -1;
}

TAvmValue GetProperty(const TDisplayObject& o, int index) {
  const TSwfMatrix& m = o.matrix;
  switch (index) {
    case 0:
      return TAvmValue::Number(m.tx / 20);
    case 1:
      return TAvmValue::Number(m.ty / 20);
    case 2:
      return TAvmValue::Number(Scale(m.sx, m.r0) * 100);
    case 3:
      return TAvmValue::Number(Scale(m.r1, m.sy) * 100);
    case 4:
      return TAvmValue::Number(o.IsClip() ? o.currentFrame + 1 : 1);
    case 5:
    case 12:
      return TAvmValue::Number(o.FrameCount());
    case 6:
      return TAvmValue::Number(o.colorTransform.ma * 100);
    case 7:
      return TAvmValue::Number(o.visible ? 1 : 0);
    case 8:
    case 9: {
      const QRectF r = ContentBounds(o, o.matrix, 0);
      return TAvmValue::Number((index == 8 ? r.width() : r.height()) / 20);
    }
    case 10:
      return TAvmValue::Number(std::atan2(m.r0, m.sx) * 180 / M_PI);
    case 11:
      return TAvmValue::String(SlashPath(o));
    case 13:
      return TAvmValue::String(o.name);
    default:
      return TAvmValue::Undefined();
  }
}

bool SetProperty(TDisplayObject& o, int index, const TAvmValue& value) {
  if (index == 13) {
    std::string name = value.ToString();
    if (name.size() > kMaxNameBytes) return false;
    o.name = std::move(name);
    return true;
  }
  const double v = value.ToNumber();
  if (!std::isfinite(v)) return false;
  TSwfMatrix& m = o.matrix;
  const double xs = Scale(m.sx, m.r0), ys = Scale(m.r1, m.sy), rotation = std::atan2(m.r0, m.sx) * 180 / M_PI;
  switch (index) {
    case 0:
      m.tx = std::round(v * 20);
      break;
    case 1:
      m.ty = std::round(v * 20);
      break;
    case 2:
      SetScaleRotation(m, v / 100, ys, rotation);
      break;
    case 3:
      SetScaleRotation(m, xs, v / 100, rotation);
      break;
    case 6:
      o.colorTransform.ma = v / 100;
      break;
    case 7:
      o.visible = v != 0;
      return true;
    case 8:
    case 9: {
      const QRectF r = ContentBounds(o, o.matrix, 0);
      const double current = (index == 8 ? r.width() : r.height()) / 20;
      if (current <= 0) return false;
      const double f = v / current;
      if (index == 8)
        SetScaleRotation(m, xs * f, ys, rotation);
      else
        SetScaleRotation(m, xs, ys * f, rotation);
      break;
    }
    case 10:
      SetScaleRotation(m, xs, ys, v);
      break;
    default:
      return false;
  }
  o.scriptControlled = true;
  return true;
}

TAvm1::TAvm1(const TMovieDef& movie, TDisplayList& display, TAvmHost& host)
    : movie_(movie), display_(display), host_(host), version_(movie.version) {}

std::string TAvm1::Key(const std::string& name) const { return version_ < 7 ? Lower(name) : name; }

TDisplayObject* TAvm1::Child(TDisplayObject& parent, const std::string& name) const {
  const std::string key = Key(name);
  for (const auto& [depth, child] : parent.children)
    if (!child->name.empty() && Key(child->name) == key) return child.get();
  return nullptr;
}

TDisplayObject* TAvm1::ResolveTarget(TDisplayObject& from, const std::string& path) const {
  TDisplayObject* current = &from;
  size_t pos = 0;
  if (!path.empty() && path[0] == '/') {
    current = &display_.Root();
    pos = 1;
  }
  while (pos <= path.size() && current) {
    size_t end = path.find_first_of("/.", pos);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(pos, end - pos);
    // ".." is one part, not two empty ones around a dot.
    if (part.empty() && end < path.size() && path.compare(end, 2, "..") == 0) {
      part = "..";
      end += 1;
    }
    const std::string key = Lower(part);
    if (part.empty()) {
      // "a//b" or a trailing separator: stay.
    } else if (key == "_root" || key == "_level0") {
      current = &display_.Root();
    } else if (key == "_parent" || key == "..") {
      current = current->parent;
    } else if (key != "this") {
      current = Child(*current, part);
    }
    if (end >= path.size()) break;
    pos = end + 1;
  }
  return current;
}

TAvm1::TVariableRef TAvm1::SplitVariable(TDisplayObject& scope, const std::string& path) const {
  const size_t colon = path.rfind(':');
  if (colon != std::string::npos) return {ResolveTarget(scope, path.substr(0, colon)), path.substr(colon + 1)};
  const size_t dot = path.find_last_of("./");
  if (dot != std::string::npos && dot > 0) return {ResolveTarget(scope, path.substr(0, dot)), path.substr(dot + 1)};
  return {&scope, path};
}

TAvmValue TAvm1::GetVariable(TDisplayObject& scope, const std::string& name) const {
  // A path that starts with its separator ("/", "/a") names an instance.
  if (name.find(':') == std::string::npos && name.find_last_of("./") == 0) {
    if (TDisplayObject* target = ResolveTarget(scope, name)) return TAvmValue::Clip(target->shared_from_this());
    return {};
  }
  const auto [owner, var] = SplitVariable(scope, name);
  if (!owner) return {};
  const std::string key = Lower(var);
  if (key == "_root" || key == "_level0") return TAvmValue::Clip(display_.RootPtr());
  if (key == "this") return TAvmValue::Clip(owner->shared_from_this());
  if (key == "_parent") return owner->parent ? TAvmValue::Clip(owner->parent->shared_from_this()) : TAvmValue{};
  const auto it = owner->variables.find(Key(var));
  if (it != owner->variables.end()) return it->second;
  const int property = PropertyIndex(var);
  if (property >= 0) return GetProperty(*owner, property);
  if (TDisplayObject* child = Child(*owner, var)) return TAvmValue::Clip(child->shared_from_this());
  return {};
}

void TAvm1::SetVariable(TDisplayObject& scope, const std::string& name, const TAvmValue& value) {
  const auto [owner, var] = SplitVariable(scope, name);
  if (!owner || var.empty()) return;
  const int property = PropertyIndex(var);
  if (property >= 0 && owner->variables.find(Key(var)) == owner->variables.end()) {
    SetProperty(*owner, property, value);
    return;
  }
  constexpr size_t kMaxVariables = 10000;
  if (var.size() > kMaxNameBytes) return;
  if (owner->variables.size() >= kMaxVariables && !owner->variables.count(Key(var))) return;
  owner->variables[Key(var)] = value;
}

TAvmValue TAvm1::Pop() {
  if (stack_.empty()) return {};
  TAvmValue v = std::move(stack_.back());
  stack_.pop_back();
  // Whatever takes a string may copy or scan it.
  budget_ -= static_cast<int>(v.Text().size() / kStringBytesPerAction);
  return v;
}

void TAvm1::Push(TAvmValue v) {
  if (cutOff_) return;
  if (stack_.size() >= kMaxStackDepth) {
    CutOff("the actions of a frame filled their stack and were cut off");
    return;
  }
  if (v.type == TAvmValue::vtString && !meter_.Counts(v)) {
    v = Text(v.Text());
    if (cutOff_) return;
  }
  stack_.push_back(std::move(v));
}

TAvmValue TAvm1::Text(std::string s) {
  budget_ -= static_cast<int>(s.size() / kStringBytesPerAction);
  if (s.size() > kMaxStringBytes) {
    CutOff("the actions of a frame made a string longer than " + std::to_string(kMaxStringBytes >> 20) +
           " MB and were cut off");
    return {};
  }
  if (meter_.Bytes() + static_cast<int64_t>(s.size()) > kMaxScriptTextBytes) {
    CutOff("the actions of a frame held more than " + std::to_string(kMaxScriptTextBytes >> 20) +
           " MB of strings and were cut off");
    return {};
  }
  return meter_.String(std::move(s));
}

void TAvm1::CutOff(const std::string& reason) {
  cutOff_ = true;
  cutOffReason_ = reason;
}

std::string TAvm1::TakeCutOffReason() {
  std::string reason;
  reason.swap(cutOffReason_);
  return reason;
}

void TAvm1::PushData(const TActionRecord& a) {
  TSwfBitReader in(a.data);
  while (!in.AtEnd() && !in.Overrun() && !cutOff_) {
    const uint8_t type = in.ReadByte();
    switch (type) {
      case 0:
        PushText(in.ReadString());
        break;
      case 1:
        Push(TAvmValue::Number(in.ReadSingle()));
        break;
      case 2:
        Push(TAvmValue::Null());
        break;
      case 3:
        Push(TAvmValue::Undefined());
        break;
      case 4: {
        const uint8_t r = in.ReadByte();
        Push(r < 4 ? registers_[r] : TAvmValue{});
        break;
      }
      case 5:
        Push(TAvmValue::Bool(in.ReadByte() != 0));
        break;
      case 6:
        Push(TAvmValue::Number(in.ReadDouble()));
        break;
      case 7:
        Push(TAvmValue::Number(static_cast<int32_t>(in.ReadDWord())));
        break;
      case 8:
      case 9: {
        const size_t index = type == 8 ? in.ReadByte() : in.ReadWord();
        Push(index < constants_.size() ? constants_[index] : TAvmValue{});
        break;
      }
      default:
        return;  // an unknown type: its size is unknown, the rest is lost
    }
  }
}

TAvmValue TAvm1::Add2(const TAvmValue& a, const TAvmValue& b) const {
  if (a.type == TAvmValue::vtString || b.type == TAvmValue::vtString || a.type == TAvmValue::vtClip ||
      b.type == TAvmValue::vtClip)
    return TAvmValue::String(a.ToString() + b.ToString());
  return TAvmValue::Number(a.ToNumber() + b.ToNumber());
}

bool TAvm1::Equals2(const TAvmValue& a, const TAvmValue& b) const {
  using T = TAvmValue;
  const bool aNothing = a.type == T::vtUndefined || a.type == T::vtNull;
  const bool bNothing = b.type == T::vtUndefined || b.type == T::vtNull;
  if (aNothing || bNothing) return aNothing && bNothing;
  if (a.type == b.type) {
    switch (a.type) {
      case T::vtBool:
        return a.boolean == b.boolean;
      case T::vtNumber:
        return a.number == b.number;
      case T::vtString:
        return a.Text() == b.Text();
      case T::vtClip:
        return a.clip.lock() == b.clip.lock();
      default:
        return true;
    }
  }
  if (a.type == T::vtClip || b.type == T::vtClip) return a.ToString() == b.ToString();
  return a.ToNumber() == b.ToNumber();
}

TAvmValue TAvm1::Less2(const TAvmValue& a, const TAvmValue& b) const {
  if (a.type == TAvmValue::vtString && b.type == TAvmValue::vtString) return TAvmValue::Bool(a.Text() < b.Text());
  const double x = a.ToNumber(), y = b.ToNumber();
  if (std::isnan(x) || std::isnan(y)) return TAvmValue::Undefined();
  return TAvmValue::Bool(x < y);
}

void TAvm1::GotoLabel(TDisplayObject& clip, const std::string& label) {
  if (!clip.IsClip()) return;
  const std::string key = Lower(label);
  for (size_t f = 0; f < clip.timeline->frames.size(); ++f)
    if (!clip.timeline->frames[f].label.empty() && Lower(clip.timeline->frames[f].label) == key) {
      display_.GotoFrame(clip, static_cast<int>(f));
      return;
    }
}

void TAvm1::Run(TDisplayObject& origin, const TActionList& actions) {
  if (budget_ <= 0) return;
  cutOff_ = false;
  stack_.clear();
  constants_.clear();
  try {
    RunBlock(origin, actions);
  } catch (const std::bad_alloc&) {
    CutOff("the actions of a frame ran out of memory and were cut off");
  }
  stack_.clear();
  constants_.clear();
}

void TAvm1::RunBlock(TDisplayObject& origin, const TActionList& actions) {
  // The instances this block works on stay alive while it runs, even when
  // one of its gotos takes them off the stage.
  std::vector<TDisplayObjectPtr> keep{origin.shared_from_this()};
  std::vector<size_t> offsets(actions.size() + 1, 0);
  for (size_t i = 0; i < actions.size(); ++i)
    offsets[i + 1] = offsets[i] + (actions[i].code >= 0x80 ? 3 + actions[i].data.size() : 1);
  TDisplayObject* target = &origin;
  size_t i = 0;
  while (i < actions.size()) {
    if (--budget_ < 0) break;
    const TActionRecord& a = actions[i];
    size_t next = i + 1;
    if (a.code == 0x99 || a.code == 0x9D || a.code == 0x9B || a.code == 0x8E) {
      TSwfBitReader in(a.data);
      int64_t skip = 0;
      bool branch = true;
      if (a.code == 0x99 || a.code == 0x9D) {
        skip = in.ReadSignedWord();
        if (a.code == 0x9D) branch = Pop().ToBool(version_);
      } else {
        // A function definition: its body follows and does not run here.
        if (a.code == 0x9B) {
          in.ReadString();
          const uint16_t params = in.ReadWord();
          for (uint16_t p = 0; p < params && !in.Overrun(); ++p) in.ReadString();
        } else {
          in.ReadString();
          const uint16_t params = in.ReadWord();
          in.Skip(3);
          for (uint16_t p = 0; p < params && !in.Overrun(); ++p) {
            in.ReadByte();
            in.ReadString();
          }
        }
        skip = in.ReadWord();
      }
      if (branch) {
        const int64_t to = static_cast<int64_t>(offsets[i + 1]) + skip;
        if (to < 0 || to >= static_cast<int64_t>(offsets.back())) break;  // leaves the block: it ends
        const auto at = std::lower_bound(offsets.begin(), offsets.end(), static_cast<size_t>(to));
        if (at == offsets.end() || *at != static_cast<size_t>(to)) break;  // into the middle of an action
        next = static_cast<size_t>(at - offsets.begin());
      }
      i = next;
      continue;
    }
    if (!Execute(target, origin, a) || cutOff_) break;
    if (!target) target = &origin;
    keep.push_back(target->shared_from_this());
    if (keep.size() > 64) keep.erase(keep.begin() + 1, keep.end() - 1);
    i = next;
  }
}

bool TAvm1::Execute(TDisplayObject*& target, TDisplayObject& origin, const TActionRecord& a) {
  TSwfBitReader in(a.data);
  auto num = [&](const TAvmValue& v) {
    // The version-4 operators read undefined as 0 before version 7.
    if (v.type == TAvmValue::vtUndefined && version_ < 7) return 0.0;
    return v.ToNumber();
  };
  auto clipOf = [&](const TAvmValue& v) -> TDisplayObject* {
    if (v.type == TAvmValue::vtClip) return v.clip.lock().get();
    return ResolveTarget(*target, v.ToString());
  };
  switch (a.code) {
    case 0x04:
      display_.GotoFrame(*target, target->currentFrame + 1);
      target->playing = false;
      break;
    case 0x05:
      display_.GotoFrame(*target, target->currentFrame - 1);
      target->playing = false;
      break;
    case 0x06:
      target->playing = true;
      break;
    case 0x07:
      target->playing = false;
      break;
    case 0x08:
    case 0x09:
      break;  // quality and sounds
    case 0x0A: {
      const double x = num(Pop()), y = num(Pop());
      Push(TAvmValue::Number(y + x));
      break;
    }
    case 0x0B: {
      const double x = num(Pop()), y = num(Pop());
      Push(TAvmValue::Number(y - x));
      break;
    }
    case 0x0C: {
      const double x = num(Pop()), y = num(Pop());
      Push(TAvmValue::Number(y * x));
      break;
    }
    case 0x0D: {
      const double x = num(Pop()), y = num(Pop());
      if (x == 0 && version_ < 5)
        PushText("#ERROR#");
      else
        Push(TAvmValue::Number(y / x));
      break;
    }
    case 0x0E: {
      const double x = num(Pop()), y = num(Pop());
      Push(TAvmValue::Bool(y == x));
      break;
    }
    case 0x0F: {
      const double x = num(Pop()), y = num(Pop());
      Push(TAvmValue::Bool(y < x));
      break;
    }
    case 0x10: {
      const bool x = Pop().ToBool(version_), y = Pop().ToBool(version_);
      Push(TAvmValue::Bool(x && y));
      break;
    }
    case 0x11: {
      const bool x = Pop().ToBool(version_), y = Pop().ToBool(version_);
      Push(TAvmValue::Bool(x || y));
      break;
    }
    case 0x12:
      Push(TAvmValue::Bool(!Pop().ToBool(version_)));
      break;
    case 0x13: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      Push(TAvmValue::Bool(x == y));
      break;
    }
    case 0x14:
    case 0x31:
      Push(TAvmValue::Number(static_cast<double>(Pop().ToString().size())));
      break;
    case 0x15:
    case 0x35: {
      const double count = num(Pop()), index = num(Pop());
      const std::string s = Pop().ToString();
      std::string part;
      if (std::isfinite(count) && std::isfinite(index)) {
        const int64_t from = std::max<int64_t>(0, static_cast<int64_t>(index) - 1);
        int64_t n = static_cast<int64_t>(count);
        if (n < 0) n = static_cast<int64_t>(s.size());
        if (from < static_cast<int64_t>(s.size())) part = s.substr(static_cast<size_t>(from), static_cast<size_t>(n));
      }
      PushText(std::move(part));
      break;
    }
    case 0x17:
      Pop();
      break;
    case 0x18:
      Push(TAvmValue::Number(std::trunc(num(Pop()))));
      break;
    case 0x1C: {
      const std::string name = Pop().ToString();
      Push(GetVariable(*target, name));
      break;
    }
    case 0x1D: {
      const TAvmValue value = Pop();
      SetVariable(*target, Pop().ToString(), value);
      break;
    }
    case 0x20: {  // SetTarget2
      const std::string path = Pop().ToString();
      TDisplayObject* t = path.empty() ? &origin : ResolveTarget(origin, path);
      target = t ? t : &origin;
      break;
    }
    case 0x21: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      PushText(y + x);
      break;
    }
    case 0x22: {
      const double index = num(Pop());
      const TAvmValue t = Pop();
      TDisplayObject* o = t.ToString().empty() ? target : clipOf(t);
      Push(o && std::isfinite(index) ? GetProperty(*o, static_cast<int>(index)) : TAvmValue{});
      break;
    }
    case 0x23: {
      const TAvmValue value = Pop();
      const double index = num(Pop());
      const TAvmValue t = Pop();
      TDisplayObject* o = t.ToString().empty() ? target : clipOf(t);
      if (o && std::isfinite(index)) SetProperty(*o, static_cast<int>(index), value);
      break;
    }
    case 0x24:  // CloneSprite: depth, target, source
      Pop();
      Pop();
      Pop();
      break;
    case 0x25:  // RemoveSprite
    case 0x26:  // Trace
      Pop();
      break;
    case 0x27: {  // StartDrag
      TDisplayObject* dragged = clipOf(Pop());
      const bool lock = Pop().ToBool(version_);
      const bool constrained = Pop().ToBool(version_);
      double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      if (constrained) {
        y2 = num(Pop());
        x2 = num(Pop());
        y1 = num(Pop());
        x1 = num(Pop());
      }
      if (dragged) host_.StartDrag(*dragged, lock, constrained, x1, y1, x2, y2);
      break;
    }
    case 0x28:
      host_.EndDrag();
      break;
    case 0x29: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      Push(TAvmValue::Bool(y < x));
      break;
    }
    case 0x68: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      Push(TAvmValue::Bool(y > x));
      break;
    }
    case 0x30: {  // RandomNumber: a fixed sequence, so that runs repeat
      const double max = num(Pop());
      random_ = random_ * 1103515245u + 12345u;
      Push(TAvmValue::Number(max >= 1 && std::isfinite(max) ? std::floor((random_ >> 8) % static_cast<uint32_t>(
                                                                  std::min(max, 4294967295.0)))
                                                            : 0));
      break;
    }
    case 0x32:
    case 0x36: {
      const std::string s = Pop().ToString();
      Push(TAvmValue::Number(s.empty() ? 0 : static_cast<unsigned char>(s[0])));
      break;
    }
    case 0x33:
    case 0x37: {
      const double n = num(Pop());
      PushText(std::string(1, static_cast<char>(std::isfinite(n) ? static_cast<int64_t>(n) & 0xFF : 0)));
      break;
    }
    case 0x34:
      Push(TAvmValue::Number(std::floor(display_.CurrentTick() * 1000.0 / std::max(1.0, movie_.frameRate))));
      break;
    case 0x3A:  // Delete: object, name
      Pop();
      Pop();
      Push(TAvmValue::Bool(false));
      break;
    case 0x3B: {  // Delete2
      const std::string name = Pop().ToString();
      Push(TAvmValue::Bool(target->variables.erase(Key(name)) > 0));
      break;
    }
    case 0x3C: {  // DefineLocal
      const TAvmValue value = Pop();
      SetVariable(*target, Pop().ToString(), value);
      break;
    }
    case 0x41: {  // DefineLocal2
      const std::string name = Pop().ToString();
      if (!target->variables.count(Key(name))) SetVariable(*target, name, {});
      break;
    }
    case 0x3D: {  // CallFunction: name, count, arguments
      Pop();
      const double count = num(Pop());
      for (int k = 0; k < count && k < 256 && !stack_.empty(); ++k) Pop();
      Push({});
      break;
    }
    case 0x52: {  // CallMethod: name, object, count, arguments
      Pop();
      Pop();
      const double count = num(Pop());
      for (int k = 0; k < count && k < 256 && !stack_.empty(); ++k) Pop();
      Push({});
      break;
    }
    case 0x3E:  // Return
      return false;
    case 0x3F: {
      const double x = num(Pop()), y = num(Pop());
      Push(TAvmValue::Number(std::fmod(y, x)));
      break;
    }
    case 0x44: {  // TypeOf
      const TAvmValue v = Pop();
      static constexpr const char* kNames[] = {"undefined", "null", "boolean", "number", "string", "movieclip"};
      PushText(kNames[v.type]);
      break;
    }
    case 0x47: {
      const TAvmValue x = Pop(), y = Pop();
      Push(Add2(y, x));
      break;
    }
    case 0x48: {
      const TAvmValue x = Pop(), y = Pop();
      Push(Less2(y, x));
      break;
    }
    case 0x67: {
      const TAvmValue x = Pop(), y = Pop();
      Push(Less2(x, y));
      break;
    }
    case 0x49: {
      const TAvmValue x = Pop(), y = Pop();
      Push(TAvmValue::Bool(Equals2(y, x)));
      break;
    }
    case 0x66: {
      const TAvmValue x = Pop(), y = Pop();
      Push(TAvmValue::Bool(x.type == y.type && Equals2(y, x)));
      break;
    }
    case 0x4A:
      Push(TAvmValue::Number(Pop().ToNumber()));
      break;
    case 0x4B: {
      TAvmValue v = Pop();
      if (v.type == TAvmValue::vtString)
        Push(std::move(v));
      else
        PushText(v.ToString());
      break;
    }
    case 0x4C:
      Push(stack_.empty() ? TAvmValue{} : stack_.back());
      break;
    case 0x4D: {
      TAvmValue x = Pop(), y = Pop();
      Push(std::move(x));
      Push(std::move(y));
      break;
    }
    case 0x4E: {  // GetMember: object, name
      const std::string name = Pop().ToString();
      const TAvmValue object = Pop();
      TDisplayObject* o = object.type == TAvmValue::vtClip ? object.clip.lock().get() : nullptr;
      Push(o ? GetVariable(*o, name) : TAvmValue{});
      break;
    }
    case 0x4F: {  // SetMember: object, name, value
      const TAvmValue value = Pop();
      const std::string name = Pop().ToString();
      const TAvmValue object = Pop();
      if (object.type == TAvmValue::vtClip)
        if (auto o = object.clip.lock()) SetVariable(*o, name, value);
      break;
    }
    case 0x50:
      Push(TAvmValue::Number(num(Pop()) + 1));
      break;
    case 0x51:
      Push(TAvmValue::Number(num(Pop()) - 1));
      break;
    case 0x60:
    case 0x61:
    case 0x62:
    case 0x63:
    case 0x64:
    case 0x65: {
      auto toInt = [](double d) -> int32_t {
        if (!std::isfinite(d)) return 0;
        return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(std::fmod(std::trunc(d), 4294967296.0))));
      };
      const int32_t x = toInt(num(Pop())), y = toInt(num(Pop()));
      const unsigned shift = static_cast<unsigned>(x) & 31;
      double r = 0;
      switch (a.code) {
        case 0x60: r = y & x; break;
        case 0x61: r = y | x; break;
        case 0x62: r = y ^ x; break;
        case 0x63: r = static_cast<int32_t>(static_cast<uint32_t>(y) << shift); break;
        case 0x64: r = y >> shift; break;
        default: r = static_cast<uint32_t>(y) >> shift; break;
      }
      Push(TAvmValue::Number(r));
      break;
    }
    case 0x81:  // GotoFrame
      display_.GotoFrame(*target, in.ReadWord());
      break;
    case 0x83: {  // GetURL
      const std::string url = in.ReadString();
      host_.GetUrl(url, in.ReadString());
      break;
    }
    case 0x87: {  // StoreRegister
      const uint8_t r = in.ReadByte();
      if (r < 4) registers_[r] = stack_.empty() ? TAvmValue{} : stack_.back();
      break;
    }
    case 0x88: {  // ConstantPool
      constants_.clear();
      const uint16_t count = in.ReadWord();
      for (uint16_t k = 0; k < count && !in.AtEnd() && !cutOff_; ++k) constants_.push_back(Text(in.ReadString()));
      break;
    }
    case 0x8A:  // WaitForFrame: every frame is loaded
    case 0x8D:
      if (a.code == 0x8D) Pop();
      break;
    case 0x8B: {  // SetTarget
      const std::string path = in.ReadString();
      TDisplayObject* t = path.empty() ? &origin : ResolveTarget(origin, path);
      target = t ? t : &origin;
      break;
    }
    case 0x8C:
      GotoLabel(*target, in.ReadString());
      break;
    case 0x96:
      PushData(a);
      break;
    case 0x9A: {  // GetURL2
      const std::string window = Pop().ToString();
      const std::string url = Pop().ToString();
      host_.GetUrl(url, window);
      break;
    }
    case 0x9E:  // Call
      Pop();
      break;
    case 0x9F: {  // GotoFrame2
      const uint8_t flags = in.ReadByte();
      const int bias = (flags & 0x02) ? in.ReadWord() : 0;
      const TAvmValue frame = Pop();
      TDisplayObject* clip = target;
      double number = frame.ToNumber();
      if (frame.type == TAvmValue::vtString && std::isnan(number)) {
        std::string label = frame.Text();
        const size_t colon = label.rfind(':');
        if (colon != std::string::npos) {
          clip = ResolveTarget(*target, label.substr(0, colon));
          label = label.substr(colon + 1);
        }
        number = StringToNumber(label);
        if (clip && std::isnan(number)) {
          GotoLabel(*clip, label);
          clip->playing = flags & 0x01;
          break;
        }
      }
      if (clip && std::isfinite(number)) {
        display_.GotoFrame(*clip, static_cast<int>(std::clamp(number, -1.0, 70000.0)) - 1 + bias);
        clip->playing = flags & 0x01;
      }
      break;
    }
    default:
      break;  // other actions are passed over by their length
  }
  return true;
}

}  // namespace tessaly::player
