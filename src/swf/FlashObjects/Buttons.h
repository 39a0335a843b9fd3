#pragma once
// Button characters with their records and the actions of transitions.

#include <cstdint>
#include <memory>

#include "swf/FlashObjects/Objects.h"

namespace tessaly::swf {

// A button's definition: DefineButton2 (or a plain DefineButton) and
// whether it tracks as a menu.
struct TButtonOptions {
  bool TrackAsMenu = false;
  bool UseButton2 = true;
};

// A button character: DefineButton2 (records with colour transforms and
// actions per transition) or a plain DefineButton with one action list.
class TFlashButton : public TFlashVisualObject {
 public:
  TFlashButton(TFlashMovie* owner, TButtonOptions options);

  bool UseButton2() const { return button2_ != nullptr; }
  // Only one of the two exists, as UseButton2 says.
  TSWFDefineButton2* Button2() { return button2_.get(); }
  TSWFDefineButton* Button() { return button_.get(); }

  // States: bsUp | bsOver | bsDown | bsHitTest (15 = all four).
  TSWFButtonRecord& AddRecord(const TFlashObject& obj, uint8_t states, uint16_t depth);
  TSWFButtonRecord& AddRecordByID(uint16_t characterID, uint8_t states, uint16_t depth);

  // The button's one action view, pointed at the list of the mouse press
  // (over-up to over-down) or release (over-down to over-up) transition.
  TFlashActionScript& OnPress() { return FindActionEvent(bcOverUpToOverDown); }
  TFlashActionScript& OnRelease() { return FindActionEvent(bcOverDownToOverUp); }
  // The first condition action holding the transition, created when there
  // is none. A plain button has only its own list.
  TFlashActionScript& FindActionEvent(TSWFButtonCondition condition);

  // 1; 3 for DefineButton2.
  uint8_t MinVersion() const override { return button2_ ? 3 : 1; }
  void SetCharacterID(uint16_t id) override;
  void WriteToStream(TBitsEngine& be) override;

 private:
  std::unique_ptr<TSWFDefineButton2> button2_;
  std::unique_ptr<TSWFDefineButton> button_;
  TFlashActionScript actions_;
};

}  // namespace tessaly::swf
