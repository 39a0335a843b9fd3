// The item tabs as a user works them: real widgets (offscreen), the
// editor between them and the commands, the preview playing the movie.
#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "document/BuildPipeline.h"
#include "shell/core/ProjectDialogs.h"
#include "shell/dialogs/AnimatedGifDialog.h"
#include "shell/main/ItemEditor.h"
#include "shell/main/PreviewPanel.h"
#include "shell/main/ToolPanel.h"
#include "shell/main/tabs/PictureTab.h"
#include "shell/main/tabs/ShapeTab.h"
#include "shell/main/tabs/TextTab.h"
#include "shell/widgets/FontList.h"
#include "shell/widgets/NumberField.h"
#include "support/TestPictures.h"

namespace tessaly::shell::test {
namespace {

using document::ItemKind;
using document::TFlashObjects;

// Answers every modal window that opens while it lives: records its text,
// then lets answer act on it (the default closes it).
class TModalWatcher {
 public:
  explicit TModalWatcher(std::function<void(QWidget*)> answer = {}) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == last_) return;
      last_ = modal;
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        Texts.push_back(box->text());
        box->done(QMessageBox::Ok);
      } else {
        Texts.push_back(modal->windowTitle());
        if (answer_) answer_(modal);
      }
      last_ = nullptr;
    });
    timer_.start(20);
  }
  QStringList Texts;

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
  QWidget* last_ = nullptr;
};

class TItemWindow : public document::TDocumentListener {
 public:
  TItemWindow() {
    auto* layout = new QHBoxLayout(&Window);
    for (QWidget* w : std::initializer_list<QWidget*>{Preview, Tools, Shape, Picture, Text}) layout->addWidget(w);
    Document.SetListener(this);
    Editor.ConnectToolPanel(*Tools);
    Document.NewDocument({});
    Window.show();
    Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
  }
  ~TItemWindow() override { Document.SetListener(nullptr); }
  void PreviewRebuildRequested() override { Pipeline.BuildPreviewMovie(); }
  void CommandsChanged(bool deleteEnabled, bool undeleteEnabled) override {
    Tools->SetCommandState(deleteEnabled, undeleteEnabled);
  }

  // Types text into a field and leaves it for another control.
  void TypeAndLeave(QWidget* field, const QString& text) {
    // A message box that was shown took the activation away.
    Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    Text->TextBox()->setFocus();
    QApplication::processEvents();
  }
  QAbstractButton* Button(QWidget* parent, const QString& caption) {
    for (QAbstractButton* b : parent->findChildren<QAbstractButton*>())
      if (b->text() == caption) return b;
    ADD_FAILURE() << "no button " << caption.toStdString();
    return nullptr;
  }
  std::vector<TFlashObjects> Records() const {
    std::vector<TFlashObjects> records;
    for (int i = 1; i <= Document.ItemTable.Count(); ++i) records.push_back(Document.ItemTable[i]);
    return records;
  }

  QWidget Window;
  TPreviewPanel* Preview = new TPreviewPanel(&Window);
  TToolPanel* Tools = new TToolPanel(&Window);
  TShapeTab* Shape = new TShapeTab(&Window);
  TPictureTab* Picture = new TPictureTab(&Window);
  TTextTab* Text = new TTextTab(&Window);
  document::TBannerDocument Document;
  document::TBuildPipeline Pipeline{Document, *Preview};
  TItemEditor Editor{Document, Pipeline, *Preview, *Shape, *Picture, *Text, &Window};
  tessaly::test::TTempDir Folder;
};

std::string Gif(const tessaly::test::TTempDir& folder, const std::string& name, int frames, bool extensions) {
  tessaly::test::TGifSpec spec;
  spec.ScreenWidth = 10;
  spec.ScreenHeight = 6;
  spec.GlobalColors = {{0, 128, 0}, {255, 255, 0}};
  for (int k = 0; k < frames; ++k) {
    tessaly::test::TGifFrameSpec frame;
    frame.Width = 10;
    frame.Height = 6;
    frame.Indexes.assign(60, static_cast<std::uint8_t>(k % 2));
    frame.TransparentIndex = extensions ? 1 : -1;
    spec.Frames.push_back(frame);
  }
  return folder.Write(name, tessaly::test::MakeGif(spec));
}

