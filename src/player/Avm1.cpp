#include "player/Avm1.h"

#include "player/SwfBitReader.h"
#include "swf/SWFFormat.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace tessaly::player {

using namespace swf;

TAvm1::TAvm1(const TMovieDef& movie, TDisplayList& display, TAvmHost& host)
    : movie_(movie), display_(display), host_(host), version_(movie.version) {}

std::string TAvm1::Key(const std::string& name) const { return version_ < 7 ? LowerAscii(name) : name; }

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
    const std::string key = LowerAscii(part);
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
  const std::string key = LowerAscii(var);
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
      case ptString:
        PushText(in.ReadString());
        break;
      case ptFloat:
        Push(TAvmValue::Number(in.ReadSingle()));
        break;
      case ptNull:
        Push(TAvmValue::Null());
        break;
      case ptUndefined:
        Push(TAvmValue::Undefined());
        break;
      case ptRegister: {
        const uint8_t r = in.ReadByte();
        Push(r < 4 ? registers_[r] : TAvmValue{});
        break;
      }
      case ptBoolean:
        Push(TAvmValue::Bool(in.ReadByte() != 0));
        break;
      case ptDouble:
        Push(TAvmValue::Number(in.ReadDouble()));
        break;
      case ptInteger:
        Push(TAvmValue::Number(static_cast<int32_t>(in.ReadDWord())));
        break;
      case ptConstant8:
      case ptConstant16: {
        const size_t index = type == ptConstant8 ? in.ReadByte() : in.ReadWord();
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
  const std::string key = LowerAscii(label);
  for (size_t f = 0; f < clip.timeline->frames.size(); ++f)
    if (!clip.timeline->frames[f].label.empty() && LowerAscii(clip.timeline->frames[f].label) == key) {
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
    offsets[i + 1] = offsets[i] + (actions[i].code >= kActionHasBody ? 3 + actions[i].data.size() : 1);
  TDisplayObject* target = &origin;
  size_t i = 0;
  while (i < actions.size()) {
    if (--budget_ < 0) break;
    const TActionRecord& a = actions[i];
    size_t next = i + 1;
    if (a.code == acJump || a.code == acIf || a.code == acDefineFunction || a.code == acDefineFunction2) {
      TSwfBitReader in(a.data);
      int64_t skip = 0;
      bool branch = true;
      if (a.code == acJump || a.code == acIf) {
        skip = in.ReadSignedWord();
        if (a.code == acIf) branch = Pop().ToBool(version_);
      } else {
        // A function definition: its body follows and does not run here.
        if (a.code == acDefineFunction) {
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

double TAvm1::Num(const TAvmValue& v) const {
  // The version-4 operators read undefined as 0 before version 7.
  if (v.type == TAvmValue::vtUndefined && version_ < 7) return 0.0;
  return v.ToNumber();
}

TDisplayObject* TAvm1::ClipOf(TDisplayObject& target, const TAvmValue& v) const {
  if (v.type == TAvmValue::vtClip) return v.clip.lock().get();
  return ResolveTarget(target, v.ToString());
}

bool TAvm1::Execute(TDisplayObject*& target, TDisplayObject& origin, const TActionRecord& a) {
  if (a.code == acReturn) return false;
  // Each family passes over the codes that are not its own; other actions
  // are passed over by their length.
  RunArithmetic(a.code) || RunComparison(a.code) || RunStringAction(a.code) || RunStackAction(a) ||
      RunVariableAction(*target, a.code) || RunMovieControl(target, origin, a);
  return true;
}

bool TAvm1::RunArithmetic(uint8_t code) {
  switch (code) {
    case acAdd: {
      const double x = Num(Pop()), y = Num(Pop());
      Push(TAvmValue::Number(y + x));
      break;
    }
    case acSubtract: {
      const double x = Num(Pop()), y = Num(Pop());
      Push(TAvmValue::Number(y - x));
      break;
    }
    case acMultiply: {
      const double x = Num(Pop()), y = Num(Pop());
      Push(TAvmValue::Number(y * x));
      break;
    }
    case acDivide: {
      const double x = Num(Pop()), y = Num(Pop());
      if (x == 0 && version_ < 5)
        PushText("#ERROR#");
      else
        Push(TAvmValue::Number(y / x));
      break;
    }
    case acModulo: {
      const double x = Num(Pop()), y = Num(Pop());
      Push(TAvmValue::Number(std::fmod(y, x)));
      break;
    }
    case acAdd2: {
      const TAvmValue x = Pop(), y = Pop();
      Push(Add2(y, x));
      break;
    }
    case acToInteger:
      Push(TAvmValue::Number(std::trunc(Num(Pop()))));
      break;
    case acToNumber:
      Push(TAvmValue::Number(Pop().ToNumber()));
      break;
    case acIncrement:
      Push(TAvmValue::Number(Num(Pop()) + 1));
      break;
    case acDecrement:
      Push(TAvmValue::Number(Num(Pop()) - 1));
      break;
    case acBitAnd:
    case acBitOr:
    case acBitXor:
    case acBitLShift:
    case acBitRShift:
    case acBitURShift:
      RunBitOperation(code);
      break;
    default:
      return false;
  }
  return true;
}

void TAvm1::RunBitOperation(uint8_t code) {
  auto toInt = [](double d) -> int32_t {
    if (!std::isfinite(d)) return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(std::fmod(std::trunc(d), 4294967296.0))));
  };
  const int32_t x = toInt(Num(Pop())), y = toInt(Num(Pop()));
  const unsigned shift = static_cast<unsigned>(x) & 31;
  double r = 0;
  switch (code) {
    case acBitAnd: r = y & x; break;
    case acBitOr: r = y | x; break;
    case acBitXor: r = y ^ x; break;
    case acBitLShift: r = static_cast<int32_t>(static_cast<uint32_t>(y) << shift); break;
    case acBitRShift: r = y >> shift; break;
    default: r = static_cast<uint32_t>(y) >> shift; break;
  }
  Push(TAvmValue::Number(r));
}

bool TAvm1::RunComparison(uint8_t code) {
  switch (code) {
    case acEquals: {
      const double x = Num(Pop()), y = Num(Pop());
      Push(TAvmValue::Bool(y == x));
      break;
    }
    case acLess: {
      const double x = Num(Pop()), y = Num(Pop());
      Push(TAvmValue::Bool(y < x));
      break;
    }
    case acAnd: {
      const bool x = Pop().ToBool(version_), y = Pop().ToBool(version_);
      Push(TAvmValue::Bool(x && y));
      break;
    }
    case acOr: {
      const bool x = Pop().ToBool(version_), y = Pop().ToBool(version_);
      Push(TAvmValue::Bool(x || y));
      break;
    }
    case acNot:
      Push(TAvmValue::Bool(!Pop().ToBool(version_)));
      break;
    case acLess2: {
      const TAvmValue x = Pop(), y = Pop();
      Push(Less2(y, x));
      break;
    }
    case acGreater: {
      const TAvmValue x = Pop(), y = Pop();
      Push(Less2(x, y));
      break;
    }
    case acEquals2: {
      const TAvmValue x = Pop(), y = Pop();
      Push(TAvmValue::Bool(Equals2(y, x)));
      break;
    }
    case acStrictEquals: {
      const TAvmValue x = Pop(), y = Pop();
      Push(TAvmValue::Bool(x.type == y.type && Equals2(y, x)));
      break;
    }
    default:
      return false;
  }
  return true;
}

bool TAvm1::RunStringAction(uint8_t code) {
  switch (code) {
    case acStringEquals: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      Push(TAvmValue::Bool(x == y));
      break;
    }
    case acStringLess: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      Push(TAvmValue::Bool(y < x));
      break;
    }
    case acStringGreater: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      Push(TAvmValue::Bool(y > x));
      break;
    }
    case acStringLength:
    case acMBStringLength:
      Push(TAvmValue::Number(static_cast<double>(Pop().ToString().size())));
      break;
    case acStringExtract:
    case acMBStringExtract: {
      const double count = Num(Pop()), index = Num(Pop());
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
    case acStringAdd: {
      const std::string x = Pop().ToString(), y = Pop().ToString();
      PushText(y + x);
      break;
    }
    case acCharToAscii:
    case acMBCharToAscii: {
      const std::string s = Pop().ToString();
      Push(TAvmValue::Number(s.empty() ? 0 : static_cast<unsigned char>(s[0])));
      break;
    }
    case acAsciiToChar:
    case acMBAsciiToChar: {
      const double n = Num(Pop());
      PushText(std::string(1, static_cast<char>(std::isfinite(n) ? static_cast<int64_t>(n) & 0xFF : 0)));
      break;
    }
    case acToString: {
      TAvmValue v = Pop();
      if (v.type == TAvmValue::vtString)
        Push(std::move(v));
      else
        PushText(v.ToString());
      break;
    }
    case acTypeOf: {
      const TAvmValue v = Pop();
      static constexpr const char* kNames[] = {"undefined", "null", "boolean", "number", "string", "movieclip"};
      PushText(kNames[v.type]);
      break;
    }
    default:
      return false;
  }
  return true;
}

bool TAvm1::RunStackAction(const TActionRecord& a) {
  TSwfBitReader in(a.data);
  switch (a.code) {
    case acPush:
      PushData(a);
      break;
    case acPop:
    case acTrace:
    case acRemoveSprite:
    case acCall:
    case acWaitForFrame2:
      Pop();
      break;
    case acCloneSprite:  // depth, target, source
      Pop();
      Pop();
      Pop();
      break;
    case acPushDuplicate:
      Push(stack_.empty() ? TAvmValue{} : stack_.back());
      break;
    case acStackSwap: {
      TAvmValue x = Pop(), y = Pop();
      Push(std::move(x));
      Push(std::move(y));
      break;
    }
    case acStoreRegister: {
      const uint8_t r = in.ReadByte();
      if (r < 4) registers_[r] = stack_.empty() ? TAvmValue{} : stack_.back();
      break;
    }
    case acConstantPool: {
      constants_.clear();
      const uint16_t count = in.ReadWord();
      for (uint16_t k = 0; k < count && !in.AtEnd() && !cutOff_; ++k) constants_.push_back(Text(in.ReadString()));
      break;
    }
    case acRandomNumber: {  // a fixed sequence, so that runs repeat
      const double max = Num(Pop());
      random_ = random_ * 1103515245u + 12345u;
      Push(TAvmValue::Number(max >= 1 && std::isfinite(max) ? std::floor((random_ >> 8) % static_cast<uint32_t>(
                                                                  std::min(max, 4294967295.0)))
                                                            : 0));
      break;
    }
    case acGetTime:
      Push(TAvmValue::Number(std::floor(display_.CurrentTick() * 1000.0 / std::max(1.0, movie_.frameRate))));
      break;
    default:
      return false;
  }
  return true;
}

bool TAvm1::RunVariableAction(TDisplayObject& target, uint8_t code) {
  switch (code) {
    case acGetVariable: {
      const std::string name = Pop().ToString();
      Push(GetVariable(target, name));
      break;
    }
    case acSetVariable:
    case acDefineLocal: {
      const TAvmValue value = Pop();
      SetVariable(target, Pop().ToString(), value);
      break;
    }
    case acDefineLocal2: {
      const std::string name = Pop().ToString();
      if (!target.variables.count(Key(name))) SetVariable(target, name, {});
      break;
    }
    case acDelete:  // object, name
      Pop();
      Pop();
      Push(TAvmValue::Bool(false));
      break;
    case acDelete2: {
      const std::string name = Pop().ToString();
      Push(TAvmValue::Bool(target.variables.erase(Key(name)) > 0));
      break;
    }
    case acGetProperty: {
      const double index = Num(Pop());
      const TAvmValue t = Pop();
      TDisplayObject* o = t.ToString().empty() ? &target : ClipOf(target, t);
      Push(o && std::isfinite(index) ? GetProperty(*o, static_cast<int>(index)) : TAvmValue{});
      break;
    }
    case acSetProperty: {
      const TAvmValue value = Pop();
      const double index = Num(Pop());
      const TAvmValue t = Pop();
      TDisplayObject* o = t.ToString().empty() ? &target : ClipOf(target, t);
      if (o && std::isfinite(index)) SetProperty(*o, static_cast<int>(index), value);
      break;
    }
    case acGetMember: {  // object, name
      const std::string name = Pop().ToString();
      const TAvmValue object = Pop();
      TDisplayObject* o = object.type == TAvmValue::vtClip ? object.clip.lock().get() : nullptr;
      Push(o ? GetVariable(*o, name) : TAvmValue{});
      break;
    }
    case acSetMember: {  // object, name, value
      const TAvmValue value = Pop();
      const std::string name = Pop().ToString();
      const TAvmValue object = Pop();
      if (object.type == TAvmValue::vtClip)
        if (auto o = object.clip.lock()) SetVariable(*o, name, value);
      break;
    }
    case acCallFunction:  // name, count, arguments
    case acCallMethod: {  // name, object, count, arguments
      Pop();
      if (code == acCallMethod) Pop();
      const double count = Num(Pop());
      for (int k = 0; k < count && k < 256 && !stack_.empty(); ++k) Pop();
      Push({});
      break;
    }
    default:
      return false;
  }
  return true;
}

bool TAvm1::RunMovieControl(TDisplayObject*& target, TDisplayObject& origin, const TActionRecord& a) {
  TSwfBitReader in(a.data);
  switch (a.code) {
    case acNextFrame:
    case acPreviousFrame:
      display_.GotoFrame(*target, target->currentFrame + (a.code == acNextFrame ? 1 : -1));
      target->playing = false;
      break;
    case acPlay:
    case acStop:
      target->playing = a.code == acPlay;
      break;
    case acGotoFrame:
      display_.GotoFrame(*target, in.ReadWord());
      break;
    case acGotoFrame2:
      GotoFrame2(*target, in);
      break;
    case acGoToLabel:
      GotoLabel(*target, in.ReadString());
      break;
    case acSetTarget:
    case acSetTarget2: {
      const std::string path = a.code == acSetTarget ? in.ReadString() : Pop().ToString();
      TDisplayObject* t = path.empty() ? &origin : ResolveTarget(origin, path);
      target = t ? t : &origin;
      break;
    }
    case acGetUrl: {
      const std::string url = in.ReadString();
      host_.GetUrl(url, in.ReadString());
      break;
    }
    case acGetUrl2: {
      const std::string window = Pop().ToString();
      const std::string url = Pop().ToString();
      host_.GetUrl(url, window);
      break;
    }
    case acStartDrag:
      StartDrag(*target);
      break;
    case acEndDrag:
      host_.EndDrag();
      break;
    default:
      return false;  // quality, sounds, WaitForFrame (every frame is loaded), ...
  }
  return true;
}

void TAvm1::StartDrag(TDisplayObject& target) {
  TDisplayObject* dragged = ClipOf(target, Pop());
  const bool lock = Pop().ToBool(version_);
  const bool constrained = Pop().ToBool(version_);
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (constrained) {
    y2 = Num(Pop());
    x2 = Num(Pop());
    y1 = Num(Pop());
    x1 = Num(Pop());
  }
  if (dragged) host_.StartDrag(*dragged, lock, constrained, x1, y1, x2, y2);
}

void TAvm1::GotoFrame2(TDisplayObject& target, TSwfBitReader& in) {
  const uint8_t flags = in.ReadByte();
  const int bias = (flags & kGotoFrame2SceneBias) ? in.ReadWord() : 0;
  const bool play = flags & kGotoFrame2Play;
  const TAvmValue frame = Pop();
  TDisplayObject* clip = &target;
  double number = frame.ToNumber();
  if (frame.type == TAvmValue::vtString && std::isnan(number)) {
    std::string label = frame.Text();
    const size_t colon = label.rfind(':');
    if (colon != std::string::npos) {
      clip = ResolveTarget(target, label.substr(0, colon));
      label = label.substr(colon + 1);
    }
    number = StringToNumber(label);
    if (clip && std::isnan(number)) {
      GotoLabel(*clip, label);
      clip->playing = play;
      return;
    }
  }
  if (clip && std::isfinite(number)) {
    display_.GotoFrame(*clip, static_cast<int>(std::clamp(number, -1.0, 70000.0)) - 1 + bias);
    clip->playing = play;
  }
}

}  // namespace tessaly::player
