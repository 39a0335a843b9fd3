#include "swf/FlashObjects.h"

#include <algorithm>
#include <cmath>

namespace tessaly::swf {

// ---- TFlashObject ----

void TFlashObject::SetOwner(TFlashMovie* owner) {
  owner_ = owner;
  OwnerChanged();
}

uint8_t TFlashObject::UnitsFactor() const { return owner_ ? owner_->UnitsFactor() : 1; }

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

// ---- TFlashMovie ----

TFlashMovie::TFlashMovie(int32_t xmin, int32_t ymin, int32_t xmax, int32_t ymax, double frameRate, bool pixelUnits) {
  SetPixelUnits(pixelUnits);
  const int32_t f = UnitsFactor();
  SetFrameSize(TRect{xmin * f, ymin * f, xmax * f, ymax * f});
  SetFrameRate(frameRate);
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

}  // namespace tessaly::swf
