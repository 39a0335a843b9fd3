// The background: border arithmetic, the eight outlines, fills, the
// placement at depth 0 and the click button of a saved movie.

#include <gtest/gtest.h>

#include <cmath>

#include "document/BackgroundBuilder.h"
#include "document/BuildTestSupport.h"
#include "document/PictureFiles.h"
#include "document/SwfTestReader.h"

namespace tessaly::test {
namespace {

using document::BorderInsetFor;
using document::TBackgroundType;

TEST(BackgroundBorder, InsetKeepsTheLineInsideTheBanner) {
  struct Case {
    int b, x0, y0, e;
  };
  for (const Case c : {Case{0, 0, 0, 0}, Case{1, 0, 0, 1}, Case{2, 1, 1, 0}, Case{5, 2, 2, 1}, Case{7, 3, 3, 1},
                       Case{9, 4, 5, 0}, Case{10, 5, 5, 0}, Case{11, 5, 6, 0}, Case{50, 25, 25, 0}}) {
    const auto inset = BorderInsetFor(c.b);
    EXPECT_EQ(inset.X0, c.x0) << c.b;
    EXPECT_EQ(inset.Y0, c.y0) << c.b;
    EXPECT_EQ(inset.E, c.e) << c.b;
  }
}

struct TBackgroundFixture : TBuildFixture {
  swf::TFlashShape& Build(const std::string& fileName = "") {
    Movie = Pipeline.ComposePreviewMovie(fileName);
    return *Pipeline.Context().BackgroundCharacter;
  }
  std::unique_ptr<swf::TFlashMovie> Movie;
};

TEST(BackgroundOutline, RectangleByBorderWidth) {
  struct Case {
    int border;
    swf::TRect box;
  };
  for (const Case c : {Case{0, Box(0, 0, 468, 60)}, Case{5, Box(2, 2, 465, 57)}, Case{9, Box(4, 5, 464, 55)}}) {
    TBackgroundFixture f;
    f.Doc.BannerSettings.BorderWidth = c.border;
    f.Doc.BannerSettings.BorderColor = 0x00FF00;
    swf::TFlashShape& shape = f.Build();
    EXPECT_EQ(BoundsOf(shape), c.box) << c.border;
    auto& lines = shape.Definition().LineStyles();
    if (c.border == 0) {
      EXPECT_TRUE(lines.empty());
    } else {
      ASSERT_EQ(lines.size(), 1u);
      EXPECT_EQ(lines[0]->Width, c.border * 20);
      EXPECT_EQ(lines[0]->Color.RGBA(), 0xFF00FF00u);
    }
  }
}

TEST(BackgroundOutline, BoxOutlinesShareTheBoxAndStartEachInItsOwnWay) {
  // 468 x 60 with border 5: the box (2, 2) to (465, 57), 9260 x 1100 twips.
  struct Case {
    int outline;
    TTwipsPoint start;
    TFirstEdge edge;
  };
  const Case cases[] = {
      // Rounded corners of radius W div 15 = 31 pixels: down the right side
      // from (465, 2 + 31), a side of 1100 - 2 x 620 twips.
      {document::bsRoundRect, {9300, 660}, {swf::srStraightEdge, {0, -140}}},
      // From the middle of the right side, curving down.
      {document::bsEllipse, {9300, 590}, {swf::srCurvedEdge, {0, 227, -1356, 161}}},
      // From the top corner down to the right corner.
      {document::bsDiamond, {4660, 40}, {swf::srStraightEdge, {4630, 550}}},
      // From the top-left corner along the top.
      {99, {40, 40}, {swf::srStraightEdge, {9260, 0}}},
  };
  for (const Case& c : cases) {
    TBackgroundFixture f;
    f.Doc.BannerSettings.BackgroundShape = c.outline;
    f.Doc.BannerSettings.BorderWidth = 5;
    swf::TFlashShape& shape = f.Build();
    EXPECT_EQ(BoundsOf(shape), Box(2, 2, 465, 57)) << c.outline;
    EXPECT_EQ(FirstMove(shape), c.start) << c.outline;
    EXPECT_EQ(FirstEdge(shape), c.edge) << c.outline;
  }
}

// The star maker's first point is straight up at the first radius, its
// first inner corner half a step later at the second radius (pixels).
void ExpectStar(swf::TFlashShape& shape, int centreX, int centreY, int points, int first, int second) {
  const TTwipsPoint top = FirstMove(shape);
  EXPECT_EQ(top.X, centreX * 20);
  EXPECT_EQ(top.Y, (centreY - first) * 20);
  for (auto& rec : shape.Definition().ShapeRecords()) {
    if (rec->ShapeRecordType() != swf::srStraightEdge) continue;
    auto& edge = static_cast<swf::TSWFStraightEdgeRecord&>(*rec);
    const double m = -M_PI / 2 + M_PI / points;
    EXPECT_EQ(top.X + edge.DeltaX, centreX * 20 + std::lround(std::cos(m) * second * 20));
    EXPECT_EQ(top.Y + edge.DeltaY, centreY * 20 + std::lround(std::sin(m) * second * 20));
    return;
  }
  ADD_FAILURE() << "no edge";
}

TEST(BackgroundOutline, OctagonRadiiFollowTheShorterSide) {
  struct Case {
    int w, h, border, centreX, centreY, first, second;
  };
  // 468 x 60: m = 30; 125 x 125: m = 62. Border 9: x0 = 4, y0 = 5.
  for (const Case c : {Case{468, 60, 0, 234, 30, 30, 30}, Case{468, 60, 9, 234, 30, 26, 25},
                       Case{125, 125, 9, 62, 62, 58, 57}, Case{125, 125, 0, 62, 62, 62, 62}}) {
    TBackgroundFixture f;
    f.Doc.BannerSettings.BannerWidth = c.w;
    f.Doc.BannerSettings.BannerHeight = c.h;
    f.Doc.BannerSettings.BackgroundShape = document::bsOctagon;
    f.Doc.BannerSettings.BorderWidth = c.border;
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " border " << c.border);
    ExpectStar(f.Build(), c.centreX, c.centreY, 4, c.first, c.second);
  }
}

TEST(BackgroundOutline, HexagonStarAndHalfCircle) {
  {
    TBackgroundFixture f;
    f.Doc.BannerSettings.BackgroundShape = document::bsHexagon;
    f.Doc.BannerSettings.BorderWidth = 9;
    ExpectStar(f.Build(), 234, 30, 3, 26, 25);
  }
  {
    // The star's centre sits round(60 x 0.05) = 3 pixels below the middle;
    // its second radius is round(30 x 0.375) - y0 = 11 - 2.
    TBackgroundFixture f;
    f.Doc.BannerSettings.BackgroundShape = document::bsStar;
    f.Doc.BannerSettings.BorderWidth = 5;
    ExpectStar(f.Build(), 234, 33, 5, 28, 9);
  }
  {
    // The upper half of an ellipse standing on the bottom edge: centre
    // (234, 60 - x0 - e), radii (234 - y0, 60 - 2 x0).
    TBackgroundFixture f;
    f.Doc.BannerSettings.BackgroundShape = document::bsHalfCircle;
    f.Doc.BannerSettings.BorderWidth = 5;
    swf::TFlashShape& shape = f.Build();
    EXPECT_EQ(BoundsOf(shape), Box(234 - 232, 57 - 56, 234 + 232, 57 + 56));
    EXPECT_EQ(FirstMove(shape), (TTwipsPoint{234 * 20, 57 * 20}));
  }
}

TEST(BackgroundOutline, AnimatedBackgroundIsCentredOnTheOrigin) {
  TBackgroundFixture f;
  f.Doc.BannerSettings.AnimateBackground = true;
  f.Movie = f.Pipeline.ComposeAnimatedMovie("");
  EXPECT_EQ(BoundsOf(*f.Pipeline.Context().BackgroundCharacter), Box(-234, -30, 234, 30));

  TBackgroundFixture still;
  still.Doc.BannerSettings.AnimateBackground = false;
  still.Movie = still.Pipeline.ComposeAnimatedMovie("");
  EXPECT_EQ(BoundsOf(*still.Pipeline.Context().BackgroundCharacter), Box(0, 0, 468, 60));
}

TEST(BackgroundFill, ColourIsOpaqueSolidFill) {
  TBackgroundFixture f;
  f.Doc.BannerSettings.BackgroundColor = 0x336699;  // COLORREF: red 0x99
  swf::TFlashShape& shape = f.Build();
  auto& fills = shape.Definition().FillStyles();
  ASSERT_EQ(fills.size(), 1u);
  auto* solid = dynamic_cast<swf::TSWFColorFill*>(fills[0].get());
  ASSERT_NE(solid, nullptr);
  EXPECT_EQ(solid->Color.RGBA(), 0xFF336699u);
  EXPECT_FALSE(shape.HasAlpha());
}

TEST(BackgroundFill, GradientStyles) {
  struct Case {
    int style;
    int type;
    double angle;  // linear only
  };
  for (const Case c : {Case{0, 0x10, 45}, Case{1, 0x10, 135}, Case{2, 0x12, 0}, Case{3, 0x10, 0}, Case{4, 0x12, 0},
                       Case{5, 0x10, 315}, Case{6, 0x12, 0}, Case{7, 0x10, 225}, Case{8, 0x10, 270},
                       Case{12, 0x10, 90}}) {
    TBackgroundFixture f;
    f.Doc.BannerSettings.BackgroundType = TBackgroundType::btGradient;
    f.Doc.BannerSettings.BackgroundGradientStart = 0x0000FF;
    f.Doc.BannerSettings.BackgroundGradientEnd = 0xFF0000;
    f.Doc.BannerSettings.BackgroundGradientStyle = c.style;
    swf::TFlashShape& shape = f.Build();
    auto& fills = shape.Definition().FillStyles();
    ASSERT_EQ(fills.size(), 1u);
    auto* gradient = dynamic_cast<swf::TSWFGradientFill*>(fills[0].get());
    ASSERT_NE(gradient, nullptr) << c.style;
    EXPECT_EQ(gradient->FillStyleType(), c.type) << c.style;
    ASSERT_EQ(gradient->GradientCount, 2);
    EXPECT_EQ(gradient->GradientRecord(1).Color.RGBA(), 0xFF0000FFu);
    EXPECT_EQ(gradient->GradientRecord(2).Color.RGBA(), 0xFFFF0000u);
    if (c.type == 0x10) {
      // ScaleX = cos a x W / 32768, RotateSkew1 = sin a x W / 32768.
      const double a = c.angle * M_PI / 180;
      const double w = 468 * 20;
      EXPECT_NEAR(gradient->GradientMatrix.ScaleXValue(), std::cos(a) * w / 32768, 1e-4) << c.style;
      EXPECT_NEAR(gradient->GradientMatrix.RotateSkew1Value(), std::sin(a) * w / 32768, 1e-4) << c.style;
    }
  }
}

TEST(BackgroundPlacement, PreviewPlacesTheShapeAtDepth0NamedAfterTheLastLookup) {
  TBackgroundFixture f;
  swf::TFlashShape& shape = f.Build();
  auto placements = PlacementsAt(*f.Movie, 0);
  ASSERT_EQ(placements.size(), 1u);
  EXPECT_EQ(placements[0]->PlacedObject(), &shape);
  EXPECT_EQ(placements[0]->PlaceObject2().Name(), "backshape0") << "0 before any lookup";
  EXPECT_EQ(f.Pipeline.Context().BackgroundButton, nullptr);

  f.Doc.CurrentItemName = "nothing";
  f.Doc.FindCurrentItem();
  f.Build();
  EXPECT_EQ(PlacementsAt(*f.Movie, 0)[0]->PlaceObject2().Name(), "backshape-1");
}

TEST(BackgroundPlacement, SavedMovieWrapsTheShapeInAClickButton) {
  TBackgroundFixture f;
  f.Doc.BannerSettings.URL = "https://a.example/";
  f.Doc.BannerSettings.TargetChoice = document::tcNewWindow;
  swf::TFlashShape& shape = f.Build("/tmp/out.swf");
  swf::TFlashButton* button = f.Pipeline.Context().BackgroundButton;
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(f.Pipeline.Context().BackgroundCharacter, &shape);
  auto& records = button->Button2()->ButtonRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0]->CharacterId, shape.CharacterID());
  EXPECT_EQ(records[0]->States, 15);
  EXPECT_EQ(records[0]->PlaceDepth, 1);
  EXPECT_FALSE(button->Button2()->TrackAsMenu);
  const swf::TSWFActionList* release = ButtonActions(*button, swf::bcOverDownToOverUp);
  ASSERT_NE(release, nullptr);
  ASSERT_EQ(ActionCodes(*release), std::vector<int>{0x83});
  auto& url = dynamic_cast<swf::TSWFActionGetUrl&>((*release)[0]);
  EXPECT_EQ(url.URL, "https://a.example/");
  EXPECT_EQ(url.Target, "_blank");
  auto placements = PlacementsAt(*f.Movie, 0);
  ASSERT_EQ(placements.size(), 1u);
  EXPECT_EQ(placements[0]->PlacedObject(), button);
  EXPECT_EQ(placements[0]->PlaceObject2().Name(), "backshape0");
  EXPECT_EQ(ObjectOrder(*f.Movie), "SBP.");
}

