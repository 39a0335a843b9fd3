// The item loop, the wrapping of every item in a button, and the shape
// items: geometry, borders, fills and transparency.

#include <gtest/gtest.h>

#include "document/BuildFills.h"
#include "document/BuildTestSupport.h"
#include "document/ItemBuilders.h"
#include "document/SwfTestReader.h"

namespace tessaly::test {
namespace {

using document::ItemKind;
using document::TransparencyAlpha;

TEST(Transparency, AlphaRoundsHalvesToEven) {
  struct Case {
    int t, alpha;
  };
  // 50 % is 127.5, which rounds to 128; 30 % is 76.5, which rounds to 76;
  // 70 % is 178.5, which rounds to 178.
  for (const Case c : {Case{0, 255}, Case{1, 252}, Case{20, 204}, Case{30, 179}, Case{50, 127}, Case{70, 77},
                       Case{90, 25}, Case{100, 0}, Case{150, 0}})
    EXPECT_EQ(TransparencyAlpha(static_cast<std::uint8_t>(c.t)), c.alpha) << c.t;
}

TEST(ShapeItems, NewShapesOnA468By60Banner) {
  TBuildFixture f;
  document::TShapeDefaults star;
  star.ShapeType = document::stStar;
  f.Doc.AddShapeItem(star);
  document::TShapeDefaults rect;
  rect.ShapeType = document::stRectangle;
  f.Doc.AddShapeItem(rect);
  auto movie = f.Pipeline.ComposePreviewMovie("");
  // Star at (234, 30) with first corner radius 20 and inner corners at 10:
  // its box is that of the larger radius.
  swf::TFlashShape* starShape = f.Pipeline.Context().ItemShapes[1];
  ASSERT_NE(starShape, nullptr);
  EXPECT_EQ(BoundsOf(*starShape), Box(214, 10, 254, 50));
  EXPECT_EQ(FirstMove(*starShape), (TTwipsPoint{234 * 20, 10 * 20}));
  // Rectangle 234 x 30 at (117, 15).
  EXPECT_EQ(BoundsOf(*f.Pipeline.Context().ItemShapes[2]), Box(117, 15, 351, 45));
}

TEST(ShapeItems, GeometryByShapeType) {
  struct Case {
    int type;
    swf::TRect bounds;
    TTwipsPoint start;
    TFirstEdge edge;
  };
  // Box shapes fill X, Y, Width, Height: (10, 5) to (50, 25), 800 x 400
  // twips. Pie, ring and star are drawn around (X, Y) = (200, 100) twips.
  const Case cases[] = {
      // From the top-left corner along the top.
      {document::stRectangle, Box(10, 5, 50, 25), {200, 100}, {swf::srStraightEdge, {800, 0}}},
      // Corners of Radius 8 pixels: down the right side from (50, 5 + 8), a
      // side of 400 - 2 x 160 twips.
      {document::stRoundRect, Box(10, 5, 50, 25), {1000, 260}, {swf::srStraightEdge, {0, 80}}},
      // From the middle of the right side, curving down to 45 degrees of
      // the 400 x 200 twips radii.
      {document::stEllipse, Box(10, 5, 50, 25), {1000, 300}, {swf::srCurvedEdge, {0, 82, -117, 58}}},
      // From the top corner down to the right corner.
      {document::stDiamond, Box(10, 5, 50, 25), {600, 100}, {swf::srStraightEdge, {400, 200}}},
      // From the centre out to StartAngle 180 degrees, the left, at Radius 8.
      {document::stPie, Box(2, -3, 18, 13), {200, 100}, {swf::srStraightEdge, {-160, 0}}},
      // The outer circle (the larger radius, 9) first, from its right, to
      // 45 degrees of 180 twips.
      {document::stRing, Box(1, -4, 19, 14), {380, 100}, {swf::srCurvedEdge, {0, 74, -52, 52}}},
      // Straight up at InnerRadius 9, then to the first inner corner at
      // OuterRadius 8, 36 degrees on: (8 sin 36, 9 - 8 cos 36) pixels.
      {document::stStar, Box(1, -4, 19, 14), {200, -80}, {swf::srStraightEdge, {94, 51}}},
  };
  for (const Case& c : cases) {
    TBuildFixture f;
    auto& item = f.AddRectangle(10, 5, 40, 20);
    item.ShapeType = c.type;
    item.Radius = 8;
    item.InnerRadius = 9;
    item.OuterRadius = 8;
    item.NumberOfPoints = 5;
    item.StartAngle = 180;
    item.EndAngle = 0;
    auto movie = f.Pipeline.ComposePreviewMovie("");
    swf::TFlashShape& shape = *f.Pipeline.Context().ItemShapes[1];
    EXPECT_EQ(BoundsOf(shape), c.bounds) << c.type;
    EXPECT_EQ(FirstMove(shape), c.start) << c.type;
    EXPECT_EQ(FirstEdge(shape), c.edge) << c.type;
  }
}

TEST(ShapeItems, AnimatedShapeIsDrawnAboutTheCentreAndTranslatedBack) {
  TBuildFixture f;
  f.Doc.BannerSettings.AnimationType = 1;
  f.AddRectangle(10, 5, 100, 20);
  auto movie = f.Pipeline.ComposeAnimatedMovie("");
  EXPECT_EQ(BoundsOf(*f.Pipeline.Context().ItemShapes[1]), Box(-224, -25, -124, -5));
  auto placements = PlacementsAt(*movie, 2);
  ASSERT_EQ(placements.size(), 1u);
  ASSERT_TRUE(placements[0]->PlaceObject2().HasMatrix());
  EXPECT_EQ(placements[0]->PlaceObject2().Matrix().TranslateX(), 200);
  EXPECT_EQ(placements[0]->PlaceObject2().Matrix().TranslateY(), 100);

  // With its layer still it stays where it was designed, untranslated.
  TBuildFixture still;
  still.Doc.BannerSettings.AnimationType = 1;
  still.Doc.BannerSettings.AnimateShapes = false;
  still.AddRectangle(10, 5, 100, 20);
  auto stillMovie = still.Pipeline.ComposeAnimatedMovie("");
  EXPECT_EQ(BoundsOf(*still.Pipeline.Context().ItemShapes[1]), Box(10, 5, 110, 25));
  EXPECT_FALSE(PlacementsAt(*stillMovie, 2)[0]->PlaceObject2().HasMatrix());
}

TEST(ShapeItems, HalfTransparentBorderedShapeIsDefineShape3WithAlpha127) {
  TBuildFixture f;
  f.Doc.BannerSettings.Compress = false;
  auto& item = f.AddRectangle(10, 10, 30, 20);
  item.Transparency = 50;
  item.BorderWidth = 3;
  item.BorderColor = 0x112233;
  item.Color = 0x0000FF;
  auto movie = f.Pipeline.ComposePreviewMovie("");
  swf::TFlashShape& shape = *f.Pipeline.Context().ItemShapes[1];
  EXPECT_EQ(FillAlphas(shape), std::vector<int>{127});
  ASSERT_EQ(shape.Definition().LineStyles().size(), 1u);
  EXPECT_EQ(shape.Definition().LineStyles()[0]->Width, 60);
  EXPECT_EQ(shape.Definition().LineStyles()[0]->Color.RGBA(), 0x7F112233u);
  movie.reset();

  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  ASSERT_EQ(swf.CountOf(32), 1u) << "DefineShape3";
  EXPECT_EQ(swf.CountOf(22), 1u) << "the opaque background stays DefineShape2";
  // Fill style array: count 1, solid fill 0x00, RGBA FF 00 00 7F.
  const auto& body = swf.TagsWith(32)[0]->Body;
  const std::vector<std::uint8_t> fill{0x01, 0x00, 0xFF, 0x00, 0x00, 0x7F};
  EXPECT_NE(std::search(body.begin(), body.end(), fill.begin(), fill.end()), body.end());
}

TEST(ShapeItems, GradientFillCarriesTheItemAlphaOnBothColours) {
  TBuildFixture f;
  auto& item = f.AddRectangle(0, 0, 40, 20);
  item.FillType = 1;
  item.Transparency = 20;
  item.GradientStartColor = 0x0000FF;
  item.GradientEndColor = 0x00FF00;
  item.GradientStyle = 2;
  auto movie = f.Pipeline.ComposePreviewMovie("");
  swf::TFlashShape& shape = *f.Pipeline.Context().ItemShapes[1];
  EXPECT_EQ(FillAlphas(shape), (std::vector<int>{204, 204}));
  EXPECT_EQ(shape.Definition().FillStyles()[0]->FillStyleType(), 0x12) << "style 2 is radial";
  EXPECT_TRUE(shape.HasAlpha());
}

TEST(ShapeItems, PictureFillOnlyWhenTheFileExists) {
  TBuildFixture f;
  auto& item = f.AddRectangle(0, 0, 40, 20);
  item.FillType = 2;
  item.BorderWidth = 2;
  item.FillImage = (f.Temp.Path() / "gone.bmp").string();
  auto movie = f.Pipeline.ComposePreviewMovie("");
  swf::TFlashShape& shape = *f.Pipeline.Context().ItemShapes[1];
  EXPECT_TRUE(shape.Definition().FillStyles().empty()) << "border only";
  EXPECT_EQ(shape.Definition().LineStyles().size(), 1u);
  EXPECT_EQ(ObjectOrder(*movie), "SPSBP.");
}

TEST(ShapeItems, PictureFillPrecedesTheShape) {
  TBuildFixture f;
  auto& bmp = f.AddRectangle(0, 0, 40, 20);
  bmp.FillType = 2;
  bmp.Transparency = 30;
  bmp.FillImage = f.Temp.Write("fill.bmp", MakeBmp(PatternBitmap(8, 8, 24)));
  auto& jpeg = f.AddRectangle(50, 0, 40, 20);
  jpeg.FillType = 2;
  jpeg.Transparency = 30;
  jpeg.FillImage = f.Temp.Write("fill.jpg", MakeJpeg(PatternBitmap(8, 8, 24), false));
  auto& gif = f.AddRectangle(100, 0, 40, 20);
  gif.FillType = 2;
  gif.FillImage = f.Temp.Write("fill.gif", SimpleGif(4, 4, {{255, 255, 255}, {9, 9, 9}}, 0));
  auto movie = f.Pipeline.ComposePreviewMovie("");
  // Background shape and placement, then per item: image, shape, button,
  // placement.
  EXPECT_EQ(ObjectOrder(*movie), "SPISBPISBPISBP.");
  auto images = ObjectsOf<swf::TFlashImage>(*movie);
  ASSERT_EQ(images.size(), 3u);
  EXPECT_FALSE(images[0]->IsJPEG());
  EXPECT_TRUE(images[0]->AlphaData().empty()) << "a BMP fill takes no alpha";
  EXPECT_TRUE(images[1]->IsJPEG());
  EXPECT_EQ(images[1]->AlphaData(), std::vector<std::uint8_t>(64, 179));
  EXPECT_TRUE(images[2]->HasAlpha()) << "the GIF's transparent colour";
  auto* fill = dynamic_cast<swf::TSWFImageFill*>(
      f.Pipeline.Context().ItemShapes[1]->Definition().FillStyles().at(0).get());
  ASSERT_NE(fill, nullptr);
  EXPECT_EQ(fill->BitmapId, images[0]->CharacterID());
}

TEST(ItemLoop, DepthsNamesAndSkippedItems) {
  TBuildFixture f;
  f.AddRectangle(0, 0, 5, 5);
  f.AddRectangle(0, 0, 5, 5).Deleted = true;
  f.AddText("   ");
  f.AddRectangle(0, 0, 5, 5);
  auto movie = f.Pipeline.ComposePreviewMovie("");
  const auto& ctx = f.Pipeline.Context();
  EXPECT_NE(ctx.ItemButtons[1], nullptr);
  EXPECT_EQ(ctx.ItemButtons[2], nullptr);
  EXPECT_EQ(ctx.ItemButtons[3], nullptr) << "a blank text is not built";
  EXPECT_NE(ctx.ItemButtons[4], nullptr);
  EXPECT_EQ(PlacementsAt(*movie, 2).size(), 1u);
  EXPECT_TRUE(PlacementsAt(*movie, 4).empty());
  EXPECT_TRUE(PlacementsAt(*movie, 6).empty());
  ASSERT_EQ(PlacementsAt(*movie, 8).size(), 1u);
  EXPECT_EQ(PlacementsAt(*movie, 8)[0]->PlaceObject2().Name(), "but4");
  EXPECT_EQ(PlacementsAt(*movie, 8)[0]->PlacedObject(), ctx.ItemButtons[4]);
  EXPECT_FALSE(PlacementsAt(*movie, 8)[0]->PlaceObject2().HasMatrix()) << "no translation in the preview";
  EXPECT_TRUE(f.Doc.ItemTable[1].InPreview);
  EXPECT_FALSE(f.Doc.ItemTable[2].InPreview);
  EXPECT_FALSE(f.Doc.ItemTable[3].InPreview);
}

TEST(ItemLoop, ButtonsShowTheCharacterInAllStatesAtDepth1) {
  TBuildFixture f;
  f.AddRectangle(0, 0, 5, 5);
  auto movie = f.Pipeline.ComposePreviewMovie("");
  auto* button = f.Pipeline.Context().ItemButtons[1];
  ASSERT_TRUE(button->UseButton2());
  EXPECT_FALSE(button->Button2()->TrackAsMenu);
  auto& records = button->Button2()->ButtonRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0]->CharacterId, f.Pipeline.Context().ItemShapes[1]->CharacterID());
  EXPECT_EQ(records[0]->States, 15);
  EXPECT_EQ(records[0]->PlaceDepth, 1);
}

