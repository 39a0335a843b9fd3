#pragma once
// The steps that undo and redo walk: each holds the document before and
// after an edit and the edit's name.
//
// Merging: an edit joins the last step instead of starting a new one when
//  - that step is the last one recorded and nothing was undone, redone or
//    sealed since,
//  - both have the same action, item and changed fields, the action being
//    one that merges (MergingAction: nudges, arrow clicks or typing in one
//    field, one group of banner settings), and
//  - the edit comes at most MergeWindow after the step's latest edit.
// So ten nudges of one item in a row are one step, as are the arrow clicks
// on one field; a pause, another field or another item starts a new step.
//
// The saved position: MarkSaved notes the point of the history that equals
// the document as last saved (or opened, or new); IsAtSaved tells whether
// undo or redo has come back to exactly that point. A new edit after an
// undo past it, or the limit dropping it, makes it unreachable until the
// next MarkSaved.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "shell/core/DocumentState.h"
#include "shell/core/EditSteps.h"

namespace tessaly::shell {

using TClock = std::function<std::chrono::steady_clock::time_point()>;

inline constexpr std::chrono::milliseconds MergeWindow{1500};
// The oldest steps are dropped beyond this many.
inline constexpr std::size_t UndoLimit = 200;

class TUndoHistory {
 public:
  // clock gives the time of each edit (tests give their own).
  explicit TUndoHistory(TClock clock = std::chrono::steady_clock::now);

  // An edit led from before to after: a new step, or the last one extended.
  // Steps that were undone are dropped.
  void Record(const TEdit& edit, const TDocumentState& before, const TDocumentState& after);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // The name of the step that Undo / Redo would take back or do again;
  // nullptr when there is none.
  const char* UndoName() const;
  const char* RedoName() const;

  // Steps back over the last step done and returns the document before it;
  // only when CanUndo.
  const TDocumentState& Undo();
  // Does the next undone step again and returns the document after it;
  // only when CanRedo.
  const TDocumentState& Redo();

  // The next edit starts a step of its own.
  void Seal() { open_ = false; }
  // No steps; the saved position is unknown until MarkSaved.
  void Clear();

  // The document as it stands now is the saved one; the next edit starts a
  // step of its own.
  void MarkSaved();
  bool IsAtSaved() const { return saved_ == done_; }

  std::size_t StepCount() const { return steps_.size(); }

 private:
  struct TStep {
    TEdit Edit;
    std::shared_ptr<const TDocumentState> Before;
    std::shared_ptr<const TDocumentState> After;
    std::chrono::steady_clock::time_point LastEdit;
  };

  // The oldest step goes (the limit); the saved position moves with it.
  void DropOldestStep();
  bool JoinsLastStep(const TEdit& edit, std::chrono::steady_clock::time_point now) const;
  // before as a shared value, the last step's After when it is the same.
  std::shared_ptr<const TDocumentState> SharedBefore(const TDocumentState& before) const;

  TClock clock_;
  std::vector<TStep> steps_;
  std::size_t done_ = 0;
  bool open_ = false;
  // The number of steps done at the saved position; none when unreachable.
  std::optional<std::size_t> saved_;
};

}  // namespace tessaly::shell
