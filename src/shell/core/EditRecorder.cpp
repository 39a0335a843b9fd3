#include "shell/core/EditRecorder.h"

namespace tessaly::shell {

TEditRecorder::TEditRecorder(document::TBannerDocument& document, TClock clock)
    : document_(document), history_(std::move(clock)), noticed_(StateOf(document)) {}

void TEditRecorder::Notice() {
  TDocumentState now = StateOf(document_);
  if (!SameDesign(noticed_, now)) history_.Record(EditBetween(noticed_, now), noticed_, now);
  noticed_ = std::move(now);
}

void TEditRecorder::Reset() {
  history_.Clear();
  noticed_ = StateOf(document_);
}

void TEditRecorder::MarkSaved() {
  Notice();
  history_.MarkSaved();
}

bool TEditRecorder::Undo() {
  Notice();
  if (!history_.CanUndo()) return false;
  Restore(history_.Undo());
  return true;
}

bool TEditRecorder::Redo() {
  Notice();
  if (!history_.CanRedo()) return false;
  Restore(history_.Redo());
  return true;
}

void TEditRecorder::Restore(const TDocumentState& state) {
  // Noticed first: the rebuild the restore asks for notices the document
  // and must find no edit in it.
  noticed_ = state;
  document_.ChangeMade = !history_.IsAtSaved();
  RestoreState(document_, state);
}

}  // namespace tessaly::shell
