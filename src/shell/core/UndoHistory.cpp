#include "shell/core/UndoHistory.h"

namespace tessaly::shell {

TUndoHistory::TUndoHistory(TClock clock) : clock_(std::move(clock)) {}

bool TUndoHistory::JoinsLastStep(const TEdit& edit, std::chrono::steady_clock::time_point now) const {
  if (!open_ || done_ == 0 || done_ != steps_.size()) return false;
  const TStep& last = steps_.back();
  return MergingAction(edit.Action) && last.Edit == edit && now - last.LastEdit <= MergeWindow;
}

std::shared_ptr<const TDocumentState> TUndoHistory::SharedBefore(const TDocumentState& before) const {
  if (done_ > 0 && *steps_[done_ - 1].After == before) return steps_[done_ - 1].After;
  return std::make_shared<const TDocumentState>(before);
}

void TUndoHistory::Record(const TEdit& edit, const TDocumentState& before, const TDocumentState& after) {
  const auto now = clock_();
  if (JoinsLastStep(edit, now)) {
    steps_.back().After = std::make_shared<const TDocumentState>(after);
    steps_.back().LastEdit = now;
    return;
  }
  auto shared = SharedBefore(before);
  // The undone steps go, and with them a saved position among them.
  if (saved_ > done_) saved_.reset();
  steps_.resize(done_);
  steps_.push_back({edit, std::move(shared), std::make_shared<const TDocumentState>(after), now});
  if (steps_.size() > UndoLimit) DropOldestStep();
  done_ = steps_.size();
  open_ = true;
}

void TUndoHistory::DropOldestStep() {
  steps_.erase(steps_.begin());
  if (saved_ == 0u)
    saved_.reset();
  else if (saved_)
    --*saved_;
}

const char* TUndoHistory::UndoName() const { return CanUndo() ? steps_[done_ - 1].Edit.Name : nullptr; }

const char* TUndoHistory::RedoName() const { return CanRedo() ? steps_[done_].Edit.Name : nullptr; }

const TDocumentState& TUndoHistory::Undo() {
  open_ = false;
  return *steps_[--done_].Before;
}

const TDocumentState& TUndoHistory::Redo() {
  open_ = false;
  return *steps_[done_++].After;
}

void TUndoHistory::Clear() {
  steps_.clear();
  done_ = 0;
  open_ = false;
  saved_.reset();
}

void TUndoHistory::MarkSaved() {
  saved_ = done_;
  open_ = false;
}

}  // namespace tessaly::shell
