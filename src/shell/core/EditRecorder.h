#pragma once
// Undo and redo of every change to the document. The recorder keeps the
// document as it was last noticed; each notice (the application calls
// Notice wherever the document asks for a preview rebuild, which every edit
// does) compares the document with it, and a change in the design becomes
// an undo step named after what changed. Selecting an item alone is no
// step, and neither is what the editing preview writes into the items.

#include "document/BannerDocument.h"
#include "shell/core/DocumentState.h"
#include "shell/core/UndoHistory.h"

namespace tessaly::shell {

class TEditRecorder {
 public:
  // The document outlives the recorder.
  explicit TEditRecorder(document::TBannerDocument& document, TClock clock = std::chrono::steady_clock::now);

  // The document may have changed since the last notice.
  void Notice();
  // Starts afresh from the document as it is, with no steps (New, Open, a
  // recovered banner).
  void Reset();

  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  const char* UndoName() const { return history_.UndoName(); }
  const char* RedoName() const { return history_.RedoName(); }

  // The document as it is now was saved (or opened, or is new): edits not
  // noticed yet become a step first.
  void MarkSaved();

  // Put the document back as it was before the last step / after the next
  // undone step: the document is marked changed unless that is the saved
  // position, and asks for a rebuild.
  // False when there is nothing to undo / redo.
  bool Undo();
  bool Redo();

  const TUndoHistory& History() const { return history_; }

 private:
  void Restore(const TDocumentState& state);

  document::TBannerDocument& document_;
  TUndoHistory history_;
  TDocumentState noticed_;
};

}  // namespace tessaly::shell