TEST(BackgroundPicture, ImagePrecedesTheOutlineAndFillsItsBox) {
  TBackgroundFixture f;
  f.Doc.BannerSettings.BackgroundType = TBackgroundType::btImage;
  f.Doc.BannerSettings.BackgroundImage = f.Temp.Write("back.bmp", MakeBmp(PatternBitmap(20, 10, 24)));
  swf::TFlashShape& shape = f.Build();
  EXPECT_EQ(ObjectOrder(*f.Movie).substr(0, 3), "ISP");
  auto& fills = shape.Definition().FillStyles();
  ASSERT_EQ(fills.size(), 1u);
  auto* bitmap = dynamic_cast<swf::TSWFImageFill*>(fills[0].get());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->FillStyleType(), 0x41);
  // Stretched over the box: 9360 twips / 20 pixels.
  EXPECT_NEAR(bitmap->BitmapMatrix.ScaleXValue(), 9360.0 / 20 + 0.003662109375, 1e-3);
}

TEST(BackgroundPicture, ProgressiveJpegLeavesABmpCopyInTheTemporaryFolder) {
  TBackgroundFixture f;
  TTempDir pictures;
  const std::string jpeg = pictures.Write("Sky.jpg", MakeJpeg(PatternBitmap(16, 8, 24), true));
  f.Doc.BannerSettings.BackgroundType = TBackgroundType::btImage;
  f.Doc.BannerSettings.BackgroundImage = jpeg;
  f.Build();
  EXPECT_TRUE(std::filesystem::exists(f.Temp.Path() / "Sky.BMP"));
  auto images = ObjectsOf<swf::TFlashImage>(*f.Movie);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_FALSE(images[0]->IsJPEG());
  EXPECT_EQ(images[0]->Width(), 16);
}

