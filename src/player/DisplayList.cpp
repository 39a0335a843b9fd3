#include "player/DisplayList.h"

#include <algorithm>

namespace tessaly::player {

TDisplayObject::~TDisplayObject() {
  for (auto& [depth, child] : children)
    if (child->parent == this) child->parent = nullptr;
}

TSwfMatrix TDisplayObject::WorldMatrix() const {
  TSwfMatrix m = matrix;
  for (const TDisplayObject* p = parent; p; p = p->parent) m = p->matrix * m;
  return m;
}

std::string TDisplayObject::TargetPath() const {
  if (!parent) return "_level0";
  return parent->TargetPath() + "." + name;
}

TDisplayList::TDisplayList(const TMovieDef& movie) : movie_(movie), root_(std::make_shared<TDisplayObject>()) {
  root_->timeline = &movie.timeline;
}

void TDisplayList::Warn(const std::string& text) {
  if (warnings_.size() < 100 && std::find(warnings_.begin(), warnings_.end(), text) == warnings_.end())
    warnings_.push_back(text);
}

int TDisplayList::Nesting(const TDisplayObject* object) const {
  int n = 0;
  for (; object; object = object->parent) ++n;
  return n;
}

void TDisplayList::Start() {
  instantiations_ = 0;
  root_->children.clear();
  root_->currentFrame = -1;
  root_->playing = true;
  EnterFrame(*root_, 0, true);
}

TDisplayObjectPtr TDisplayList::Instantiate(const TCharacter* character, TDisplayObject* parent, int nesting) {
  if (nesting > kMaxNesting) {
    Warn("instances nest deeper than " + std::to_string(kMaxNesting) + " levels; the deeper ones are left out");
    return nullptr;
  }
  if (++instantiations_ > kMaxInstantiationsPerTick) {
    Warn("more than " + std::to_string(kMaxInstantiationsPerTick) +
         " instances are created in one frame; the rest are left out");
    return nullptr;
  }
  auto object = std::make_shared<TDisplayObject>();
  object->character = character;
  object->parent = parent;
  object->bornTick = tick_;
  if (character->kind == TCharacterKind::ckSprite) {
    object->timeline = &static_cast<const TSpriteDef*>(character)->timeline;
    EnterFrame(*object, 0, true);
  } else if (character->kind == TCharacterKind::ckButton) {
    BuildButtonChildren(*object);
  }
  return object;
}

void TDisplayList::BuildButtonChildren(TDisplayObject& button) {
  button.children.clear();
  const auto& def = static_cast<const TButtonDef&>(*button.character);
  const int nesting = Nesting(&button);
  for (const TButtonRecord& r : def.records) {
    if (!(r.states & button.buttonState)) continue;
    const TCharacter* c = movie_.Find(r.characterId);
    if (c && c->definedAt >= def.definedAt) {
      Warn("button " + std::to_string(def.id) + " shows character " + std::to_string(r.characterId) +
           ", which is not defined before it");
      continue;
    }
    if (!c) {
      Warn("button " + std::to_string(def.id) + " shows the undefined character " + std::to_string(r.characterId));
      continue;
    }
    if (c->kind == TCharacterKind::ckBitmap || c->kind == TCharacterKind::ckFont) continue;
    auto child = Instantiate(c, &button, nesting + 1);
    if (!child) continue;
    child->depth = r.depth;
    child->matrix = r.matrix;
    child->colorTransform = r.colorTransform;
    button.children[r.depth] = std::move(child);
  }
}

void TDisplayList::SetButtonState(TDisplayObject& button, uint8_t state) {
  if (!button.IsButton() || button.buttonState == state) return;
  button.buttonState = state;
  BuildButtonChildren(button);
}

void TDisplayList::SetProperties(TDisplayObject& object, const TPlaceCommand& p) const {
  if (!object.scriptControlled) {
    if (p.hasMatrix) object.matrix = p.matrix;
    if (p.hasColorTransform) object.colorTransform = p.colorTransform;
  }
  if (p.hasRatio) object.ratio = p.ratio;
  if (p.hasName) object.name = p.name;
  if (p.hasClipDepth) object.clipDepth = p.clipDepth;
}

void TDisplayList::Apply(TDisplayObject& clip, const TDisplayCommand& command) {
  const TPlaceCommand& p = command.place;
  if (command.kind == TDisplayCommand::dcRemove) {
    clip.children.erase(p.depth);
    return;
  }
  auto existing = clip.children.find(p.depth);
  const bool occupied = existing != clip.children.end();
  if (p.move && occupied && !p.hasCharacter) {
    SetProperties(*existing->second, p);
    return;
  }
  if (!p.hasCharacter) return;  // a move of an empty depth
  const TCharacter* c = movie_.Find(p.characterId);
  if (c && c->definedAt > p.tagIndex) {
    Warn("character " + std::to_string(p.characterId) + " is placed before it is defined");
    return;
  }
  if (!c) {
    Warn("a placement at depth " + std::to_string(p.depth) + " uses the undefined character " +
         std::to_string(p.characterId));
    return;
  }
  if (c->kind == TCharacterKind::ckBitmap || c->kind == TCharacterKind::ckFont) {
    Warn("character " + std::to_string(p.characterId) + " cannot be placed");
    return;
  }
  if (p.move && occupied && existing->second->character == c) {
    SetProperties(*existing->second, p);
    return;
  }
  auto object = Instantiate(c, &clip, Nesting(&clip) + 1);
  if (!object) return;
  object->depth = p.depth;
  if (p.move && occupied) {
    // Replacing the character keeps what the placement does not give anew.
    const TDisplayObject& old = *existing->second;
    object->matrix = old.matrix;
    object->colorTransform = old.colorTransform;
    object->ratio = old.ratio;
    object->name = old.name;
    object->clipDepth = old.clipDepth;
  }
  SetProperties(*object, p);
  clip.children[p.depth] = std::move(object);
}

void TDisplayList::EnterFrame(TDisplayObject& clip, int frame, bool queueActions) {
  const TFrame& f = clip.timeline->frames[static_cast<size_t>(frame)];
  clip.currentFrame = frame;
  // A frame's own actions run before those of the instances it places.
  if (queueActions)
    for (const TActionList& a : f.actions) queue_.push_back({clip.weak_from_this(), &a});
  for (const TDisplayCommand& c : f.commands) Apply(clip, c);
}

void TDisplayList::Rebuild(TDisplayObject& clip, int frame) {
  // The placements in force at the target frame, replayed from frame 0.
  std::map<uint16_t, TPlaceCommand> state;
  for (int i = 0; i <= frame; ++i) {
    for (const TDisplayCommand& c : clip.timeline->frames[static_cast<size_t>(i)].commands) {
      const TPlaceCommand& p = c.place;
      if (c.kind == TDisplayCommand::dcRemove) {
        state.erase(p.depth);
        continue;
      }
      auto it = state.find(p.depth);
      if (p.move && it != state.end()) {
        TPlaceCommand& s = it->second;
        if (p.hasCharacter) s.characterId = p.characterId;
        if (p.hasMatrix) s.matrix = p.matrix;
        if (p.hasColorTransform) s.colorTransform = p.colorTransform;
        if (p.hasRatio) s.ratio = p.ratio;
        if (p.hasName) s.name = p.name;
        if (p.hasClipDepth) s.clipDepth = p.clipDepth;
        continue;
      }
      if (!p.hasCharacter) continue;
      TPlaceCommand s = p;
      s.move = false;
      s.hasMatrix = s.hasColorTransform = s.hasRatio = s.hasName = s.hasClipDepth = true;
      if (!p.hasMatrix) s.matrix = TSwfMatrix{};
      if (!p.hasColorTransform) s.colorTransform = TColorTransform{};
      state[p.depth] = s;
    }
  }
  for (auto it = clip.children.begin(); it != clip.children.end();) {
    auto s = state.find(it->first);
    const bool keep = s != state.end() && it->second->character &&
                      it->second->character->id == s->second.characterId;
    it = keep ? std::next(it) : clip.children.erase(it);
  }
  for (const auto& [depth, p] : state) {
    auto it = clip.children.find(depth);
    if (it != clip.children.end()) {
      SetProperties(*it->second, p);
      continue;
    }
    Apply(clip, TDisplayCommand{TDisplayCommand::dcPlace, p});
  }
}

void TDisplayList::GotoFrame(TDisplayObject& clip, int frame) {
  if (!clip.IsClip()) return;
  frame = std::clamp(frame, 0, clip.FrameCount() - 1);
  if (frame == clip.currentFrame) return;
  if (frame > clip.currentFrame) {
    for (int f = clip.currentFrame + 1; f < frame; ++f) EnterFrame(clip, f, false);
    EnterFrame(clip, frame, true);
    return;
  }
  clip.currentFrame = frame;
  for (const TActionList& a : clip.timeline->frames[static_cast<size_t>(frame)].actions)
    queue_.push_back({clip.weak_from_this(), &a});
  Rebuild(clip, frame);
}

void TDisplayList::Advance(TDisplayObject& object, bool isRoot, bool loopRoot) {
  if (object.IsClip() && object.playing) {
    const int next = object.currentFrame + 1;
    if (next < object.FrameCount())
      GotoFrame(object, next);
    else if (!isRoot || loopRoot)
      GotoFrame(object, 0);
    else
      object.playing = false;
  }
  std::vector<TDisplayObjectPtr> children;
  children.reserve(object.children.size());
  for (const auto& [depth, child] : object.children)
    if (child->bornTick < tick_) children.push_back(child);
  for (const auto& child : children)
    if (child->parent == &object) Advance(*child, false, loopRoot);
}

void TDisplayList::Tick(bool loopRoot) {
  ++tick_;
  instantiations_ = 0;
  Advance(*root_, true, loopRoot);
}

}  // namespace tessaly::player
