// Selecting and placing items in the running preview, our player standing
// in for the window's.
#include <gmock/gmock.h>

#include "shell/ItemTestSupport.h"

namespace tessaly::shell::test {
namespace {

using document::ItemKind;

TEST(Placement, DraggingAShapeMovesItAndMakesItCurrent) {
  TItemBench bench;
  bench.Items.ApplyShape();  // 117, 15, 234 x 30
  bench.Items.NewText();     // over the shape's middle
  bench.Document.CurrentItemName = "but2";
  std::optional<document::ItemKind> filled;
  bench.Items.onValuesChanged = [&](ItemKind kind) { filled = kind; };
  bench.Drag(130, 20, 170, 20);
  EXPECT_EQ(bench.Placement.ReleaseInPreview(), 1);
  const document::TFlashObjects& shape = bench.Document.ItemTable[1];
  EXPECT_EQ(shape.X, 157);
  EXPECT_EQ(shape.Y, 15);
  EXPECT_EQ(bench.Document.CurrentItemName, "but1");
  EXPECT_EQ(bench.Document.LastShapeItem, 1);
  EXPECT_EQ(filled, ItemKind::ikShape);
  EXPECT_FALSE(shape.Moved) << "the rebuild clears Moved";
  EXPECT_EQ(bench.Player.TGetProperty("but1", 0), std::optional<std::string>("0"));

  // A second drag starts from the new place.
  bench.Drag(160, 20, 150, 25);
  bench.Placement.ReleaseInPreview();
  EXPECT_EQ(shape.X, 147);
  EXPECT_EQ(shape.Y, 20);
}

TEST(Placement, AReleaseWithoutAPressedItemChangesNothing) {
  TItemBench bench;
  bench.Items.ApplyShape();
  bench.Document.CurrentItemName.clear();
  bench.Drag(5, 5, 20, 5);  // outside the shape
  EXPECT_EQ(bench.Placement.ReleaseInPreview(), 0);
  EXPECT_EQ(bench.Document.ItemTable[1].X, 117);
  EXPECT_EQ(bench.Document.CurrentItemName, "");
}

TEST(Placement, AReleaseWhilePlayingStopsTheAnimation) {
  TItemBench bench;
  bench.Items.ApplyShape();
  bench.Document.BannerSettings.AnimationType = 1;
  bench.Pipeline.PlayAnimation();
  ASSERT_TRUE(bench.Document.Playing);
  bench.Document.CurrentItemName.clear();
  EXPECT_EQ(bench.Placement.ReleaseInPreview(), 0);
  EXPECT_FALSE(bench.Document.Playing);
  EXPECT_EQ(bench.Document.CurrentItemName, "");
}

TEST(Placement, NudgesMoveTheCurrentItemOnePixelPerClick) {
  TItemBench bench;
  bench.Items.ApplyShape();
  for (int i = 0; i < 3; ++i) bench.Placement.Nudge(TNudge::nRight);
  EXPECT_EQ(bench.Document.ItemTable[1].X, 120);
  bench.Placement.Nudge(TNudge::nUp);
  bench.Placement.Nudge(TNudge::nDown, 10);
  EXPECT_EQ(bench.Document.ItemTable[1].Y, 24);
  bench.Placement.Nudge(TNudge::nLeft);
  EXPECT_EQ(bench.Document.ItemTable[1].X, 119);
  bench.Document.CurrentItemName.clear();
  bench.Placement.Nudge(TNudge::nLeft);
  EXPECT_EQ(bench.Document.ItemTable[1].X, 119);
}

TEST(Placement, ANudgeAfterADragWithoutRebuildAddsToTheDraggedPlace) {
  TItemBench bench;
  bench.Items.ApplyShape();
  bench.Document.RequestPreviewRebuild();
  bench.Drag(130, 20, 140, 20);
  // The item's instance stands 10 pixels right; the document does not know
  // yet, as when the release went elsewhere.
  bench.Placement.Nudge(TNudge::nRight);
  EXPECT_EQ(bench.Document.ItemTable[1].X, 128);
}

struct TCentreCase {
  const char* Name;
  std::function<void(TItemBench&)> Add;
  std::int32_t X, Y;  // -1: unchanged
};

TEST(Placement, CentringByKind) {
  const std::vector<TCentreCase> cases = {
      {"text", [](TItemBench& b) { b.Items.NewText(); }, 234, -2},
      {"rectangle 100 wide, 20 high",
       [](TItemBench& b) {
         b.Items.ApplyShape();
         b.Items.StepField(TItemField::ShapeWidth, 100);
         b.Items.StepField(TItemField::ShapeHeight, 20);
       },
       184, 20},
      {"star",
       [](TItemBench& b) {
         b.Items.SetShapeType(document::stStar);
         b.Items.ApplyShape();
       },
       234, 30},
      {"picture 12 x 8",
       [](TItemBench& b) {
         TScriptedDialogs dialogs;
         b.Items.AddPicture(b.Folder.Write("p.bmp", tessaly::test::MakeBmp(tessaly::test::PatternBitmap(12, 8, 24))),
                            dialogs);
       },
       -1, 26},
  };
  for (const TCentreCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TItemBench bench;
    c.Add(bench);
    document::TFlashObjects& item = bench.Document.ItemTable[1];
    item.X = 3;
    item.Y = 4;
    bench.Document.RequestPreviewRebuild();
    bench.Placement.CentreHorizontally();
    EXPECT_EQ(item.X, c.X == -1 ? 3 : c.X);
    bench.Placement.CentreVertically();
    if (c.Y == -2) {
      // A text: its rendered height h, Y = (60 - h) div 2.
      const std::int32_t h = PropertySize(*bench.Player.TGetProperty("but1", 9));
      EXPECT_GT(h, 5);
      EXPECT_EQ(item.Y, (60 - h) / 2);
    } else {
      EXPECT_EQ(item.Y, c.Y);
    }
  }
}

TEST(Placement, UndeleteAfterTwoDeletionsRestoresOnlyTheSecond) {
  TItemBench bench;
  bench.Items.ApplyShape();
  bench.Items.NewText();
  bench.Document.SelectItem(1);
  bench.Placement.Delete();
  bench.Document.SelectItem(2);
  bench.Placement.Delete();
  bench.Placement.Undelete();
  EXPECT_TRUE(bench.Document.ItemTable[1].Deleted);
  EXPECT_FALSE(bench.Document.ItemTable[2].Deleted);
  bench.Placement.Undelete();
  EXPECT_TRUE(bench.Document.ItemTable[1].Deleted);
}

TEST(Placement, PropertyTextsAreRoundedAndANonNumberCountsAs100) {
  EXPECT_EQ(PropertyPosition("40"), 40);
  EXPECT_EQ(PropertyPosition("40.6"), 41);
  EXPECT_EQ(PropertyPosition("-2.5"), -3);
  EXPECT_EQ(PropertyPosition("12.25"), 12);
  EXPECT_EQ(PropertyPosition("abc"), 100);
  EXPECT_EQ(PropertyPosition(""), 100);
  EXPECT_EQ(PropertyPosition("1e30"), 100);
  EXPECT_EQ(PropertySize("17.5"), 18);
}

TEST(Placement, AFractionalInstancePositionIsRounded) {
  TItemBench bench;
  bench.Items.ApplyShape();
  ASSERT_TRUE(bench.Player.TSetProperty("but1", 0, "12.6"));
  bench.Document.CurrentItemName = "but1";
  bench.Placement.Nudge(TNudge::nRight);
  EXPECT_EQ(bench.Document.ItemTable[1].X, 117 + 14);
}

TEST(Placement, OutlinesCoverEachKindOfItem) {
  TItemBench bench;
  bench.Items.ApplyShape();  // rectangle 117, 15, 234 x 30
  bench.Items.StepField(TItemField::BorderWidth, 4);
  bench.Document.CurrentItemName.clear();
  bench.Items.SetShapeType(document::stStar);
  bench.Items.ApplyShape();  // star at 234, 30: radii 30, 20, 10
  bench.Document.CurrentItemName.clear();
  bench.Items.SetShapeType(document::stPie);
  bench.Items.ApplyShape();
  bench.Items.NewText();
  const document::TItemTable& t = bench.Document.ItemTable;
  EXPECT_EQ(OutlineOf(t[1]), (TOutline{115, 13, 238, 34}));
  EXPECT_EQ(OutlineOf(t[2]), (TOutline{214, 10, 40, 40}));
  EXPECT_EQ(OutlineOf(t[3]), (TOutline{204, 0, 60, 60}));
  const TOutline text = OutlineOf(t[4]);
  EXPECT_EQ(text.Left + text.Width / 2, 234) << "a text is centred on its X";
  EXPECT_EQ(text.Top, t[4].Y);
  EXPECT_GT(text.Width, 20) << "the build measured the text";
}

}  // namespace
}  // namespace tessaly::shell::test
