// Undo and redo over every kind of edit, the document wired as the window
// wires it: a rebuild request posts a notice, which the recorder takes once
// the command has returned (as the window's event loop runs it).
#include <gmock/gmock.h>

#include "shell/HistoryTestSupport.h"
#include "shell/ItemTestSupport.h"
#include "shell/core/EditRecorder.h"
#include "shell/core/ItemOrder.h"
#include "support/TestPictures.h"

namespace tessaly::shell::test {
namespace {

using namespace std::chrono_literals;

struct TRecordingBench : TItemBench {
  void PreviewRebuildRequested() override {
    noticePosted_ = true;
    TItemBench::PreviewRebuildRequested();
  }

  // One command of the user, then the posted notice.
  template <class Command>
  void Run(Command command) {
    command();
    if (noticePosted_) Recorder.Notice();
    noticePosted_ = false;
  }

  // An edit of the document, a few seconds after the one before.
  template <class Edit>
  void Step(Edit edit) {
    Clock.Advance(10s);
    Run(edit);
    States.push_back(StateOf(Document));
  }

  void DragItem(double fromX, double fromY, double toX, double toY) {
    Drag(fromX, fromY, toX, toY);
    Placement.ReleaseInPreview();
  }

  bool noticePosted_ = false;

  std::string Picture() {
    return Folder.Write("p.bmp", tessaly::test::MakeBmp(tessaly::test::PatternBitmap(40, 20, 24)));
  }

  TManualClock Clock;
  TEditRecorder Recorder{Document, Clock.Clock()};
  std::vector<TDocumentState> States{StateOf(Document)};
};

TEST(EditRecorder, UndoesAndRedoesEveryKindOfEdit) {
  TRecordingBench bench;
  TScriptedDialogs dialogs;
  std::vector<std::string> names;
  auto step = [&](const char* name, auto edit) {
    bench.Step(edit);
    names.push_back(name);
  };
  step("添加外形", [&] { bench.Items.ApplyShape(); });
  step("修改外形", [&] { bench.Items.StepField(TItemField::ShapeWidth, 100); });
  step("修改外形", [&] { bench.Items.SetShapeColor(0x00FF00); });
  step("添加文字", [&] { bench.Items.NewText(); });
  step("修改文字", [&] { bench.Items.ChangeText("한글 😀"); });
  step("修改文字", [&] { bench.Items.SetTextStyle(2); });
  step("添加图像", [&] { bench.Items.AddPicture(bench.Picture(), dialogs); });
  step("修改图像", [&] { bench.Items.StepField(TItemField::PictureHeight, 10); });
  step("移动外形", [&] { bench.DragItem(130, 22, 160, 25); });
  step("微移外形", [&] {
    for (int i = 0; i < 10; ++i) {
      bench.Run([&] { bench.Placement.Nudge(TNudge::nRight); });
      bench.Clock.Advance(200ms);
    }
  });
  step("移动外形", [&] { bench.Placement.CentreHorizontally(); });
  step("删除外形", [&] { bench.Placement.Delete(); });
  step("恢复删除的外形", [&] { bench.Placement.Undelete(); });
  step("重新排序", [&] {
    std::vector<TItemOrderRow> rows = ItemOrderRows(bench.Document.ItemTable);
    std::reverse(rows.begin(), rows.end());
    ApplyItemOrder(bench.Document, rows);
  });
  step("修改背景", [&] {
    bench.Document.BannerSettings.BackgroundColor = 0x00FFFF;
    bench.Document.RequestPreviewRebuild();
  });
  step("删除文字", [&] {
    bench.Items.SelectAndFill(2);
    bench.Items.DeleteWithoutUndo();
  });
  ASSERT_EQ(bench.Recorder.History().StepCount(), names.size());

  const std::vector<TDocumentState>& states = bench.States;
  for (size_t k = names.size(); k > 0; --k) {
    EXPECT_STREQ(bench.Recorder.UndoName(), names[k - 1].c_str()) << "step " << k;
    ASSERT_TRUE(bench.Recorder.Undo());
    EXPECT_THAT(Differences(StateOf(bench.Document), states[k - 1]), testing::IsEmpty()) << "undo of step " << k;
    EXPECT_TRUE(bench.Document.ChangeMade);
  }
  EXPECT_FALSE(bench.Recorder.Undo());
  EXPECT_EQ(bench.Document.ItemTable.Count(), 0);
  for (size_t k = 1; k <= names.size(); ++k) {
    EXPECT_STREQ(bench.Recorder.RedoName(), names[k - 1].c_str()) << "step " << k;
    ASSERT_TRUE(bench.Recorder.Redo());
    EXPECT_THAT(Differences(StateOf(bench.Document), states[k]), testing::IsEmpty()) << "redo of step " << k;
  }
  EXPECT_FALSE(bench.Recorder.Redo());
  EXPECT_EQ(bench.Recorder.History().StepCount(), names.size()) << "undo and redo record nothing";
}

TEST(EditRecorder, TenNudgesUndoInOneStepAndThePreviewFollows) {
  TRecordingBench bench;
  bench.Run([&] { bench.Items.ApplyShape(); });  // 117, 15
  bench.Clock.Advance(10s);
  for (int i = 0; i < 10; ++i) {
    bench.Run([&] { bench.Placement.Nudge(TNudge::nDown); });
    bench.Clock.Advance(300ms);
  }
  EXPECT_EQ(bench.Document.ItemTable[1].Y, 25);
  ASSERT_TRUE(bench.Recorder.Undo());
  EXPECT_EQ(bench.Document.ItemTable[1].Y, 15);
  EXPECT_EQ(bench.Player.TGetProperty("but1", 1), std::optional<std::string>("0"))
      << "the preview was rebuilt at the old place";
  EXPECT_STREQ(bench.Recorder.UndoName(), "添加外形");
}

TEST(EditRecorder, UndeleteKeepsItsOwnMeaning) {
  TRecordingBench bench;
  bench.Run([&] { bench.Items.ApplyShape(); });
  bench.Clock.Advance(10s);
  bench.Run([&] { bench.Placement.Delete(); });
  EXPECT_TRUE(bench.Document.UndeleteEnabled());
  bench.Recorder.Undo();
  EXPECT_FALSE(bench.Document.ItemTable[1].Deleted);
  EXPECT_EQ(bench.Document.LastDeletedItem, -1);
  EXPECT_FALSE(bench.Document.UndeleteEnabled());
  bench.Recorder.Redo();
  EXPECT_TRUE(bench.Document.ItemTable[1].Deleted);
  EXPECT_TRUE(bench.Document.UndeleteEnabled());
  bench.Clock.Advance(10s);
  bench.Run([&] { bench.Placement.Undelete(); });
  EXPECT_FALSE(bench.Document.ItemTable[1].Deleted);
  EXPECT_STREQ(bench.Recorder.UndoName(), "恢复删除的外形");
}

TEST(EditRecorder, SelectionAloneAndResetRecordNothing) {
  TRecordingBench bench;
  bench.Run([&] { bench.Items.ApplyShape(); });
  bench.Run([&] { bench.Items.NewText(); });
  const size_t steps = bench.Recorder.History().StepCount();
  EXPECT_EQ(steps, 2u);
  bench.Run([&] {
    bench.Items.SelectAndFill(1);
    bench.Document.RequestPreviewRebuild();
  });
  EXPECT_EQ(bench.Recorder.History().StepCount(), steps);
  bench.Recorder.Reset();
  EXPECT_FALSE(bench.Recorder.CanUndo());
  EXPECT_FALSE(bench.Recorder.Undo());
}

}  // namespace
}  // namespace tessaly::shell::test
