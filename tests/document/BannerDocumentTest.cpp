#include "document/BannerDocument.h"

#include <gtest/gtest.h>

namespace tessaly::document {
namespace {

struct RecordingListener : TDocumentListener {
  int rebuilds = 0;
  int commandReports = 0;
  bool deleteEnabled = false;
  bool undeleteEnabled = false;
  void PreviewRebuildRequested() override { ++rebuilds; }
  void CommandsChanged(bool del, bool undel) override {
    ++commandReports;
    deleteEnabled = del;
    undeleteEnabled = undel;
  }
};

class DocumentTest : public testing::Test {
 protected:
  void SetUp() override {
    doc.SetListener(&listener);
    doc.NewDocument(TNewDocumentDefaults{});
    listener = RecordingListener{};
  }

  TBannerDocument doc;
  RecordingListener listener;
};

TEST_F(DocumentTest, NewShapeOnA468x60Banner) {
  struct Case {
    std::int32_t type;
    std::int32_t x, y, radius, inner, outer;
  };
  const Case cases[] = {
      {stStar, 234, 30, 30, 20, 10},
      {stRectangle, 117, 15, 15, 10, 5},
      {stRing, 234, 30, 30, 20, 10},
      {stDiamond, 117, 15, 15, 10, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    doc.NewDocument(TNewDocumentDefaults{});
    TShapeDefaults defaults;
    defaults.ShapeType = c.type;
    defaults.Color = 0x123456;
    defaults.NumberOfPoints = 7;
    defaults.StartAngle = 90;
    defaults.EndAngle = 270;
    defaults.Transparency = 40;
    const TAddResult added = doc.AddShapeItem(defaults);
    ASSERT_EQ(added.Index, 1);
    const TFlashObjects& item = doc.ItemTable[1];
    EXPECT_EQ(item.Kind, ItemKind::ikShape);
    EXPECT_EQ(item.ShapeType, c.type);
    EXPECT_EQ(item.Width, 234);
    EXPECT_EQ(item.Height, 30);
    EXPECT_EQ(item.X, c.x);
    EXPECT_EQ(item.Y, c.y);
    EXPECT_EQ(item.Radius, c.radius);
    EXPECT_EQ(item.InnerRadius, c.inner);
    EXPECT_EQ(item.OuterRadius, c.outer);
    EXPECT_EQ(item.Name, "but1");
    EXPECT_EQ(item.Color, 0x123456u);
    EXPECT_EQ(item.NumberOfPoints, 7);
    EXPECT_EQ(item.StartAngle, 90);
    EXPECT_EQ(item.EndAngle, 270);
    EXPECT_EQ(item.Transparency, 40);
    EXPECT_EQ(item.FillType, 0);
    // Fields the append does not set start from zero.
    EXPECT_EQ(item.BorderColor, 0u);
    EXPECT_EQ(item.BorderWidth, 0);
    EXPECT_EQ(item.GradientStartColor, 0u);
    EXPECT_EQ(item.GradientEndColor, 0u);
    EXPECT_EQ(item.GradientStyle, 0);
    EXPECT_EQ(item.FillImage, "");
    EXPECT_FALSE(item.Deleted || item.InPreview || item.Moved);
  }
}

TEST_F(DocumentTest, AddingMakesTheItemCurrentAndRequestsARebuild) {
  doc.AddShapeItem({});
  doc.AddTextItem("Hi", {});
  doc.AddImageItem("/tmp/a.gif", {});
  EXPECT_EQ(doc.ItemTable.Count(), 3);
  EXPECT_EQ(doc.CurrentItemName, "but3");
  EXPECT_EQ(doc.CurrentItemIndex, 3);
  EXPECT_EQ(doc.LastShapeItem, 1);
  EXPECT_EQ(doc.LastTextItem, 2);
  EXPECT_EQ(doc.LastImageItem, 3);
  EXPECT_EQ(listener.rebuilds, 3);
  EXPECT_TRUE(listener.deleteEnabled);
  EXPECT_FALSE(listener.undeleteEnabled);
  EXPECT_TRUE(doc.DeleteEnabled());
  EXPECT_TRUE(doc.ChangeMade);
}

TEST_F(DocumentTest, TextItemTakesTheTextTabValues) {
  struct Case {
    std::string text;
    std::int32_t style;
    std::string font;
    std::string storedText;
    bool bold, italic;
    std::string storedFont;
  };
  const Case cases[] = {
      {"   ", 0, "", "New Text", false, false, "Arial"},
      {"", 1, "Verdana", "New Text", false, true, "Verdana"},
      {" \t", 2, "", "New Text", true, false, "Arial"},
      {" 欢迎 ", 3, "宋体", " 欢迎 ", true, true, "宋体"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    doc.NewDocument({});
    TTextDefaults defaults;
    defaults.Color = 0x00FF00;
    defaults.FontSize = 24;
    defaults.CharSpacing = -5;
    defaults.Transparency = 10;
    defaults.Style = c.style;
    defaults.FontName = c.font;
    defaults.ShadowAltitude = 2;
    defaults.ShadowColor = 0x808080;
    defaults.ShadowAngle = 5;
    ASSERT_TRUE(doc.AddTextItem(c.text, defaults).Added());
    const TFlashObjects& item = doc.ItemTable[1];
    EXPECT_EQ(item.Kind, ItemKind::ikText);
    EXPECT_EQ(item.Text, c.storedText);
    EXPECT_EQ(item.FontName, c.storedFont);
    EXPECT_EQ(item.Bold, c.bold);
    EXPECT_EQ(item.Italic, c.italic);
    EXPECT_EQ(item.X, 234);
    EXPECT_EQ(item.Y, 30);
    EXPECT_EQ(item.DragBaseX, 234);
    EXPECT_EQ(item.DragBaseY, 30);
    EXPECT_EQ(item.Color, 0x00FF00u);
    EXPECT_EQ(item.FontSize, 24);
    EXPECT_EQ(item.CharSpacing, -5);
    EXPECT_EQ(item.Transparency, 10);
    EXPECT_EQ(item.ShadowAltitude, 2);
    EXPECT_EQ(item.ShadowColor, 0x808080u);
    EXPECT_EQ(item.ShadowAngle, 5);
  }
}

TEST_F(DocumentTest, PictureTakesItsSizeAndTheControls) {
  TImageDefaults defaults;
  defaults.Width = 300;
  defaults.Height = 100;
  defaults.ShapeColor = 0x0000FF;
  defaults.KeepAspect = false;
  defaults.Transparency = 25;
  defaults.GifFrame = 3;
  ASSERT_TRUE(doc.AddImageItem("/pics/Photo.JPEG", defaults).Added());
  const TFlashObjects& item = doc.ItemTable[1];
  EXPECT_EQ(item.Kind, ItemKind::ikImage);
  EXPECT_EQ(item.X, 0);
  EXPECT_EQ(item.Y, 0);
  EXPECT_EQ(item.Width, 300);
  EXPECT_EQ(item.Height, 100);
  EXPECT_DOUBLE_EQ(item.AspectRatio, 3.0);
  EXPECT_EQ(item.ImageFileName, "/pics/Photo.JPEG");
  EXPECT_EQ(item.ImageType, 2);
  EXPECT_EQ(item.Color, 0x0000FFu);
  EXPECT_EQ(item.GifFrame, 3);
  EXPECT_FALSE(item.KeepAspect);
  EXPECT_EQ(item.Transparency, 25);
}

TEST(ImageTypeOf, FollowsTheUpperCasedExtension) {
  struct Case {
    const char* name;
    int type;
  };
  const Case cases[] = {
      {"a.gif", 1},  {"a.GIF", 1},        {"b.jpeg", 2},     {"b.Jpg", 2},
      {"c.bmp", 3},  {"d.png", 4},        {"e.tiff", 0},     {"noext", 0},
      {"dir.gif/x", 0}, {"/x/y.z.bmp", 3}, {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ImageTypeOf(c.name), c.type) << c.name;
}

TEST_F(DocumentTest, PictureSizeEditsFollowKeepAspect) {
  struct Case {
    bool keepAspect;
    bool editHeight;
    std::int32_t value;
    std::int32_t width, height;
    double ratio;
  };
  const Case cases[] = {
      {true, true, 50, 150, 50, 3.0},
      {false, true, 50, 300, 50, 6.0},
      {true, false, 150, 150, 50, 3.0},
      {false, false, 150, 150, 100, 1.5},
      {true, true, 1, 3, 1, 3.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.keepAspect << c.editHeight << c.value);
    doc.NewDocument({});
    TImageDefaults defaults;
    defaults.Width = 300;
    defaults.Height = 100;
    defaults.KeepAspect = c.keepAspect;
    doc.AddImageItem("p.bmp", defaults);
    if (c.editHeight)
      doc.SetCurrentImageHeight(c.value);
    else
      doc.SetCurrentImageWidth(c.value);
    const TFlashObjects& item = doc.ItemTable[1];
    EXPECT_EQ(item.Width, c.width);
    EXPECT_EQ(item.Height, c.height);
    EXPECT_DOUBLE_EQ(item.AspectRatio, c.ratio);
  }
}

TEST_F(DocumentTest, KeptAspectRoundsHalvesToEven) {
  TImageDefaults defaults;
  defaults.Width = 300;
  defaults.Height = 200;  // ratio 1.5
  defaults.KeepAspect = true;
  doc.AddImageItem("p.bmp", defaults);
  doc.SetCurrentImageHeight(3);  // 4.5
  EXPECT_EQ(doc.ItemTable[1].Width, 4);
  doc.SetCurrentImageHeight(5);  // 7.5
  EXPECT_EQ(doc.ItemTable[1].Width, 8);
  doc.SetCurrentImageWidth(9);  // 6
  EXPECT_EQ(doc.ItemTable[1].Height, 6);
}

TEST_F(DocumentTest, PictureWithoutHeightHasNoRatioToKeep) {
  TImageDefaults defaults;
  defaults.Width = 40;
  defaults.Height = 0;
  defaults.KeepAspect = true;
  doc.AddImageItem("p.bmp", defaults);
  EXPECT_EQ(doc.ItemTable[1].AspectRatio, 0.0);
  doc.SetCurrentImageWidth(80);
  EXPECT_EQ(doc.ItemTable[1].Width, 80);
  EXPECT_EQ(doc.ItemTable[1].Height, 0);
  doc.SetCurrentImageHeight(20);
  EXPECT_EQ(doc.ItemTable[1].Width, 80);
  EXPECT_DOUBLE_EQ(doc.ItemTable[1].AspectRatio, 4.0);
}

TEST_F(DocumentTest, SizeEditsTouchOnlyACurrentPicture) {
  TImageDefaults defaults;
  defaults.Width = 300;
  defaults.Height = 100;
  doc.AddImageItem("p.bmp", defaults);
  doc.AddTextItem("t", {});
  const TFlashObjects before = doc.ItemTable[1];
  const int rebuilds = listener.rebuilds;
  doc.SetCurrentImageHeight(10);
  doc.SetCurrentImageWidth(10);
  doc.CurrentItemName.clear();
  doc.SetCurrentImageHeight(10);
  EXPECT_EQ(doc.ItemTable[1], before);
  EXPECT_EQ(doc.ItemTable[2].Width, 0);
  EXPECT_EQ(listener.rebuilds, rebuilds);
}

TEST_F(DocumentTest, OnlyTheLastOfTwoDeletionsCanBeUndone) {
  doc.AddShapeItem({});
  doc.AddTextItem("a", {});
  doc.AddTextItem("b", {});
  doc.SelectItem(2);
  doc.DeleteCurrentItem();
  EXPECT_EQ(doc.FindCurrentItem(), -1);  // the name still names the deleted item
  EXPECT_EQ(doc.CurrentItemName, "but2");
  doc.SelectItem(3);
  doc.DeleteCurrentItem();
  EXPECT_EQ(doc.LastDeletedItem, 3);
  EXPECT_TRUE(listener.undeleteEnabled);

  doc.UndeleteLastItem();
  EXPECT_TRUE(doc.ItemTable[2].Deleted);
  EXPECT_FALSE(doc.ItemTable[3].Deleted);
  EXPECT_EQ(doc.LastDeletedItem, -1);
  EXPECT_FALSE(listener.undeleteEnabled);
  EXPECT_FALSE(doc.UndeleteEnabled());
  EXPECT_EQ(doc.ItemTable.Count(), 3);

  const int rebuilds = listener.rebuilds;
  doc.UndeleteLastItem();
  EXPECT_TRUE(doc.ItemTable[2].Deleted);
  EXPECT_EQ(listener.rebuilds, rebuilds);
}

TEST_F(DocumentTest, EmptyBannerHasNothingToDelete) {
  doc.AddShapeItem({});
  doc.DeleteCurrentItem();
  doc.NewDocument({});
  EXPECT_FALSE(doc.DeleteEnabled());
  EXPECT_FALSE(doc.UndeleteEnabled());
  EXPECT_FALSE(listener.deleteEnabled);
  EXPECT_FALSE(listener.undeleteEnabled);
  EXPECT_FALSE(doc.ChangeMade);

  const int rebuilds = listener.rebuilds;
  doc.DeleteCurrentItem();
  doc.UndeleteLastItem();
  EXPECT_EQ(listener.rebuilds, rebuilds);
  EXPECT_FALSE(doc.ChangeMade);
  EXPECT_EQ(doc.LastDeletedItem, -1);
}

TEST_F(DocumentTest, NewDocumentReturnsEverythingToZero) {
  TTextDefaults text;
  text.ShadowColor = 0x111111;
  text.FontName = "Verdana";
  doc.AddTextItem("x", text);
  doc.AddShapeItem({});
  doc.ItemTable[2].BorderColor = 0xABCDEF;
  doc.BannerSettings.BackgroundType = TBackgroundType::btImage;
  doc.BannerSettings.BackgroundShape = 5;
  doc.BannerSettings.BackgroundColor = 0x123456;
  doc.DeleteCurrentItem();

  TNewDocumentDefaults defaults;
  defaults.BannerWidth = 728;
  defaults.BannerHeight = 90;
  defaults.AnimateBackground = true;
  defaults.AnimateText = false;
  defaults.AnimationLoop = 3;
  defaults.AnimationFirstFrame = 100;
  defaults.AnimationLastFrame = 200;
  listener = RecordingListener{};
  doc.NewDocument(defaults);

  EXPECT_EQ(doc.ItemTable.Count(), 0);
  for (int i = 1; i <= TItemTable::Capacity; ++i) EXPECT_EQ(doc.ItemTable[i], TFlashObjects{});
  EXPECT_EQ(doc.LastDeletedItem, -1);
  EXPECT_EQ(doc.LastShapeItem, -1);
  EXPECT_EQ(doc.LastImageItem, -1);
  EXPECT_EQ(doc.LastTextItem, -1);
  EXPECT_EQ(doc.FindCurrentItem(), -1);
  EXPECT_TRUE(doc.PreviewEnabled);
  EXPECT_EQ(listener.rebuilds, 1);
  const TBannerSettings& s = doc.BannerSettings;
  EXPECT_EQ(s.BannerWidth, 728);
  EXPECT_EQ(s.BannerHeight, 90);
  EXPECT_EQ(s.BackgroundType, TBackgroundType::btColor);
  EXPECT_EQ(s.BackgroundShape, 0);
  EXPECT_EQ(s.BackgroundColor, 0xFFFFFFu);
  EXPECT_TRUE(s.AnimateBackground);
  EXPECT_TRUE(s.AnimateShapes);
  EXPECT_FALSE(s.AnimateText);
  EXPECT_EQ(s.AnimationLoop, 3);
  EXPECT_EQ(s.AnimationFirstFrame, 100);
  EXPECT_EQ(s.AnimationLastFrame, 200);

  doc.AddShapeItem({});
  EXPECT_EQ(doc.ItemTable[1].ShadowColor, 0u);
  EXPECT_EQ(doc.ItemTable[1].FontName, "");
  EXPECT_EQ(doc.ItemTable[1].Width, 364);
}

TEST_F(DocumentTest, HundredthItemIsRefused) {
  for (int i = 0; i < 33; ++i) {
    ASSERT_TRUE(doc.AddShapeItem({}).Added());
    ASSERT_TRUE(doc.AddTextItem("t", {}).Added());
    ASSERT_TRUE(doc.AddImageItem("p.gif", {}).Added());
  }
  ASSERT_EQ(doc.ItemTable.Count(), 99);
  EXPECT_EQ(doc.ItemTable[99].Name, "but99");
  doc.SelectItem(50);
  doc.ChangeMade = false;
  const int rebuilds = listener.rebuilds;

  const TAddResult refused[] = {
      doc.AddShapeItem({}),
      doc.AddTextItem("t", {}),
      doc.AddImageItem("p.gif", {}),
  };
  for (const TAddResult& r : refused) {
    EXPECT_FALSE(r.Added());
    EXPECT_EQ(r.Refusal, "最多只能添加 99 个项目.");
  }
  EXPECT_EQ(doc.ItemTable.Count(), 99);
  EXPECT_EQ(doc.CurrentItemName, "but50");
  EXPECT_FALSE(doc.ChangeMade);
  EXPECT_EQ(listener.rebuilds, rebuilds);
  EXPECT_THROW(doc.ItemTable.Append(), std::length_error);
}

TEST(ItemTable, IndexesFromOneWithinItsCapacity) {
  TItemTable table;
  EXPECT_THROW(table[0], std::out_of_range);
  EXPECT_THROW(table[100], std::out_of_range);
  EXPECT_NO_THROW(table[99]);
  EXPECT_EQ(table.Append().Name, "but1");
  EXPECT_EQ(table.Count(), 1);
}

TEST(BannerSettings, TargetWindowFollowsTheChoice) {
  TBannerSettings s;
  EXPECT_EQ(s.TargetWindow(), "_blank");
  EXPECT_EQ(s.URL, ProgramWebPage);
  s.TargetWindowName = "frame1";
  s.TargetChoice = tcSameWindow;
  EXPECT_EQ(s.TargetWindow(), "_self");
  s.TargetChoice = tcNamedWindow;
  EXPECT_EQ(s.TargetWindow(), "frame1");
}

}  // namespace
}  // namespace tessaly::document
