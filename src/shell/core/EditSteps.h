#pragma once
// What an edit did, told from the document before and after it: the action,
// the item it touched and the fields it changed. The undo history names its
// steps with this and merges a burst of the same edit into one step.

#include <string>
#include <vector>

#include "shell/core/DocumentState.h"

namespace tessaly::shell {

enum class TEditAction {
  eaAdd,         // an item was appended
  eaDelete,      // an item was marked deleted
  eaUndelete,    // the last deleted item came back ("撤销删除")
  eaMove,        // an item's position changed (drag, centring)
  eaNudge,       // an item moved by one pixel
  eaEditItem,    // other fields of one item
  eaReorder,     // the items were put in another order
  eaSize,        // the banner's width or height
  eaBackground,  // background, outline and border
  eaAnimation,   // the effect and its settings
  eaMovie,       // click address, target window, compression, version
  eaBanner,      // anything else, or several of the above at once
};

struct TEdit {
  TEditAction Action = TEditAction::eaBanner;
  int Item = 0;                     // the item edited; 0 for banner-wide edits
  std::vector<std::string> Fields;  // the keys of the fields that changed
  const char* Name = "";            // the step's name (untranslated, see EditName)

  bool operator==(const TEdit&) const = default;
};

// The edit that leads from before to after (two states of different design).
TEdit EditBetween(const TDocumentState& before, const TDocumentState& after);

// The name of an edit as the Edit menu shows it after "撤销" / "重做", e.g.
// "移动外形"; marked for translation under the context "Tessaly". kind
// applies to the item actions only.
const char* EditName(TEditAction action, document::ItemKind kind);

// Whether repeated edits of this action on the same fields of the same item
// may merge into one step (nudges, arrow clicks and typing in one field).
bool MergingAction(TEditAction action);

}  // namespace tessaly::shell
