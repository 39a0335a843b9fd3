// The window's menu entries, tool panel button and preview menu open the
// right dialog on the right page.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include "publish/TestSupport.h"
#include "shell/dialogs/FtpSelectDialog.h"
#include "shell/dialogs/HtmlCodeDialog.h"
#include "shell/dialogs/ItemOrderDialog.h"
#include "shell/dialogs/OptionsDialog.h"
#include "shell/main/MainWindow.h"
#include "shell/main/ToolPanel.h"

namespace tessaly::shell {
namespace {

// Records the messages; every question is answered No, every file dialog
// cancelled.
class TScriptedDialogs : public TUserDialogs {
 public:
  void Inform(const std::string& text) override { Shown.push_back(text); }
  bool Confirm(const std::string&) override { return false; }
  TAnswer AskYesNoCancel(const QString&) override { return TAnswer::anNo; }
  bool AskYesNo(const QString&) override { return false; }
  void ShowMessage(const QString& message) override { Shown.push_back(message.toStdString()); }
  void ShowError(const QString& message) override { Shown.push_back(message.toStdString()); }
  bool ConfirmSaveOptions(const QString&, const QString&) override { return false; }
  std::optional<QString> AskSaveFileName(const QString&, const QString&) override { return {}; }
  std::optional<QString> AskExportFileName(const QString&, const QString&, const QString&) override { return {}; }
  std::optional<QString> AskOpenFileName(const QString&) override { return {}; }
  std::optional<QString> AskPictureFileName(const QString&) override { return {}; }
  std::int32_t AskGifFrame(const QString&, int) override { return -1; }
  void Beep() override {}
  std::vector<std::string> Shown;
};

class TNoOpener : public publish::TShellOpener {
 public:
  bool Open(const std::string&) override { return true; }
};

// The action captioned `caption` in `menu`.
QAction* Entry(QMenu* menu, const QString& caption) {
  for (QAction* action : menu->actions())
    if (action->text() == caption) return action;
  ADD_FAILURE() << "no entry " << caption.toStdString();
  return nullptr;
}

QAction* MenuEntry(QMainWindow& window, const QString& menuCaption, const QString& caption) {
  for (QAction* menu : window.menuBar()->actions())
    if (menu->text() == menuCaption) return Entry(menu->menu(), caption);
  ADD_FAILURE() << "no menu " << menuCaption.toStdString();
  return nullptr;
}

// Triggers `open` and returns the modal dialog it showed (closed again),
// checked by `check`.
template <typename TDialog>
bool OpensDialog(const std::function<void()>& open, const std::function<void(TDialog&)>& check = {}) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
    seen = dialog != nullptr;
    if (dialog == nullptr) return;
    if (check) check(*dialog);
    dialog->reject();
  });
  open();
  return seen;
}

class DialogWiringTest : public testing::Test {
 protected:
  DialogWiringTest() {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path().string()));
  }
  ~DialogWiringTest() override { qunsetenv("XDG_CONFIG_HOME"); }

  publish::TTestFolder config;
  TScriptedDialogs dialogs;
  TInlineRunner runner;
  TNoOpener opener;
};

TEST_F(DialogWiringTest, EntriesOpenTheirDialogs) {
  TMainWindow window(DefaultFolders(), TPreferences{}, {&dialogs, &runner, &opener});
  EXPECT_TRUE(OpensDialog<ItemOrderDialog>(
      [&] { MenuEntry(window, "选项(&O)", "重新排序")->trigger(); }));
  EXPECT_TRUE(OpensDialog<ItemOrderDialog>(
      [&] { Entry(window.PreviewMenu(), "Re-Order Items")->trigger(); }));
  EXPECT_TRUE(OpensDialog<ItemOrderDialog>([&] {
    for (QPushButton* button : window.Tools()->findChildren<QPushButton*>())
      if (button->text() == "重新排序") button->click();
  }));
  EXPECT_TRUE(OpensDialog<OptionsDialog>(
      [&] { MenuEntry(window, "选项(&O)", "参数设置(&P)")->trigger(); },
      [](OptionsDialog& options) {
        EXPECT_EQ(options.currentPage(), OptionsDialog::Page::Defaults);
      }));
  EXPECT_TRUE(OpensDialog<OptionsDialog>(
      [&] { Entry(window.PreviewMenu(), "Change Background")->trigger(); },
      [](OptionsDialog& options) {
        EXPECT_EQ(options.currentPage(), OptionsDialog::Page::Background);
      }));
  EXPECT_TRUE(OpensDialog<HtmlCodeDialog>(
      [&] { MenuEntry(window, "HTML/JavaScript", "生成HTML代码")->trigger(); }));
  EXPECT_TRUE(dialogs.Shown.empty());

  MenuEntry(window, "文件(&F)", "FTP发布")->trigger();
  EXPECT_EQ(dialogs.Shown, std::vector<std::string>{"使用FTP发布到站点前请先保存文件."});
}

}  // namespace
}  // namespace tessaly::shell
