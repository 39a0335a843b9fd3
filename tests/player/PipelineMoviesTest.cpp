// The reference banner built by our pipeline and effect engine, played by
// the player core without a window: clicks in the saved movie, the editing
// preview's scripting calls, the end of an animated build, a text's box,
// and what two effects must show in the pixels.
#include "player/PlayerTestUtil.h"
#include "support/ReferenceBanner.h"

#include "document/BuildPipeline.h"
#include "effects/unit_OneStepAnim.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

namespace tessaly::player::test {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;
using ::testing::Pair;

constexpr int kWidth = 468, kHeight = 60;

// The build copies the particle pictures beside the executables.
std::string ProgramFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

int EffectIndex(std::string_view caption) {
  for (int i = 0; i < effects::EffectCount; ++i)
    if (effects::EffectTable[static_cast<size_t>(i)].Caption == caption) return i;
  ADD_FAILURE() << "no effect " << caption;
  return 0;
}

// The reference banner with the effect engine; the document may be changed
// before a build. Every build starts the random source afresh, so two builds
// of one effect draw the same particles.
struct TBannerBuild {
  TBannerBuild() { Pipeline.SetTemporaryFolder(Banner.Folder.Path()); }

  document::TBannerSettings& Settings() { return Banner.Document.BannerSettings; }
  document::TFlashObjects& Item(int index) { return Banner.Document.ItemTable[index]; }
  void DeleteItems() {
    for (int i = 1; i <= Banner.Document.ItemTable.Count(); ++i) Item(i).Deleted = true;
  }
  // The movie the host was given last, in a player that plays once as the
  // editing host does.
  void Load(TFlashPlayer& player) {
    ASSERT_FALSE(Host.Movie.empty());
    player.SetLoop(false);
    player.LoadMovie(Host.Movie);
    EXPECT_THAT(player.Warnings(), ::testing::IsEmpty());
  }
  std::vector<QImage> AnimatedFrames() {
    Random.RandomSeed = 0;
    Pipeline.BuildAnimatedMovie();
    TFlashPlayer player;
    Load(player);
    std::vector<QImage> frames;
    for (int f = 1; f <= player.FrameCount(); ++f) {
      if (f > 1) player.Tick();
      frames.push_back(player.RenderImage(kWidth, kHeight).convertToFormat(QImage::Format_RGB32));
    }
    return frames;
  }
  QImage Preview() {
    Pipeline.BuildPreviewMovie();
    TFlashPlayer player;
    Load(player);
    return player.RenderImage(kWidth, kHeight).convertToFormat(QImage::Format_RGB32);
  }