TEST(ItemTabs, WithNoCurrentItemTheControlsChangeNoItem) {
  TItemWindow w;
  QTest::mouseClick(w.Shape->ApplyButton(), Qt::LeftButton);
  QTest::mouseClick(w.Text->NewTextButton(), Qt::LeftButton);
  w.Document.CurrentItemName.clear();
  w.Document.ChangeMade = false;
  const std::vector<TFlashObjects> before = w.Records();
  TModalWatcher watcher;
  w.TypeAndLeave(w.Shape->Field(TItemField::ShapeHeight), "50");
  w.TypeAndLeave(w.Text->Field(TItemField::FontSize), "40");
  QTest::mouseClick(w.Button(w.Shape, "椭圆形"), Qt::LeftButton);
  QTest::keyClick(w.Shape->Field(TItemField::Radius), Qt::Key_Up);
  QTest::mouseClick(w.Button(w.Text, "270"), Qt::LeftButton);
  QTest::mouseClick(w.Button(w.Tools, "水平居中"), Qt::LeftButton);
  EXPECT_EQ(w.Records(), before);
  EXPECT_FALSE(w.Document.ChangeMade);
  EXPECT_TRUE(watcher.Texts.isEmpty());
}

TEST(ItemTabs, TheRadiusEditedWhileATextIsCurrentChangesNothing) {
  TItemWindow w;
  QTest::mouseClick(w.Shape->ApplyButton(), Qt::LeftButton);
  QTest::mouseClick(w.Text->NewTextButton(), Qt::LeftButton);
  ASSERT_EQ(w.Document.CurrentItemName, "but2");
  const std::vector<TFlashObjects> before = w.Records();
  w.TypeAndLeave(w.Shape->Field(TItemField::Radius), "77");
  QTest::keyClick(w.Shape->Field(TItemField::Radius), Qt::Key_Up);
  EXPECT_EQ(w.Records(), before);
}

TEST(ItemTabs, LettersInTheFontSizeFieldChangeNothingAndShowNothing) {
  TItemWindow w;
  QTest::mouseClick(w.Text->NewTextButton(), Qt::LeftButton);
  const std::vector<TFlashObjects> before = w.Records();
  TModalWatcher watcher;
  w.TypeAndLeave(w.Text->Field(TItemField::FontSize), "abc");
  QTest::qWait(60);
  EXPECT_EQ(w.Records(), before);
  EXPECT_TRUE(watcher.Texts.isEmpty());

  // A number out of range shows the field's message.
  w.TypeAndLeave(w.Text->Field(TItemField::FontSize), "200");
  QTest::qWait(100);
  EXPECT_EQ(watcher.Texts, QStringList{"字体的大小值必须在 6 到 120 之间,请重新设置."});
  EXPECT_EQ(w.Records(), before);
  w.TypeAndLeave(w.Text->Field(TItemField::FontSize), "20");
  EXPECT_EQ(w.Document.ItemTable[1].FontSize, 20);
}

TEST(ItemTabs, AStarSwitchedToARectangleStaysInPlace) {
  TItemWindow w;
  QTest::mouseClick(w.Button(w.Shape, "星形"), Qt::LeftButton);
  QTest::mouseClick(w.Shape->ApplyButton(), Qt::LeftButton);
  TFlashObjects& star = w.Document.ItemTable[1];
  star.Width = 234;
  star.Height = 30;
  ASSERT_EQ(star.X, 234);
  EXPECT_FALSE(w.Shape->Field(TItemField::ShapeWidth)->isEnabled());
  QTest::mouseClick(w.Button(w.Shape, "矩形"), Qt::LeftButton);
  EXPECT_EQ(star.X, 117);
  EXPECT_EQ(star.Y, 15);
  EXPECT_TRUE(w.Shape->Field(TItemField::ShapeWidth)->isEnabled());
  EXPECT_FALSE(w.Shape->Field(TItemField::NumberOfPoints)->isEnabled());
}

TEST(ItemTabs, AOneFrameGifWithoutExtensionsIsAddedWithoutTheFrameDialog) {
  TItemWindow w;
  TModalWatcher watcher;
  w.Editor.AddPictureFile(QString::fromStdString(Gif(w.Folder, "still.gif", 1, false)));
  QTest::qWait(60);
  EXPECT_TRUE(watcher.Texts.isEmpty());
  ASSERT_EQ(w.Document.ItemTable.Count(), 1);
  EXPECT_EQ(w.Document.ItemTable[1].GifFrame, -1);
  EXPECT_EQ(w.Picture->Field(TItemField::PictureWidth)->text(), "10");
}

