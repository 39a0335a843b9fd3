// The item tabs' commands on a real document whose preview is rebuilt and
// run by our player.
#include <gmock/gmock.h>

#include <functional>

#include "shell/ItemTestSupport.h"
#include "platform/GifDecoder.h"
#include "shell/core/PictureChecks.h"

namespace tessaly::shell::test {
namespace {

using document::ItemKind;
using document::TFlashObjects;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string GifFile(const tessaly::test::TTempDir& folder, const std::string& name, int frames, bool extensions) {
  tessaly::test::TGifSpec spec;
  spec.ScreenWidth = 12;
  spec.ScreenHeight = 8;
  spec.GlobalColors = {{255, 0, 0}, {0, 0, 255}};
  for (int k = 0; k < frames; ++k) {
    tessaly::test::TGifFrameSpec frame;
    frame.Width = 12;
    frame.Height = 8;
    frame.Indexes.assign(96, static_cast<std::uint8_t>(k % 2));
    frame.TransparentIndex = extensions ? 0 : -1;
    spec.Frames.push_back(frame);
  }
  return folder.Write(name, tessaly::test::MakeGif(spec));
}

std::string BmpFile(const tessaly::test::TTempDir& folder, int width, int height) {
  return folder.Write("p.bmp", tessaly::test::MakeBmp(tessaly::test::PatternBitmap(width, height, 24)));
}

// One item of each kind: shape 1, text 2, picture 3 (300 x 100).
struct TThreeItems : TItemBench {
  TThreeItems() {
    Items.ApplyShape();
    Items.NewText();
    TScriptedDialogs dialogs;
    Items.AddPicture(BmpFile(Folder, 300, 100), dialogs);
    Rebuilds = 0;
    Document.ChangeMade = false;
  }
  std::vector<TFlashObjects> Records() const {
    std::vector<TFlashObjects> records;
    for (int i = 1; i <= Document.ItemTable.Count(); ++i) records.push_back(Document.ItemTable[i]);
    return records;
  }
};

using TControlAction = std::function<void(TItemCommands&)>;

std::vector<TControlAction> EveryControl() {
  std::vector<TControlAction> actions;
  for (int f = 0; f <= static_cast<int>(TItemField::TextTransparency); ++f) {
    const auto field = static_cast<TItemField>(f);
    actions.push_back([field](TItemCommands& c) { c.StepField(field, FieldRule(field).ArrowMin + 1); });
    actions.push_back([field](TItemCommands& c) { c.LeaveField(field, "7"); });
  }
  actions.push_back([](TItemCommands& c) { c.SetShapeType(document::stStar); });
  actions.push_back([](TItemCommands& c) { c.SetShapeColor(0x123456); });
  actions.push_back([](TItemCommands& c) { c.SetBorderColor(0x123456); });
  actions.push_back([](TItemCommands& c) { c.SetFillType(1); });
  actions.push_back([](TItemCommands& c) { c.ChooseFillImage("/nowhere.bmp"); });
  actions.push_back([](TItemCommands& c) { c.SetGradientStartColor(0x123456); });
  actions.push_back([](TItemCommands& c) { c.SetGradientEndColor(0x123456); });
  actions.push_back([](TItemCommands& c) { c.SetGradientStyle(7); });
  actions.push_back([](TItemCommands& c) { c.SetKeepAspect(false); });
  actions.push_back([](TItemCommands& c) { c.LeaveText("changed"); });
  actions.push_back([](TItemCommands& c) { c.SetFontName("Liberation Serif"); });
  actions.push_back([](TItemCommands& c) { c.SetTextStyle(tsBoldItalic); });
  actions.push_back([](TItemCommands& c) { c.SetTextColor(0x123456); });
  actions.push_back([](TItemCommands& c) { c.SetShadowColor(0x123456); });
  actions.push_back([](TItemCommands& c) { c.SetShadowAngle(6); });
  return actions;
}

TEST(ItemCommands, WithNoCurrentItemNoControlChangesAnItem) {
  TThreeItems bench;
  bench.Document.CurrentItemName.clear();
  const std::vector<TFlashObjects> before = bench.Records();
  for (const TControlAction& action : EveryControl()) action(bench.Items);
  EXPECT_EQ(bench.Records(), before);
  EXPECT_EQ(bench.Rebuilds, 0);
  EXPECT_FALSE(bench.Document.ChangeMade);
}

TEST(ItemCommands, ShapeFieldsChangeNothingWhileATextIsCurrent) {
  TThreeItems bench;
  bench.Document.SelectItem(2);
  const std::vector<TFlashObjects> before = bench.Records();
  for (int f = 0; f <= static_cast<int>(TItemField::EndAngle); ++f) {
    bench.Items.StepField(static_cast<TItemField>(f), 9);
    bench.Items.LeaveField(static_cast<TItemField>(f), "11");
  }
  EXPECT_EQ(bench.Records(), before);
  EXPECT_EQ(bench.Items.Shape().Radius, 11) << "the control keeps the value for the next shape";
}

struct TLeaveCase {
  TItemField Field;
  std::string Text;
  int Item;  // the item made current
  std::string Message;
  bool Stored;
};

std::int32_t ItemValue(const TFlashObjects& item, TItemField field) {
  switch (field) {
    case TItemField::ShapeHeight: case TItemField::PictureHeight: return item.Height;
    case TItemField::ShapeWidth: case TItemField::PictureWidth: return item.Width;
    case TItemField::ShapeTransparency: case TItemField::PictureTransparency:
    case TItemField::TextTransparency: return item.Transparency;
    case TItemField::BorderWidth: return item.BorderWidth;
    case TItemField::Radius: return item.Radius;
    case TItemField::InnerRadius: return item.InnerRadius;
    case TItemField::OuterRadius: return item.OuterRadius;
    case TItemField::NumberOfPoints: return item.NumberOfPoints;
    case TItemField::StartAngle: return item.StartAngle;
    case TItemField::EndAngle: return item.EndAngle;
    case TItemField::FontSize: return item.FontSize;
    case TItemField::ShadowAltitude: return item.ShadowAltitude;
    case TItemField::CharSpacing: return item.CharSpacing;
  }
  return 0;
}

TEST(ItemCommands, LeavingAFieldAcceptsItsRangeStoresByItsConditionOrShowsItsMessage) {
  const std::vector<TLeaveCase> cases = {
      {TItemField::ShapeHeight, "0", 1, "", false},
      {TItemField::ShapeHeight, "-1", 1, "外形的高度值必须大于0.", false},
      {TItemField::ShapeHeight, " 44 ", 1, "", true},
      {TItemField::ShapeWidth, "0", 1, "", false},
      {TItemField::ShapeWidth, "-3", 1, "外形的宽度值必须是大于 0 的数.", false},
      {TItemField::ShapeWidth, "1200", 1, "", true},
      {TItemField::ShapeTransparency, "101", 1, "透明度的值必须在 0 到 100 之间.", false},
      {TItemField::ShapeTransparency, "100", 1, "", true},
      {TItemField::BorderWidth, "-1", 1, "边缘的宽度值必须是比 0 大的数.", false},
      {TItemField::BorderWidth, "0", 1, "", true},
      {TItemField::BorderWidth, "150", 1, "", true},
      {TItemField::Radius, "-1", 1, "半径的值必须大于0.", false},
      {TItemField::Radius, "0", 1, "", true},
      {TItemField::InnerRadius, "-2", 1, "内径的值必须大于0.", false},
      {TItemField::OuterRadius, "-2", 1, "外径的值必须大于0.", false},
      {TItemField::NumberOfPoints, "-1", 1, "结点数必须大于0.", false},
      {TItemField::NumberOfPoints, "7", 1, "", true},
      {TItemField::StartAngle, "360", 1, "起始角的值的大小必须在 0 到 359 之间.", false},
      {TItemField::StartAngle, "359", 1, "", true},
      {TItemField::EndAngle, "-1", 1, "终止角的值的大小必须在 0 到 359 之间.", false},
      {TItemField::FontSize, "abc", 2, "", false},
      {TItemField::FontSize, "12.5", 2, "", false},
      {TItemField::FontSize, "5", 2, "字体的大小值必须在 6 到 120 之间,请重新设置.", false},
      {TItemField::FontSize, "121", 2, "字体的大小值必须在 6 到 120 之间,请重新设置.", false},
      {TItemField::FontSize, "120", 2, "", true},
      {TItemField::ShadowAltitude, "11", 2, "高度的值必须在 0 到 10 之间.", false},
      {TItemField::ShadowAltitude, "10", 2, "", true},
      {TItemField::CharSpacing, "61", 2, "", false},
      {TItemField::CharSpacing, "-25", 2, "", true},
      {TItemField::TextTransparency, "-1", 2, "透明度的值必须在 0 到 100 之间.", false},
      {TItemField::PictureTransparency, "101", 3, "透明度的值必须在 0 到 100 之间.", false},
      {TItemField::PictureTransparency, "60", 3, "", true},
      {TItemField::PictureHeight, "1500", 3, "", true},
  };
  for (const TLeaveCase& c : cases) {
    TThreeItems bench;
    bench.Document.SelectItem(c.Item);
    const TFlashObjects before = bench.Document.ItemTable[c.Item];
    const std::optional<std::string> message = bench.Items.LeaveField(c.Field, c.Text);
    const TFlashObjects& after = bench.Document.ItemTable[c.Item];
    SCOPED_TRACE(static_cast<int>(c.Field));
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(message.value_or(""), c.Message);
    if (c.Stored) {
      EXPECT_EQ(ItemValue(after, c.Field), *ParseInteger(c.Text));
      EXPECT_EQ(bench.Rebuilds, 1);
      EXPECT_TRUE(bench.Document.ChangeMade);
    } else {
      EXPECT_EQ(after, before);
      EXPECT_EQ(bench.Rebuilds, 0);
    }
  }
}

TEST(ItemCommands, ArrowsStoreTheirPositionAtOnceWithinTheirRange) {
  TThreeItems bench;
  bench.Document.SelectItem(2);
  bench.Items.StepField(TItemField::FontSize, 200);
  EXPECT_EQ(bench.Document.ItemTable[2].FontSize, 120);
  bench.Items.StepField(TItemField::CharSpacing, -3);
  EXPECT_EQ(bench.Document.ItemTable[2].CharSpacing, -3);
  EXPECT_EQ(bench.Rebuilds, 2);
}

TEST(ItemCommands, ShapeTypeChangesKeepTheShapeInPlace) {
  TItemBench bench;
  bench.Items.SetShapeType(document::stStar);
  bench.Items.ApplyShape();
  TFlashObjects& star = bench.Document.ItemTable[1];
  star.Width = 234;
  star.Height = 30;
  ASSERT_EQ(star.X, 234);
  ASSERT_EQ(star.Y, 30);
  bench.Items.SetShapeType(document::stRectangle);
  EXPECT_EQ(star.X, 117);
  EXPECT_EQ(star.Y, 15);
  EXPECT_EQ(star.ShapeType, document::stRectangle);
  bench.Items.SetShapeType(document::stEllipse);
  EXPECT_EQ(star.X, 117) << "box to box: no move";
  bench.Items.SetShapeType(document::stRing);
  EXPECT_EQ(star.X, 234);
  EXPECT_EQ(star.Y, 30);
}

TEST(ItemCommands, ApplyShapeTakesTheControlsAndFillsTheSizeAndRadii) {
  TItemBench bench;
  bench.Items.SetShapeColor(0x00FF00);
  bench.Items.StepField(TItemField::NumberOfPoints, 7);
  bench.Items.StepField(TItemField::ShapeTransparency, 40);
  bench.Items.SetFillType(1);
  EXPECT_EQ(bench.Items.ApplyShape(), std::nullopt);
  const TFlashObjects& shape = bench.Document.ItemTable[1];
  EXPECT_EQ(shape.Color, 0x00FF00u);
  EXPECT_EQ(shape.NumberOfPoints, 7);
  EXPECT_EQ(shape.Transparency, 40);
  EXPECT_EQ(bench.Items.Shape().Height, 30);
  EXPECT_EQ(bench.Items.Shape().Width, 234);
  EXPECT_EQ(bench.Items.Shape().Radius, 15);
  EXPECT_EQ(bench.Items.Shape().InnerRadius, 10);
  EXPECT_EQ(bench.Items.Shape().OuterRadius, 5);
  EXPECT_EQ(bench.Items.Shape().FillType, 0) << "the colour fill box is ticked";
  EXPECT_EQ(bench.Items.Shape().GradientStartColor, 0x00FF00u) << "the shape colour is the gradient's first";
  EXPECT_EQ(bench.Document.CurrentItemName, "but1");
}

TEST(ItemCommands, FillBoxesSetTheFillOfTheCurrentShape) {
  TItemBench bench;
  bench.Items.ApplyShape();
  const TFlashObjects& shape = bench.Document.ItemTable[1];
  bench.Items.SetGradientEndColor(0x00FFFF);
  bench.Items.SetGradientStyle(8);
  bench.Items.SetFillType(1);
  EXPECT_EQ(shape.FillType, 1);
  EXPECT_EQ(shape.GradientStartColor, 0x0000FFu);
  EXPECT_EQ(shape.GradientEndColor, 0x00FFFFu);
  EXPECT_EQ(shape.GradientStyle, 8);
  const std::string fill = BmpFile(bench.Folder, 8, 8);
  bench.Items.ChooseFillImage(fill);
  EXPECT_EQ(shape.FillType, 2);
  EXPECT_EQ(shape.FillImage, fill);
  EXPECT_EQ(bench.Items.Shape().FillType, 2) << "\"图像文件\" is ticked";
  bench.Items.SetFillType(0);
  EXPECT_EQ(shape.FillType, 0);
  bench.Items.SetFillType(2);
  EXPECT_EQ(shape.FillImage, fill);
}

TEST(ItemCommands, TheTextBoxStoresAddsAndNeverStoresABlankText) {
  TItemBench bench;
  EXPECT_EQ(bench.Items.ChangeText("   "), std::nullopt);
  EXPECT_EQ(bench.Document.ItemTable.Count(), 0) << "a blank text adds nothing";
  bench.Items.ChangeText("H");
  ASSERT_EQ(bench.Document.ItemTable.Count(), 1);
  bench.Items.ChangeText("Hi");
  bench.Items.ChangeText("");
  bench.Items.LeaveText(" ");
  EXPECT_EQ(bench.Document.ItemTable.Count(), 1);
  EXPECT_EQ(bench.Document.ItemTable[1].Text, "Hi");
  bench.Items.ChangeText(std::string(300, 'x'));
  EXPECT_EQ(bench.Document.ItemTable[1].Text, std::string(256, 'x'));
  std::string chinese;
  for (int i = 0; i < 300; ++i) chinese += "字";
  bench.Items.LeaveText(chinese);
  EXPECT_EQ(bench.Document.ItemTable[1].Text.size(), 256u * 3) << "256 characters, not bytes";
  bench.Items.NewText();
  EXPECT_EQ(bench.Document.ItemTable[2].Text, "New Text");
  EXPECT_EQ(bench.Items.Text().Text, "New Text");
}

TEST(ItemCommands, TextControlsKeepTheirValuesForTheNextText) {
  TItemBench bench;
  bench.Items.StepField(TItemField::FontSize, 30);
  bench.Items.SetTextStyle(tsBold);
  bench.Items.SetShadowAngle(5);
  bench.Items.StepField(TItemField::ShadowAltitude, 2);
  bench.Items.SetFontName("WenQuanYi Zen Hei");
  bench.Items.NewText();
  const TFlashObjects& text = bench.Document.ItemTable[1];
  EXPECT_EQ(text.FontSize, 30);
  EXPECT_TRUE(text.Bold);
  EXPECT_FALSE(text.Italic);
  EXPECT_EQ(text.ShadowAngle, 5);
  EXPECT_EQ(text.ShadowAltitude, 2);
  EXPECT_EQ(text.ShadowColor, 0xC0C0C0u);
  EXPECT_EQ(text.FontName, "WenQuanYi Zen Hei");
  bench.Items.SetTextStyle(tsItalic);
  EXPECT_TRUE(text.Italic);
  EXPECT_FALSE(text.Bold);
  bench.Items.SetFontName("No Such Face");
  EXPECT_EQ(text.FontName, "No Such Face") << "a face that is not installed keeps its name";
}

TEST(ItemCommands, PicturesAreAddedWithTheirSizeOrRefused) {
  TItemBench bench;
  TScriptedDialogs dialogs;
  bench.Items.AddPicture((bench.Folder.Path() / "missing.gif").string(), dialogs);
  EXPECT_THAT(dialogs.Messages, ElementsAre("指定的文件不存在."));
  EXPECT_EQ(bench.Document.ItemTable.Count(), 0);
  dialogs.Messages.clear();
  bench.Items.AddPicture(bench.Folder.Write("not.gif", std::vector<std::uint8_t>{'x', 'y'}), dialogs);
  EXPECT_EQ(dialogs.Messages.size(), 1u) << "a file that is no picture is refused with a message";
  EXPECT_EQ(bench.Document.ItemTable.Count(), 0);

  dialogs.Messages.clear();
  bench.Items.AddPicture(GifFile(bench.Folder, "one.gif", 1, false), dialogs);
  EXPECT_THAT(dialogs.FrameCounts, IsEmpty()) << "one frame without extension blocks: no frame dialog";
  ASSERT_EQ(bench.Document.ItemTable.Count(), 1);
  EXPECT_EQ(bench.Document.ItemTable[1].GifFrame, -1);
  EXPECT_EQ(bench.Document.ItemTable[1].Width, 12);
  EXPECT_EQ(bench.Items.Picture().Height, 8);

  dialogs.Frame = 3;
  bench.Items.AddPicture(GifFile(bench.Folder, "three.gif", 4, true), dialogs);
  EXPECT_THAT(dialogs.FrameCounts, ElementsAre(4));
  EXPECT_EQ(bench.Document.ItemTable[2].GifFrame, 3);
  dialogs.Frame = -1;
  bench.Items.AddPicture(GifFile(bench.Folder, "cancel.gif", 4, true), dialogs);
  EXPECT_EQ(bench.Document.ItemTable[3].GifFrame, -1) << "cancelled: the GIF's own first picture";
  EXPECT_THAT(dialogs.Messages, IsEmpty());
}

TEST(ItemCommands, PictureSizesFollowKeepAspect) {
  TThreeItems bench;
  bench.Document.SelectItem(3);
  bench.Items.StepField(TItemField::PictureHeight, 50);
  EXPECT_EQ(bench.Document.ItemTable[3].Width, 150);
  EXPECT_EQ(bench.Items.Picture().Width, 150) << "the width control follows";
  bench.Items.SetKeepAspect(false);
  EXPECT_FALSE(bench.Document.ItemTable[3].KeepAspect);
  EXPECT_EQ(bench.Rebuilds, 1) << "\"保持宽高比\" does not rebuild";
  bench.Items.LeaveField(TItemField::PictureHeight, "25");
  EXPECT_EQ(bench.Document.ItemTable[3].Width, 150);
  EXPECT_DOUBLE_EQ(bench.Document.ItemTable[3].AspectRatio, 6.0);
}

TEST(ItemCommands, ShowingATabMakesTheLastItemOfItsKindCurrentAndFillsIt) {
  TThreeItems bench;
  bench.Document.ItemTable[2].FontSize = 33;
  bench.Document.ItemTable[2].CharSpacing = 4;
  bench.Document.ItemTable[2].Bold = true;
  int filled = 0;
  bench.Items.onValuesChanged = [&](ItemKind kind) { filled += kind == ItemKind::ikText; };
  bench.Items.ShowTab(ItemKind::ikText);
  EXPECT_EQ(bench.Document.CurrentItemName, "but2");
  EXPECT_EQ(bench.Items.Text().FontSize, 33);
  EXPECT_EQ(bench.Items.Text().CharSpacing, 4);
  EXPECT_EQ(bench.Items.Text().Style, tsBold);
  EXPECT_EQ(filled, 1);
  bench.Items.ShowTab(ItemKind::ikShape);
  EXPECT_EQ(bench.Document.CurrentItemName, "but1");
  EXPECT_EQ(bench.Items.Shape().Width, 234);
  TItemBench empty;
  empty.Items.ShowTab(ItemKind::ikImage);
  EXPECT_EQ(empty.Document.CurrentItemName, "");
}

TEST(ItemCommands, TheContextMenuDeleteEmptiesTheTextBoxAndKeepsNothingForUndelete) {
  TThreeItems bench;
  bench.Document.SelectItem(2);
  bench.Items.DeleteWithoutUndo();
  EXPECT_TRUE(bench.Document.ItemTable[2].Deleted);
  EXPECT_EQ(bench.Items.Text().Text, "");
  EXPECT_EQ(bench.Document.LastDeletedItem, -1);
  EXPECT_EQ(bench.Rebuilds, 1);
}

// The ink of the banner's picture: pixels darker than mid grey.
int InkOf(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
  return ink;
}

TEST(ItemCommands, AChineseTextInTheChineseFaceShowsItsOwnGlyphs) {
  // Two different characters drawn differently: real glyphs, not the
  // missing-glyph box twice.
  std::vector<QImage> pictures;
  for (const char* text : {"横幅", "广告"}) {
    TItemBench bench;
    bench.Items.SetFontName("文泉驿正黑");
    bench.Items.StepField(TItemField::FontSize, 40);
    bench.Items.ChangeText(text);
    ASSERT_EQ(bench.Document.ItemTable[1].FontName, "文泉驿正黑");
    pictures.push_back(bench.Player.RenderImage(468, 60));
    EXPECT_GT(InkOf(pictures.back()), 300) << text;
  }
  EXPECT_NE(pictures[0], pictures[1]);
}

struct TFrameCase {
  std::string Label, Field;
  bool Accepted;
  std::int32_t GifFrame;
  std::string Message;
};

TEST(FrameDialog, TheChosenFrameIsCheckedAgainstTheCountOnTheLabel) {
  const std::vector<TFrameCase> cases = {
      {"所有帧数:5", "3", true, 3, ""},
      {"所有帧数:5", "5", true, 5, ""},
      {"所有帧数:5", "6", false, -1, "帧数的值的大小必须小于所有帧数的值的大小."},
      {"所有帧数:5", "0", false, -1, "帧数的值必须在 1 到 5 之间."},
      {"所有帧数:5", "-2", false, -1, "帧数的值必须在 1 到 5 之间."},
      {"所有帧数:5", "x", true, -1, ""},
      {"所有帧数", "1", true, 1, ""},
      {"所有帧数", "2", false, -1, "帧数的值的大小必须小于所有帧数的值的大小."},
  };
  for (const TFrameCase& c : cases) {
    const TFrameChoice choice = CheckFrameChoice(c.Label, c.Field);
    SCOPED_TRACE(c.Label + " / " + c.Field);
    EXPECT_EQ(choice.Accepted, c.Accepted);
    EXPECT_EQ(choice.Message, c.Message);
    if (c.Accepted) {
      EXPECT_EQ(choice.GifFrame, c.GifFrame);
    }
  }
}

struct TGifCase {
  const char* Name;
  int Frames;
  int TransparentIndex;
  bool Looping;
  std::string Comment;
  bool Animated;
};

TEST(FrameDialog, AnimatedGifTest) {
  const std::vector<TGifCase> cases = {
      {"one frame, no extension", 1, -1, false, "", false},
      {"two frames, graphic control", 2, 0, false, "", false},
      {"three frames, graphic control", 3, 0, false, "", true},
      {"three frames, no extension", 3, -1, false, "", false},
      {"one frame, looping", 1, -1, true, "", true},
      {"two frames, comment", 2, -1, false, "hello", false},
  };
  for (const TGifCase& c : cases) {
    tessaly::test::TGifSpec spec;
    spec.ScreenWidth = 2;
    spec.ScreenHeight = 2;
    spec.GlobalColors = {{0, 0, 0}, {255, 255, 255}};
    for (int k = 0; k < c.Frames; ++k) {
      tessaly::test::TGifFrameSpec frame;
      frame.Width = 2;
      frame.Height = 2;
      frame.Indexes = {0, 1, 1, 0};
      if (k == 0) {
        frame.TransparentIndex = c.TransparentIndex;
        frame.Looping = c.Looping;
        frame.Comment = c.Comment;
      }
      spec.Frames.push_back(frame);
    }
    const auto bytes = tessaly::test::MakeGif(spec);
    EXPECT_EQ(IsAnimatedGif(platform::TGifImage::LoadFromBytes(bytes, c.Name)), c.Animated) << c.Name;
  }
}

TEST(FrameDialog, ThePictureFilterBecomesAFileDialogFilter) {
  EXPECT_EQ(FileDialogFilter(PictureDialogFilter),
            "所有 (*.gif;*.jpg;*.jpeg;*.bmp) (*.gif *.jpg *.jpeg *.bmp);;GIF 文件 (*.gif) (*.gif);;"
            "JPEG 文件 (*.jpg) (*.jpg);;JPEG 文件(*.jpeg) (*.jpeg);;位图 (*.bmp) (*.bmp)");
  EXPECT_EQ(FileDialogFilter("A|*.a"), "A (*.a)");
  EXPECT_EQ(FileDialogFilter(""), "");
}

TEST(ItemFields, IntegersAreReadStrictly) {
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger(" -7 "), -7);
  EXPECT_EQ(ParseInteger("+3"), 3);
  EXPECT_EQ(ParseInteger("3.0"), std::nullopt);
  EXPECT_EQ(ParseInteger("12a"), std::nullopt);
  EXPECT_EQ(ParseInteger(""), std::nullopt);
  EXPECT_EQ(ParseInteger("++3"), std::nullopt);
  EXPECT_EQ(ParseInteger("99999999999"), std::nullopt);
}

TEST(ItemFields, EachShapeTypeEnablesTheFieldsItIsDrawnFrom) {
  EXPECT_TRUE(ShapeFieldEnabled(document::stRectangle, TItemField::ShapeHeight));
  EXPECT_FALSE(ShapeFieldEnabled(document::stRectangle, TItemField::Radius));
  EXPECT_TRUE(ShapeFieldEnabled(document::stRoundRect, TItemField::Radius));
  EXPECT_TRUE(ShapeFieldEnabled(document::stStar, TItemField::NumberOfPoints));
  EXPECT_FALSE(ShapeFieldEnabled(document::stStar, TItemField::ShapeWidth));
  EXPECT_TRUE(ShapeFieldEnabled(document::stPie, TItemField::StartAngle));
  EXPECT_TRUE(ShapeFieldEnabled(document::stRing, TItemField::OuterRadius));
  EXPECT_FALSE(ShapeFieldEnabled(document::stRing, TItemField::EndAngle));
  EXPECT_TRUE(ShapeFieldEnabled(document::stRing, TItemField::BorderWidth));
}

}  // namespace
}  // namespace tessaly::shell::test
