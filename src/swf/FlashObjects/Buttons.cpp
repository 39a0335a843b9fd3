#include "swf/FlashObjects/Buttons.h"

#include "swf/FlashObjects/Movie.h"

namespace tessaly::swf {

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

}  // namespace tessaly::swf
