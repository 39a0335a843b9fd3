#include "shell/core/EditHistory.h"

#include <unistd.h>

#include <filesystem>
#include <utility>

#include "platform/SafeFile.h"
#include "shell/core/RecoveryFile.h"
#include "shell/core/UiText.h"
#include "shell/core/UserDialogs.h"

namespace tessaly::shell {
namespace {

// An Edit menu command's caption, followed by the step's name when there is one.
QString MenuText(const char* caption, const char* stepName) {
  return stepName == nullptr ? Ui(caption) : Ui(caption) + ' ' + Ui(stepName);
}

}  // namespace

TEditHistory::TEditHistory(document::TBannerDocument& document, std::string recoveryFolder, TClock clock,
                           QObject* parent)
    : QObject(parent),
      document_(document),
      clock_(clock),
      recorder_(document, clock),
      recoveryFolder_(std::move(recoveryFolder)),
      writer_(RecoveryPath(recoveryFolder_, ::getpid())) {
  recoveryTimer_.setSingleShot(true);
  connect(&recoveryTimer_, &QTimer::timeout, this, &TEditHistory::WriteRecovery);
}

TEditHistory::~TEditHistory() { writer_.Remove(); }

void TEditHistory::Edited() {
  if (noticePosted_) return;
  noticePosted_ = true;
  QMetaObject::invokeMethod(this, &TEditHistory::Notice, Qt::QueuedConnection);
}

void TEditHistory::Notice() {
  noticePosted_ = false;
  if (building_) {
    noticeWaiting_ = true;
    return;
  }
  const auto steps = [this] { return std::make_pair(recorder_.UndoName(), recorder_.RedoName()); };
  const auto before = steps();
  recorder_.Notice();
  if (!dumpPath_.empty()) WriteRecoveryFile(dumpPath_, RecoveryBytes(StateOf(document_)));
  if (document_.ChangeMade) {
    schedule_.Changed(clock_());
    ArmRecoveryTimer();
  }
  if (steps() != before) emit HistoryChanged();
}

void TEditHistory::BuildEnded() {
  building_ = false;
  if (std::exchange(noticeWaiting_, false)) Notice();
  if (std::exchange(recoveryWaiting_, false)) WriteRecovery();
}

void TEditHistory::Replaced() {
  recorder_.Reset();
  emit HistoryChanged();
}

void TEditHistory::Saved() {
  recorder_.MarkSaved();
  emit HistoryChanged();
}

void TEditHistory::ChangeMadeChanged(bool changeMade) {
  if (changeMade) {
    schedule_.Changed(clock_());
    ArmRecoveryTimer();
    return;
  }
  schedule_.Cleared();
  recoveryTimer_.stop();
  writer_.Remove();
}

QString TEditHistory::UndoText() const { return MenuText(text::MenuUndo, recorder_.UndoName()); }

QString TEditHistory::RedoText() const { return MenuText(text::MenuRedo, recorder_.RedoName()); }

bool TEditHistory::Undo() {
  const bool undone = recorder_.Undo();
  emit HistoryChanged();
  return undone;
}

bool TEditHistory::Redo() {
  const bool redone = recorder_.Redo();
  emit HistoryChanged();
  return redone;
}

void TEditHistory::ArmRecoveryTimer() {
  const std::optional<TRecoverySchedule::TTime> due = schedule_.Due();
  if (!due) return;
  const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(*due - clock_());
  recoveryTimer_.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
}

void TEditHistory::WriteRecovery() {
  if (building_) {
    recoveryWaiting_ = true;
    return;
  }
  if (!schedule_.Due() || !document_.ChangeMade) return;
  if (*schedule_.Due() > clock_()) {
    ArmRecoveryTimer();
    return;
  }
  WriteSnapshot();
}

void TEditHistory::WriteRecoveryNow() {
  if (schedule_.Due() && document_.ChangeMade) WriteSnapshot();
  writer_.Wait();
}

void TEditHistory::WriteSnapshot() {
  // The snapshot is taken here, on the window thread; the writer formats
  // and writes it on its own.
  writer_.Write(StateOf(document_));
  schedule_.Written(clock_());
}

std::optional<TDocumentState> TEditHistory::OfferRecovery(TUserDialogs& dialogs) {
  for (const std::string& orphan : OrphanRecoveryFiles(recoveryFolder_)) {
    if (!ClaimRecoveryFile(orphan, writer_.Path())) continue;
    if (!dialogs.AskYesNo(Ui(RecoveryQuestion))) {
      writer_.Remove();
      writer_.Wait();
      continue;
    }
    try {
      return StateFromRecovery(platform::ReadWholeFile(writer_.Path()));
    } catch (const std::exception& error) {
      dialogs.ShowMessage(Ui(RecoveryDamaged) + QString::fromStdString(error.what()));
      writer_.Remove();
      writer_.Wait();
    }
  }
  return std::nullopt;
}

void TEditHistory::ReportMissingPictures(const TDocumentState& state, TUserDialogs& dialogs) {
  const std::vector<std::string> missing = MissingPictures(state);
  if (missing.empty()) return;
  QString message = Ui(RecoveryMissingPictures);
  for (const std::string& path : missing) message += '\n' + QString::fromStdString(path);
  dialogs.ShowMessage(message);
}

}  // namespace tessaly::shell