TEST(BackgroundPicture, GifTakesFrame0AndItsTransparentColour) {
  // A 20 x 10 screen with a 4 x 2 first frame and an 8 x 3 second one: the
  // composed picture, frame 0 and frame 1 differ in size.
  TGifSpec spec;
  spec.ScreenWidth = 20;
  spec.ScreenHeight = 10;
  spec.GlobalColors = {{255, 255, 255}, {0, 0, 255}};
  for (const int width : {4, 8}) {
    TGifFrameSpec frame;
    frame.Width = width;
    frame.Height = width / 4 + 1;
    frame.Indexes.assign(static_cast<std::size_t>(frame.Width * frame.Height), 1);
    frame.Indexes[0] = 0;
    frame.TransparentIndex = 0;
    spec.Frames.push_back(frame);
  }
  TBackgroundFixture f;
  f.Doc.BannerSettings.BackgroundType = TBackgroundType::btImage;
  f.Doc.BannerSettings.BackgroundImage = f.Temp.Write("b.gif", MakeGif(spec));
  f.Build();
  auto images = ObjectsOf<swf::TFlashImage>(*f.Movie);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0]->Width(), 4);
  EXPECT_EQ(images[0]->Height(), 2);
  EXPECT_TRUE(images[0]->HasAlpha());
}

}  // namespace
}  // namespace tessaly::test
