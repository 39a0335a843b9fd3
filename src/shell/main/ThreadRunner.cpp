#include "shell/main/ThreadRunner.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <exception>
#include <thread>

#include "shell/core/UiText.h"

namespace tessaly::shell {

namespace {

// Keeps the keyboard, the mouse and the shortcuts away from the window and
// its menus while a build uses the document; dialogs (the save dialog, the
// progress dialog) still get them. A field of the window that loses the
// focus meanwhile (a dialog comes up) does not hand its text over to the
// document either: it does so when it loses the focus after the build.
class TInputBlocker : public QObject {
 public:
  explicit TInputBlocker(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  ~TInputBlocker() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    return IsBlocked(event->type()) && OfWindow(watched);
  }

 private:
  static bool IsBlocked(QEvent::Type type) {
    switch (type) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::FocusOut:
        return true;
      default:
        return false;
    }
  }

  // object is the window, one of its widgets, menus or actions, and not
  // part of a dialog opened over it.
  bool OfWindow(const QObject* object) const {
    for (; object != nullptr; object = object->parent()) {
      if (object == window_) return true;
      if (qobject_cast<const QDialog*>(object) != nullptr) return false;
    }
    return false;
  }

  QWidget* window_;
};

const char* PhaseText(document::TBuildPhase phase) {
  switch (phase) {
    case document::TBuildPhase::bpEffects:
      return text::BuildingEffects;
    case document::TBuildPhase::bpObjects:
      return text::WritingObjects;
    case document::TBuildPhase::bpFile:
      return text::WritingFile;
  }
  return text::BuildingMovie;
}

}  // namespace

void TThreadRunner::Run(const std::function<void()>& build, TBuildProgress& progress) {
  const TInputBlocker blocker(window_);
  QEventLoop loop;
  std::exception_ptr failure;
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    try {
      build();
    } catch (...) {
      failure = std::current_exception();
    }
    finished = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });

  QProgressDialog dialog(Ui(text::BuildingMovie), Ui(text::Cancel), 0, 100, window_);
  dialog.setWindowTitle(Ui(text::BuildingMovie));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(0);
  dialog.setAutoReset(false);
  dialog.reset();
  dialog.hide();
  QObject::connect(&dialog, &QProgressDialog::canceled, [&] { progress.Cancelled = true; });

  // The dialog appears once the build proper has run for ProgressDelay and
  // follows the build's percent and stage.
  QElapsedTimer sinceStart;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!progress.Started || finished || progress.Cancelled) return;
    if (!sinceStart.isValid()) sinceStart.start();
    if (sinceStart.elapsed() < ProgressDelay) return;
    dialog.setLabelText(Ui(PhaseText(progress.Phase)));
    dialog.setValue(progress.Percent);
    if (!dialog.isVisible()) dialog.show();
  });
  poll.start(50);
  if (!finished) loop.exec();
  worker.join();
  poll.stop();
  dialog.hide();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace tessaly::shell
