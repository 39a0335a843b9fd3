#pragma once
// Undo, redo and the recovery file of the application's document.
//
// Every edit ends in a preview rebuild request; the application passes it
// on to Edited, and once the command has returned (a queued call) the edit
// recorder notices the document. While the document has unsaved changes its
// state is written to the recovery file a few seconds after the last edit,
// at most every RecoveryInterval, on the recovery writer's thread; when the
// changes are saved or dropped, and at a normal end, the file goes.

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/BannerDocument.h"
#include "shell/core/EditRecorder.h"
#include "shell/core/RecoveryWriter.h"

namespace tessaly::shell {

class TUserDialogs;

class TEditHistory : public QObject {
  Q_OBJECT

 public:
  // The document outlives the history; recoveryFolder holds the recovery
  // files of every running program.
  TEditHistory(document::TBannerDocument& document, std::string recoveryFolder, TClock clock = std::chrono::steady_clock::now,
               QObject* parent = nullptr);
  // A normal end: the recovery file is removed.
  ~TEditHistory() override;

  // The document asked for a rebuild.
  void Edited();
  // The document was replaced (New, Open, a recovered banner): no steps, and
  // no saved position until Saved.
  void Replaced();
  // The document as it is now is the saved one (Save, Open, New): undo or
  // redo back to here clears ChangeMade.
  void Saved();
  // The document's ChangeMade went on or off.
  void ChangeMadeChanged(bool changeMade);
  // A build uses the document on another thread: the notice of an edit and
  // the recovery snapshot wait until it has ended, then happen at once.
  void BuildStarted() { building_ = true; }
  void BuildEnded();

  bool CanUndo() const { return recorder_.CanUndo(); }
  bool CanRedo() const { return recorder_.CanRedo(); }
  // "撤销" / "重做", followed by the step's name when there is one.
  QString UndoText() const;
  QString RedoText() const;
  bool Undo();
  bool Redo();

  // The banner of a program that ended without removing its recovery file,
  // when the user wants it back: each such file is taken over and offered
  // in turn ("发现上次未保存的横幅. 是否恢复?"); No removes it, a damaged one
  // is reported and removed. Nothing when there is none or all are declined.
  std::optional<TDocumentState> OfferRecovery(TUserDialogs& dialogs);
  // The pictures the recovered banner names that are missing, reported.
  static void ReportMissingPictures(const TDocumentState& state, TUserDialogs& dialogs);

  // For tests of the whole program: after every edit, the undo and the
  // redo, the document is written to path in the recovery file's form.
  void SetDumpPath(std::string path) { dumpPath_ = std::move(path); }

  // Writes the recovery file now when changes wait, and waits for it.
  void WriteRecoveryNow();
  const std::string& RecoveryFilePath() const { return writer_.Path(); }

 signals:
  // The undo or redo step changed: the Edit menu shows them again.
  void HistoryChanged();

 private:
  void Notice();
  void ArmRecoveryTimer();
  void WriteRecovery();
  void WriteSnapshot();

  document::TBannerDocument& document_;
  TClock clock_;
  TEditRecorder recorder_;
  std::string recoveryFolder_;
  TRecoverySchedule schedule_;
  TRecoveryWriter writer_;
  QTimer recoveryTimer_;
  bool noticePosted_ = false;
  bool building_ = false;
  bool noticeWaiting_ = false;
  bool recoveryWaiting_ = false;
  std::string dumpPath_;
};

}  // namespace tessaly::shell