  tessaly::test::TReferenceBanner Banner;
  tessaly::test::TMemoryPreviewHost Host;
  effects::TRandomGenerator Random;
  effects::TOneStepAnim Engine{Random, ProgramFolder()};
  document::TBuildPipeline Pipeline{Banner.Document, Host, &Engine};
};

QImage Shown(TFlashPlayer& player) {
  return player.RenderImage(kWidth, kHeight).convertToFormat(QImage::Format_RGB32);
}

int Distance(const TRgb& a, const TRgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

// The largest difference of one channel between two pictures of one size.
int MostDifference(const QImage& a, const QImage& b) {
  int most = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const TRgb p = Pixel(a, x, y), q = Pixel(b, x, y);
      most = std::max({most, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
    }
  return most;
}

// A picture drawn again may differ this much on antialiased edges: the
// renderer then reuses the shapes it kept as images, which round their
// edges a little differently from the first drawing. Anything that moves
// differs far more.
constexpr int kRedrawTolerance = 12;

// Item 1's translucent red over the light background.
bool Reddish(const TRgb& c) { return c.r > c.g + 80 && c.r > c.b + 80; }

// Points of the banner: inside item 1 (the translucent rectangle at 8, 8,
// 70 x 44), the star's centre, the Latin text, and the background between
// the star and the pie.
constexpr QPointF kOnRectangle{40, 30}, kOnStar{112, 31}, kOnLatinText{440, 14}, kOnBackground{165, 12};

TEST(PipelineSavedMovie, ClicksOnItemsAndOnTheBackgroundOpenTheBannerUrl) {
  struct TTargetCase {
    int choice;
    const char* name;
    const char* window;
  };
  for (const TTargetCase& target : {TTargetCase{document::tcNewWindow, "", "_blank"},
                                    TTargetCase{document::tcSameWindow, "", "_self"},
                                    TTargetCase{document::tcNamedWindow, "adframe", "adframe"}}) {
    TBannerBuild b;
    b.Settings().TargetChoice = target.choice;
    b.Settings().TargetWindowName = target.name;
    const std::filesystem::path file = b.Banner.Folder.Path() / "saved.swf";
    b.Pipeline.BuildPreviewMovie(file.string());
    std::ifstream in(file, std::ios::binary);
    const TBytes saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const QPointF& at : {kOnRectangle, kOnStar, kOnLatinText, kOnBackground}) {
      TFlashPlayer player;
      player.LoadMovie(saved);
      std::vector<std::pair<std::string, std::string>> opened;
      player.onGetUrl = [&](const std::string& url, const std::string& window) { opened.emplace_back(url, window); };
      player.MouseMove(at.x(), at.y());
      player.MouseDown(at.x(), at.y());
      EXPECT_THAT(opened, ::testing::IsEmpty()) << "a press alone opens nothing";
      player.MouseUp(at.x(), at.y());
      EXPECT_THAT(opened, ElementsAre(Pair("https://banner.example/landing", target.window)))
          << "click at " << at.x() << ", " << at.y() << ", target " << target.window;
    }
  }
}

// The saved movie's bytes, built by the save path into the banner's folder.
TBytes SavedMovie(TBannerBuild& b, bool animated) {
  const std::filesystem::path file = b.Banner.Folder.Path() / "saved.swf";
  if (animated)
    b.Pipeline.BuildAnimatedMovie(file.string());
  else
    b.Pipeline.BuildPreviewMovie(file.string());
  std::ifstream in(file, std::ios::binary);
  return TBytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The addresses a click at `at` asks to open, the movie loaded with flashVars.
std::vector<std::pair<std::string, std::string>> ClickOpens(const TBytes& movie, std::string_view flashVars,
                                                            QPointF at) {
  TFlashPlayer player;
  player.LoadMovie(movie, flashVars);
  std::vector<std::pair<std::string, std::string>> opened;
  player.onGetUrl = [&](const std::string& url, const std::string& window) { opened.emplace_back(url, window); };
  player.MouseMove(at.x(), at.y());
  player.MouseDown(at.x(), at.y());
  player.MouseUp(at.x(), at.y());
  EXPECT_THAT(player.Warnings(), ::testing::IsEmpty());
  return opened;
}

TEST(PipelineSavedMovie, WithClickTagAClickOpensTheAddressThePagePassesWhenItIsHttp) {
  constexpr const char* landing = "https://banner.example/landing";
  struct TVarsCase {
    const char* flashVars;
    const char* opens;
  };
  const TVarsCase cases[] = {
      {"", landing},
      {"clickTAG=https%3A%2F%2Fad.example%2Ftrack%3Fid%3D7%26u%3Dx", "https://ad.example/track?id=7&u=x"},
      {"clickTAG=http://ad.example/c", "http://ad.example/c"},
      {"clickTAG=", landing},
      {"clickTAG=javascript%3Aalert(1)", landing},
      {"clickTAG=htt", landing},
      {"other=1&clickTAG=http%3A%2F%2Fa.example%2F", "http://a.example/"},
  };
  for (int version = 4; version <= 7; ++version) {
    TBannerBuild b;
    b.Settings().UseClickTag = true;
    b.Settings().FlashVersion = version;
    const TBytes movie = SavedMovie(b, false);
    for (const TVarsCase& c : cases)
      for (const QPointF& at : {kOnRectangle, kOnBackground})
        EXPECT_THAT(ClickOpens(movie, c.flashVars, at), ElementsAre(Pair(c.opens, "_blank")))
            << "version " << version << ", FlashVars \"" << c.flashVars << "\", at " << at.x() << ", " << at.y();
  }
}

TEST(PipelineSavedMovie, WithClickTagTheTargetsAndTheAnimatedMovieStay) {
  const char* tracked = "clickTAG=https%3A%2F%2Fad.example%2Ft";
  for (const auto& [choice, name, window] : {std::tuple{document::tcNewWindow, "", "_blank"},
                                             std::tuple{document::tcSameWindow, "", "_self"},
                                             std::tuple{document::tcNamedWindow, "adframe", "adframe"}}) {
    TBannerBuild b;
    b.Settings().UseClickTag = true;
    b.Settings().TargetChoice = choice;
    b.Settings().TargetWindowName = name;
    const TBytes movie = SavedMovie(b, false);
    EXPECT_THAT(ClickOpens(movie, tracked, kOnStar), ElementsAre(Pair("https://ad.example/t", window)));
    EXPECT_THAT(ClickOpens(movie, "", kOnStar), ElementsAre(Pair("https://banner.example/landing", window)));
  }
  // The animated movie's first frame, items in their buttons, in versions 4 and 6.
  for (int version : {4, 6}) {
    TBannerBuild b;
    b.Settings().UseClickTag = true;
    b.Settings().FlashVersion = version;
    b.Settings().AnimationType = EffectIndex("淡入");
    const TBytes movie = SavedMovie(b, true);
    EXPECT_THAT(ClickOpens(movie, tracked, kOnBackground), ElementsAre(Pair("https://ad.example/t", "_blank")))
        << version;
  }
}

// Where the preview's items stand: _x and _y of but1 .. but9.
std::vector<std::optional<std::string>> ItemPositions(TFlashPlayer& player) {
  std::vector<std::optional<std::string>> positions;
  for (int i = 1; i <= tessaly::test::TReferenceBanner::ItemCount; ++i)
    for (int property : {0, 1}) positions.push_back(player.TGetProperty(document::ItemInstanceName(i), property));
  return positions;
}

void Drag(TFlashPlayer& player, QPointF from, QPointF to) {
  player.MouseMove(from.x(), from.y());
  player.MouseDown(from.x(), from.y());
  player.MouseMove((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
  player.MouseMove(to.x(), to.y());
  player.MouseUp(to.x(), to.y());
}

TEST(PipelinePreview, PressingOnTheBackgroundChangesNothing) {
  TBannerBuild b;
  b.Pipeline.BuildPreviewMovie();
  TFlashPlayer player;
  b.Load(player);
  const auto positions = ItemPositions(player);
  ASSERT_EQ(positions.front(), std::optional<std::string>("0"));
  const QImage before = Shown(player);

  Drag(player, kOnBackground, {kOnBackground.x() + 30, kOnBackground.y() - 2});
  EXPECT_EQ(player.GetVariable("CurrentObj"), std::nullopt);
  EXPECT_EQ(ItemPositions(player), positions);
  EXPECT_LE(MostDifference(Shown(player), before), kRedrawTolerance);

  // Once an item was picked, a press on the background leaves it current.
  player.MouseDown(kOnRectangle.x(), kOnRectangle.y());
  player.MouseUp(kOnRectangle.x(), kOnRectangle.y());
  ASSERT_THAT(player.GetVariable("CurrentObj"), Optional(std::string("but1")));
  Drag(player, kOnBackground, {kOnBackground.x() - 20, kOnBackground.y() - 7});
  EXPECT_THAT(player.GetVariable("CurrentObj"), Optional(std::string("but1")));
  EXPECT_EQ(ItemPositions(player), positions);
  EXPECT_LE(MostDifference(Shown(player), before), kRedrawTolerance);
}

TEST(PipelinePreview, SettingYMovesItemOneAtOnce) {
  TBannerBuild b;
  b.Pipeline.BuildPreviewMovie();
  TFlashPlayer player;
  b.Load(player);
  const QImage before = Shown(player);
  EXPECT_TRUE(player.TSetProperty("but1", 1, "7"));
  EXPECT_THAT(player.TGetProperty("but1", 1), Optional(std::string("7")));
  EXPECT_THAT(player.TGetProperty("but1", 0), Optional(std::string("0")));
  // No frame passes: the next picture shows the rectangle 7 pixels lower,
  // its fill from y = 15 (was 8) to 59 (was 52), under a 3-pixel border.
  const QImage after = Shown(player);
  EXPECT_TRUE(Reddish(Pixel(before, 40, 12)));
  EXPECT_FALSE(Reddish(Pixel(after, 40, 12)));
  EXPECT_FALSE(Reddish(Pixel(before, 40, 55)));
  EXPECT_TRUE(Reddish(Pixel(after, 40, 55)));
  // The other items stay.
  EXPECT_EQ(Pixel(after, 112, 31), Pixel(before, 112, 31));
}

// The animated build as Play makes it: rotate and shrink at speed 10 (20
// steps), no delays.
void RotateAndShrink(TBannerBuild& b, int loops) {
  b.Settings().AnimationType = EffectIndex("旋转收缩");
  b.Settings().AnimationSpeed = 10;
  b.Settings().AnimationLoop = loops;
  b.Settings().AnimationFirstFrame = 0;
  b.Settings().AnimationLastFrame = 0;
}

TEST(PipelineAnimatedMovie, WithoutLoopItEndsOnItsLastFrameAndStaysThere) {
  TBannerBuild b;
  RotateAndShrink(b, 0);
  b.Pipeline.BuildAnimatedMovie();
  TFlashPlayer player;
  b.Load(player);
  player.Play();
  ASSERT_EQ(player.FrameCount(), 21);
  ASSERT_EQ(player.FrameCount(), b.Engine.AnimatedFrameCount(b.Settings()));
  for (int f = 2; f <= 21; ++f) {
    EXPECT_TRUE(player.IsPlaying()) << f;
    player.Tick();
    EXPECT_EQ(player.CurrentFrame(), f);
  }
  const QImage last = Shown(player);
  for (int i = 0; i < 10; ++i) player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 21);
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_LE(MostDifference(Shown(player), last), kRedrawTolerance);
}

TEST(PipelineAnimatedMovie, TheClosingStopFrameStopsEvenALoopingPlayer) {
  TBannerBuild b;
  RotateAndShrink(b, 2);
  b.Pipeline.BuildAnimatedMovie();
  TFlashPlayer player;
  b.Load(player);
  player.SetLoop(true);  // as in a browser
  player.Play();
  // Two passes of 21 frames and the Stop frame.
  ASSERT_EQ(player.FrameCount(), 43);
  for (int f = 2; f <= 43; ++f) player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 43);
  EXPECT_FALSE(player.IsPlaying());
  player.Tick();
  EXPECT_EQ(player.CurrentFrame(), 43);
}

// The box of pixels whose colour differs from the same picture without the
// item by more than a faint antialiasing step.
QRect InkBounds(const QImage& with, const QImage& without) {
  QRect ink;
  for (int y = 0; y < with.height(); ++y)
    for (int x = 0; x < with.width(); ++x)
      if (Distance(Pixel(with, x, y), Pixel(without, x, y)) > 24) ink |= QRect(x, y, 1, 1);
  return ink;
}

TEST(PipelinePreview, TextWidthAndHeightMatchTheRenderedBox) {
  for (int index : {tessaly::test::TReferenceBanner::LatinText, tessaly::test::TReferenceBanner::ChineseText}) {
    SCOPED_TRACE(index);
    TBannerBuild b;
    // The text alone, without its shadow, over the background.
    for (int i = 1; i <= b.Banner.Document.ItemTable.Count(); ++i) b.Item(i).Deleted = i != index;
    b.Item(index).ShadowAltitude = 0;
    const QImage with = b.Preview();
    TFlashPlayer player;
    b.Load(player);
    const std::string name = document::ItemInstanceName(index);
    const std::optional<std::string> width = player.TGetProperty(name, 8), height = player.TGetProperty(name, 9);
    ASSERT_TRUE(width && height);
    const double w = std::stod(*width), h = std::stod(*height);
    // The movie's one text character, its instance standing at 0, 0.
    const TTextDef* text = nullptr;
    for (const auto& [id, character] : player.Movie()->characters)
      if (character->kind == TCharacterKind::ckText) text = static_cast<const TTextDef*>(character.get());
    ASSERT_NE(text, nullptr);
    const QRectF box(QPointF(text->bounds.xmin / 20.0, text->bounds.ymin / 20.0),
                     QPointF(text->bounds.xmax / 20.0, text->bounds.ymax / 20.0));
    EXPECT_NEAR(w, box.width(), 1);
    EXPECT_NEAR(h, box.height(), 1);
    // The size the build wrote back to the document for the editor.
    EXPECT_NEAR(w, b.Item(index).Width, 1);
    EXPECT_NEAR(h, b.Item(index).Height, 1);
    // The box spans the glyphs from side to side; from top to bottom it is
    // the font's line, which holds the ink.
    b.Item(index).Deleted = true;
    const QRect ink = InkBounds(with, b.Preview());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left(), box.left(), 1);
    EXPECT_NEAR(ink.right() + 1, box.right(), 1);
    EXPECT_GE(ink.top(), box.top() - 1);
    EXPECT_LE(ink.bottom() + 1, box.bottom() + 1);
    EXPECT_GE(ink.height(), h * 2 / 3);
  }
}

// Rotate and shrink turns and shrinks every layer about the banner centre
// (234, 30); frame 1 + s shows step s of 20: scale 1 - s / 20, s x 18 degrees.
TEST(PipelineAnimatedMovie, RotateAndShrinkTurnsAboutTheBannerCentre) {
  TBannerBuild b;
  RotateAndShrink(b, 0);
  b.Settings().AnimateBackground = true;
  // The ring's edge touches the centre; moved 6 pixels left, it leaves the
  // centre to the background alone.
  b.Item(tessaly::test::TReferenceBanner::Ring).X -= 6;
  const std::vector<QImage> frames = b.AnimatedFrames();
  ASSERT_EQ(frames.size(), 21u);
  const QImage& first = frames[0];
  const TRgb stage = Pixel(frames[20], 2, 2);
  for (int frame : {6, 11}) {
    SCOPED_TRACE(frame);
    const QImage& turned = frames[static_cast<size_t>(frame - 1)];
    int changed = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) changed += Distance(Pixel(turned, x, y), Pixel(first, x, y)) > 30 ? 1 : 0;
    EXPECT_GT(changed, kWidth * kHeight / 3);
    // Near the centre the picture stays put ...
    for (int y = 29; y <= 31; ++y)
      for (int x = 233; x <= 235; ++x) EXPECT_TRUE(Near(Pixel(turned, x, y), Pixel(first, x, y), 4)) << x << "," << y;
    // ... while the far corners lose the banner to the stage.
    for (QPoint corner : {QPoint(1, 1), QPoint(466, 1), QPoint(1, 58), QPoint(466, 58)}) {
      EXPECT_GT(Distance(Pixel(turned, corner.x(), corner.y()), Pixel(first, corner.x(), corner.y())), 60);
      EXPECT_TRUE(Near(Pixel(turned, corner.x(), corner.y()), stage));
    }
  }
  // Frame 11: half size, turned 180 degrees. Item 1's centre (43, 30) lands
  // at 234 + (234 - 43) / 2 = 329.5, mirrored through the centre, not at
  // 138.5 where shrinking alone would take it.
  EXPECT_TRUE(Reddish(Pixel(frames[10], 329, 30)));
  EXPECT_TRUE(Reddish(Pixel(frames[10], 320, 22)));
  EXPECT_FALSE(Reddish(Pixel(frames[10], 138, 30)));
}

// Falling leaves are placed above every item: where a leaf crosses an item,
// the picture shows the leaf as it looks over the bare background.
TEST(PipelineAnimatedMovie, FallingLeavesAreDrawnOverTheItems) {
  auto leaves = [](TBannerBuild& b) {
    b.Settings().AnimationType = EffectIndex("落叶");
    b.Settings().AnimationSpeed = 10;
    b.Settings().AnimationLoop = 0;
  };
  TBannerBuild withItems, bare;
  leaves(withItems);
  leaves(bare);
  bare.DeleteItems();
  const QImage items = withItems.Preview(), background = bare.Preview();
  const std::vector<QImage> over = withItems.AnimatedFrames(), alone = bare.AnimatedFrames();
  ASSERT_EQ(over.size(), alone.size());
  ASSERT_GT(over.size(), 100u);

  // Inside a leaf (not on its smoothed edge): the pixel and its four
  // neighbours show it over the bare background.
  auto insideLeaf = [&](const QImage& leaf, int x, int y) {
    for (QPoint p : {QPoint(x, y), QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)})
      if (Distance(Pixel(leaf, p.x(), p.y()), Pixel(background, p.x(), p.y())) <= 90) return false;
    return true;
  };
  // The frame where leaves cover the most item pixels of another colour.
  size_t best = 0;
  std::vector<QPoint> crossing;
  for (size_t f = 0; f < over.size(); ++f) {
    std::vector<QPoint> points;
    for (int y = 1; y + 1 < kHeight; ++y)
      for (int x = 1; x + 1 < kWidth; ++x) {
        const TRgb leaf = Pixel(alone[f], x, y), item = Pixel(items, x, y), plain = Pixel(background, x, y);
        if (Distance(item, plain) > 90 && Distance(leaf, item) > 90 && insideLeaf(alone[f], x, y))
          points.emplace_back(x, y);
      }
    if (points.size() > crossing.size()) {
      crossing = std::move(points);
      best = f;
    }
  }
  ASSERT_GE(crossing.size(), 30u);
  int leafOnTop = 0;
  for (QPoint p : crossing) {
    const TRgb shown = Pixel(over[best], p.x(), p.y());
    leafOnTop += Distance(shown, Pixel(alone[best], p.x(), p.y())) <= 12 ? 1 : 0;
  }
  // Were the items drawn over the leaves, hardly any would match: even the
  // translucent rectangle changes a leaf's colour by more than half.
  EXPECT_GE(leafOnTop * 100, static_cast<int>(crossing.size()) * 95) << "frame " << best + 1;
}

}  // namespace
}  // namespace tessaly::player::test