TEST(ItemLoop, PreviewItemsAreDraggedAndNamedInCurrentObj) {
  TBuildFixture f;
  f.AddRectangle(0, 0, 5, 5);
  f.AddRectangle(0, 0, 5, 5);
  auto movie = f.Pipeline.ComposePreviewMovie("");
  auto* button = f.Pipeline.Context().ItemButtons[2];
  const swf::TSWFActionList* press = ButtonActions(*button, swf::bcOverUpToOverDown);
  ASSERT_NE(press, nullptr);
  // Push "but2", GetVariable, Push "CurrentObj" "but2", SetVariable,
  // StartDrag.
  EXPECT_EQ(ActionCodes(*press), (std::vector<int>{0x96, 0x1C, 0x96, 0x1D, 0x27}));
  auto& first = dynamic_cast<swf::TSWFActionPush&>((*press)[0]);
  ASSERT_EQ(first.Values().size(), 1u);
  EXPECT_EQ(first.Values()[0].String, "but2");
  auto& second = dynamic_cast<swf::TSWFActionPush&>((*press)[2]);
  ASSERT_EQ(second.Values().size(), 2u);
  EXPECT_EQ(second.Values()[0].String, "CurrentObj");
  EXPECT_EQ(second.Values()[1].String, "but2");
  EXPECT_EQ(ButtonActionCodes(*button, swf::bcOverDownToOverUp), std::vector<int>{0x28});
}