TEST(ItemTabs, AnAnimatedGifOpensTheFrameDialogAndItsFrameIsStored) {
  TItemWindow w;
  QStringList refusals;
  TModalWatcher watcher([&](QWidget* modal) {
    auto* dialog = qobject_cast<TAnimatedGifDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    // Frame 0 is refused first and the dialog stays open.
    QTest::keyClick(dialog->FrameField(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog->FrameField(), "0");
    QTimer::singleShot(50, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        refusals << box->text();
        box->done(QMessageBox::Ok);
      }
    });
    dialog->OkButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(dialog->FrameField(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog->FrameField(), "3");
    dialog->OkButton()->click();
  });
  w.Editor.AddPictureFile(QString::fromStdString(Gif(w.Folder, "moving.gif", 5, true)));
  EXPECT_EQ(watcher.Texts, QStringList{"添加动态图像"});
  EXPECT_EQ(refusals, QStringList{"帧数的值必须在 1 到 5 之间."});
  ASSERT_EQ(w.Document.ItemTable.Count(), 1);
  EXPECT_EQ(w.Document.ItemTable[1].GifFrame, 3);
}

// Records the frame questions of a project load.
class TFrameQuestions : public TUserDialogs {
 public:
  TAnswer AskYesNoCancel(const QString&) override { return TAnswer::anCancel; }
  bool AskYesNo(const QString&) override { return false; }
  void ShowMessage(const QString&) override {}
  void ShowError(const QString&) override {}
  bool ConfirmSaveOptions(const QString&, const QString&) override { return false; }
  std::optional<QString> AskSaveFileName(const QString&, const QString&) override { return {}; }
  std::optional<QString> AskOpenFileName(const QString&) override { return {}; }
  std::optional<QString> AskPictureFileName(const QString&) override { return {}; }
  std::optional<QString> AskExportFileName(const QString&, const QString&, const QString&) override { return {}; }
  std::int32_t AskGifFrame(const QString&, int frameCount) override {
    Counts.push_back(frameCount);
    return 2;
  }
  void Beep() override {}
  void Inform(const std::string&) override {}
  bool Confirm(const std::string&) override { return false; }
  std::vector<int> Counts;
};

TEST(ItemTabs, AProjectsAnimatedGifAsksForItsFrame) {
  tessaly::test::TTempDir folder;
  TFrameQuestions questions;
  const TPreferences preferences;
  TProjectDialogs host(questions, preferences);
  EXPECT_EQ(host.ChooseGifFrame(Gif(folder, "still.gif", 1, false)), -1);
  EXPECT_EQ(host.ChooseGifFrame((folder.Path() / "missing.gif").string()), -1);
  EXPECT_EQ(host.ChooseGifFrame(Gif(folder, "moving.gif", 4, true)), 2);
  EXPECT_EQ(questions.Counts, std::vector<int>{4});
}

TEST(ItemTabs, TheFrameDialogShowsItsTexts) {
  TAnimatedGifDialog dialog(7);
  EXPECT_EQ(dialog.windowTitle(), "添加动态图像");
  QStringList labels;
  for (QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains("所有帧数:7"));
  EXPECT_TRUE(labels.contains("要使用的帧数:"));
  EXPECT_TRUE(labels.contains("这是一个动态GIF文件. 一次只能添加一帧到图像中. 选择要添加的帧数然后点击确定."));
  EXPECT_EQ(dialog.FrameField()->text(), "1");
  EXPECT_EQ(dialog.OkButton()->text(), "确定(&K)");
}

TEST(ItemTabs, CentringByKindOnA468WideBanner) {
  TItemWindow w;
  QTest::mouseClick(w.Text->NewTextButton(), Qt::LeftButton);
  QTest::mouseClick(w.Shape->ApplyButton(), Qt::LeftButton);
  w.Editor.AddPictureFile(QString::fromStdString(Gif(w.Folder, "p.gif", 1, false)));
  for (int i = 1; i <= 3; ++i) w.Document.ItemTable[i].X = 7;
  w.Document.ItemTable[2].Width = 100;
  QAbstractButton* centre = w.Button(w.Tools, "水平居中");
  for (int i = 1; i <= 3; ++i) {
    w.Document.SelectItem(i);
    QTest::mouseClick(centre, Qt::LeftButton);
  }
  EXPECT_EQ(w.Document.ItemTable[1].X, 234);
  EXPECT_EQ(w.Document.ItemTable[2].X, 184);
  EXPECT_EQ(w.Document.ItemTable[3].X, 7);
}

