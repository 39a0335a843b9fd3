#include "swf/FlashObjects/Objects.h"

#include <algorithm>

#include "swf/FlashObjects/Movie.h"

namespace tessaly::swf {

void TFlashObject::SetOwner(TFlashMovie* owner) {
  owner_ = owner;
  OwnerChanged();
}

uint8_t TFlashObject::UnitsFactor() const { return owner_ ? owner_->UnitsFactor() : 1; }
void TFlashVisualObject::SetIgnoreMovieUnits(bool ignore) {
  ignoreMovieUnits_ = ignore;
  OwnerChanged();
}

uint8_t TFlashVisualObject::UnitsFactor() const { return ignoreMovieUnits_ ? 1 : TFlashIDObject::UnitsFactor(); }
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

}  // namespace tessaly::swf