TEST(ItemLoop, AnimatedItemsWithoutFileHaveNoActions) {
  TBuildFixture f;
  f.Doc.BannerSettings.AnimationType = 1;
  f.AddRectangle(0, 0, 5, 5);
  auto movie = f.Pipeline.ComposeAnimatedMovie("");
  auto* button = f.Pipeline.Context().ItemButtons[1];
  EXPECT_EQ(ButtonActionCodes(*button, swf::bcOverUpToOverDown), std::vector<int>{});
  EXPECT_EQ(ButtonActionCodes(*button, swf::bcOverDownToOverUp), std::vector<int>{});

  auto saved = f.Pipeline.ComposeAnimatedMovie("/tmp/x.swf");
  EXPECT_EQ(ButtonActionCodes(*f.Pipeline.Context().ItemButtons[1], swf::bcOverDownToOverUp),
            std::vector<int>{0x83});
}

TEST(ItemLoop, PreviewFlagsAndTheDeleteCommand) {
  TBuildFixture f;
  f.Doc.SetCommandState(true, true);
  auto& item = f.AddRectangle(0, 0, 5, 5);
  item.Moved = true;
  f.Pipeline.BuildPreviewMovie();
  EXPECT_TRUE(item.InPreview);
  EXPECT_FALSE(item.Moved);
  EXPECT_TRUE(f.Doc.DeleteEnabled());

  item.Deleted = true;
  f.Pipeline.BuildPreviewMovie();
  EXPECT_FALSE(f.Doc.DeleteEnabled()) << "nothing placed";
  EXPECT_TRUE(f.Doc.UndeleteEnabled());

  // The animated build leaves Moved alone.
  item.Deleted = false;
  item.Moved = true;
  f.Doc.BannerSettings.AnimationType = 1;
  f.Pipeline.BuildAnimatedMovie();
  EXPECT_TRUE(item.Moved);
}

}  // namespace
}  // namespace tessaly::test