TEST(ItemTabs, UndeleteAfterTwoDeletionsRestoresOnlyTheSecond) {
  TItemWindow w;
  QTest::mouseClick(w.Shape->ApplyButton(), Qt::LeftButton);
  QTest::mouseClick(w.Text->NewTextButton(), Qt::LeftButton);
  QAbstractButton* undelete = w.Button(w.Tools, "撤销删除");
  EXPECT_FALSE(undelete->isEnabled());
  w.Document.SelectItem(1);
  QTest::mouseClick(w.Button(w.Tools, "删除"), Qt::LeftButton);
  w.Document.SelectItem(2);
  QTest::mouseClick(w.Button(w.Tools, "删除"), Qt::LeftButton);
  QTest::mouseClick(undelete, Qt::LeftButton);
  EXPECT_TRUE(w.Document.ItemTable[1].Deleted);
  EXPECT_FALSE(w.Document.ItemTable[2].Deleted);
  EXPECT_FALSE(undelete->isEnabled());
}

TEST(ItemTabs, TheFontListHoldsEveryInstalledFaceAndMarksAMissingOne) {
  TItemWindow w;
  const std::vector<std::string> faces = {"DejaVu Sans", "Liberation Serif", "文泉驿正黑"};
  w.Text->FillFonts(faces, true);
  TFontList* list = w.Text->Fonts();
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(2)->text(0), "文泉驿正黑");
  EXPECT_EQ(list->topLevelItem(1)->font(0).family(), "Liberation Serif");
  EXPECT_EQ(list->topLevelItem(1)->font(0).pointSize(), 10);
  list->SelectFont("Arial");
  ASSERT_EQ(list->topLevelItemCount(), 4);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "Arial (未安装)");
  EXPECT_TRUE(list->topLevelItem(0)->font(0).italic());
  EXPECT_EQ(list->SelectedFont(), "Arial");
  list->SelectFont("Liberation Serif");
  EXPECT_EQ(list->topLevelItemCount(), 3) << "the missing entry goes once another face is chosen";

  // The new text's font, "Arial", is not installed: its entry comes first.
  QTest::mouseClick(w.Text->NewTextButton(), Qt::LeftButton);
  ASSERT_EQ(list->topLevelItem(0)->text(0), "Arial (未安装)");
  const QRect entry = list->visualItemRect(list->topLevelItem(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
  EXPECT_EQ(w.Document.ItemTable[1].FontName, "DejaVu Sans");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(w.Document.ItemTable[1].FontName, "Liberation Serif");
}

TEST(ItemTabs, ThePreviewKeysNudgeAndDeleteTheCurrentItem) {
  TItemWindow w;
  QTest::mouseClick(w.Shape->ApplyButton(), Qt::LeftButton);
  QWidget& player = w.Preview->Player();
  QTest::mouseClick(&player, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(player.hasFocus()) << "a press gives the preview the focus";
  QTest::keyClick(&player, Qt::Key_Right);
  QTest::keyClick(&player, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(w.Document.ItemTable[1].X, 118);
  EXPECT_EQ(w.Document.ItemTable[1].Y, 25);
  QTest::keyClick(&player, Qt::Key_Delete);
  EXPECT_TRUE(w.Document.ItemTable[1].Deleted);
}

TEST(ItemTabs, ShowingATabFillsItFromTheLastItemOfItsKind) {
  TItemWindow w;
  QTest::mouseClick(w.Text->NewTextButton(), Qt::LeftButton);
  w.Document.ItemTable[1].Text = "Hello";
  w.Document.ItemTable[1].ShadowAngle = 6;
  QTest::mouseClick(w.Shape->ApplyButton(), Qt::LeftButton);
  w.Editor.ShowTab(ItemKind::ikText);
  EXPECT_EQ(w.Document.CurrentItemName, "but1");
  EXPECT_EQ(w.Text->TextBox()->text(), "Hello");
  EXPECT_TRUE(w.Button(w.Text, "270")->isChecked());
}

}  // namespace
}  // namespace tessaly::shell::test
