#include "shell/main/WindowDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "shell/core/UiText.h"
#include "shell/dialogs/AnimatedGifDialog.h"

namespace tessaly::shell {

namespace {

// Runs ask on the window thread and returns its answer.
template <class F>
auto OnWindowThread(F ask) -> decltype(ask()) {
  if (QThread::currentThread() == qApp->thread()) return ask();
  decltype(ask()) answer{};
  QMetaObject::invokeMethod(qApp, [&] { answer = ask(); }, Qt::BlockingQueuedConnection);
  return answer;
}

// fileName in folder, for the dialog to propose.
QString PathIn(const QString& folder, const QString& fileName) {
  if (folder.isEmpty()) return fileName;
  return folder + QLatin1Char('/') + fileName;
}

}  // namespace

void TWindowDialogs::Inform(const std::string& text) { ShowMessage(QString::fromStdString(text)); }

bool TWindowDialogs::Confirm(const std::string& question) { return AskYesNo(QString::fromStdString(question)); }

TAnswer TWindowDialogs::AskYesNoCancel(const QString& question) {
  return OnWindowThread([&] {
    const auto button = QMessageBox::question(window_, Ui(text::ProgramName), question,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (button == QMessageBox::Yes) return TAnswer::anYes;
    if (button == QMessageBox::No) return TAnswer::anNo;
    return TAnswer::anCancel;
  });
}

bool TWindowDialogs::AskYesNo(const QString& question) {
  return OnWindowThread([&] {
    return QMessageBox::question(window_, Ui(text::ProgramName), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
  });
}

void TWindowDialogs::ShowMessage(const QString& message) {
  OnWindowThread([&] { return QMessageBox::information(window_, Ui(text::ProgramName), message); });
}

void TWindowDialogs::ShowError(const QString& message) {
  OnWindowThread([&] { return QMessageBox::critical(window_, Ui(text::ProgramName), message); });
}

bool TWindowDialogs::ConfirmSaveOptions(const QString& caption, const QString& message) {
  return OnWindowThread([&] {
    QMessageBox box(QMessageBox::Information, caption, message, QMessageBox::NoButton, window_);
    QPushButton* go = box.addButton(Ui(text::SaveOptionsContinue), QMessageBox::AcceptRole);
    box.addButton(Ui(text::SaveOptionsCancel), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == go;
  });
}

std::optional<QString> TWindowDialogs::AskSaveFileName(const QString& folder, const QString& fileName) {
  return OnWindowThread([&]() -> std::optional<QString> {
    // The dialog asks before it replaces an existing file.
    const QString chosen = QFileDialog::getSaveFileName(window_, Ui(text::SaveDialogTitle),
                                                        PathIn(folder, fileName), Ui(text::SaveDialogFilter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
  });
}

std::optional<QString> TWindowDialogs::AskExportFileName(const QString& title, const QString& filter,
                                                         const QString& proposal) {
  return OnWindowThread([&]() -> std::optional<QString> {
    const QString chosen = QFileDialog::getSaveFileName(window_, title, proposal, filter);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
  });
}

std::optional<QString> TWindowDialogs::AskOpenFileName(const QString& folder) {
  return OnWindowThread([&]() -> std::optional<QString> {
    const QString chosen =
        QFileDialog::getOpenFileName(window_, Ui(text::MenuOpen), folder, Ui(text::OpenDialogFilter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
  });
}

std::optional<QString> TWindowDialogs::AskPictureFileName(const QString& folder) {
  return OnWindowThread([&]() -> std::optional<QString> {
    const QString chosen =
        QFileDialog::getOpenFileName(window_, Ui(text::AddBackgroundImage), folder, Ui(text::PictureFilter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
  });
}

std::int32_t TWindowDialogs::AskGifFrame(const QString&, int frameCount) {
  return OnWindowThread([&] { return TAnimatedGifDialog::ChooseFrame(frameCount, window_); });
}

void TWindowDialogs::Beep() { QApplication::beep(); }

}  // namespace tessaly::shell
