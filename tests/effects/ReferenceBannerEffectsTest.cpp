// The reference banner built through the pipeline with every effect, and
// the refusal of builds beyond the frame limit. The movies are left in
// <build>/reference-banner/effects/ for looking at them with an SWF player.

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "document/BuildPipeline.h"
#include "effects/unit_OneStepAnim.h"
#include "support/ReferenceBanner.h"
#include "swf/FlashObjects.h"

namespace tessaly::effects {
namespace {

struct TFixture {
  TFixture() { Pipeline.SetTemporaryFolder(Banner.Folder.Path()); }
  test::TReferenceBanner Banner;
  test::TMemoryPreviewHost Host;
  TRandomGenerator Random;
  // The shipped particle pictures, copied beside the executables.
  TOneStepAnim Engine{Random, "bin/"};
  document::TBuildPipeline Pipeline{Banner.Document, Host, &Engine};
};

// The frame count in the header of a movie, compressed or not.
int HeaderFrameCount(const std::vector<std::uint8_t>& movie) {
  std::vector<std::uint8_t> body(movie.begin() + 8, movie.end());
  if (movie[0] == 'C') {
    uLongf size = movie[4] | movie[5] << 8 | movie[6] << 16 | static_cast<uLongf>(movie[7]) << 24;
    std::vector<std::uint8_t> out(size);
    EXPECT_EQ(uncompress(out.data(), &size, body.data(), static_cast<uLong>(body.size())), Z_OK);
    out.resize(size);
    body = out;
  }
  const int bits = body[0] >> 3;
  const std::size_t rectBytes = (5 + 4 * static_cast<std::size_t>(bits) + 7) / 8;
  return body[rectBytes + 2] | body[rectBytes + 3] << 8;
}

class ReferenceBannerEffects : public ::testing::TestWithParam<int> {};

TEST_P(ReferenceBannerEffects, BuildsAtSpeedTenWithLoopsZeroAndTwo) {
  for (int loops : {0, 2}) {
    TFixture f;
    auto& s = f.Banner.Document.BannerSettings;
    s.AnimationType = GetParam();
    s.AnimationSpeed = 10;
    s.AnimationLoop = loops;
    s.AnimationFirstFrame = 100;
    s.AnimationLastFrame = 50;
    f.Pipeline.BuildAnimatedMovie();
    ASSERT_EQ(f.Host.Loads, 1);
    EXPECT_EQ(HeaderFrameCount(f.Host.Movie), f.Engine.AnimatedFrameCount(s)) << "loops " << loops;

    const std::filesystem::path folder = std::filesystem::current_path() / "reference-banner" / "effects";
    std::filesystem::create_directories(folder);
    const std::string name = "effect-" + std::to_string(GetParam()) + "-loop" + std::to_string(loops) + ".swf";
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(f.Host.Movie.data()), static_cast<std::streamsize>(f.Host.Movie.size()));
  }
}

INSTANTIATE_TEST_SUITE_P(AllEffects, ReferenceBannerEffects, ::testing::Range(1, 31));

TEST(FrameLimit, ABuildBeyondTheLimitIsRefusedBeforeAnythingChanges) {
  TFixture f;
  auto& s = f.Banner.Document.BannerSettings;
  s.AnimationType = 3;
  s.AnimationSpeed = 1;
  s.AnimationLoop = 99;
  const document::TBannerSettings settingsBefore = s;
  const std::string file = (f.Banner.Folder.Path() / "refused.swf").string();
  try {
    f.Pipeline.BuildMovie(file);
    ADD_FAILURE() << "the build was not refused";
  } catch (const document::TFrameLimitError& e) {
    EXPECT_EQ(e.Frames, 198100);
    EXPECT_NE(std::string(e.what()).find("198100"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("65535"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(f.Host.Loads, 0);
  EXPECT_EQ(f.Host.Stops, 0);
  EXPECT_FALSE(f.Banner.Document.Playing);
  EXPECT_EQ(s, settingsBefore);
  EXPECT_EQ(f.Random.RandomSeed, 0u);
}

TEST(FrameLimit, TheLargestMovieThatFitsIsBuilt) {
  TFixture f;
  auto& s = f.Banner.Document.BannerSettings;
  // Rotate and shrink at speed 1 with the longest delays: 99 passes of 401
  // frames, the first-frame delay once and the Stop frame.
  s.AnimationType = 26;
  s.AnimationSpeed = 1;
  s.AnimationLoop = 99;
  s.AnimationFirstFrame = 1000;
  s.AnimationLastFrame = 1000;
  EXPECT_EQ(f.Engine.AnimatedFrameCount(s), 200 + 99 * (201 + 200) + 1);
  f.Pipeline.BuildAnimatedMovie();
  EXPECT_EQ(HeaderFrameCount(f.Host.Movie), 200 + 99 * 401 + 1);
}

// In a saved movie the background is a button; an animated background is
// replaced by the bare shape in the first frame, so a click on it opens
// nothing, while a background at rest keeps its button.
TEST(SavedMovie, AnAnimatedBackgroundLosesItsClickButton) {
  for (bool animate : {true, false}) {
    TFixture f;
    auto& s = f.Banner.Document.BannerSettings;
    s.AnimationType = 1;
    s.AnimateBackground = animate;
    const std::string file = (f.Banner.Folder.Path() / "saved.swf").string();
    auto movie = f.Pipeline.ComposeAnimatedMovie(file);
    const auto& context = f.Pipeline.Context();
    ASSERT_NE(context.BackgroundButton, nullptr);
    std::vector<const swf::TFlashObject*> atDepthZero;
    for (const auto& object : movie->ObjectList())
      if (auto* place = dynamic_cast<const swf::TFlashPlaceObject*>(object.get()); place && place->Depth() == 0)
        atDepthZero.push_back(place->PlacedObject());
    ASSERT_FALSE(atDepthZero.empty());
    EXPECT_EQ(atDepthZero.front(), context.BackgroundButton);
    if (animate) {
      ASSERT_EQ(atDepthZero.size(), 22u);
      for (std::size_t k = 1; k < atDepthZero.size(); ++k) EXPECT_EQ(atDepthZero[k], context.BackgroundCharacter);
    } else {
      EXPECT_EQ(atDepthZero.size(), 1u);
    }
  }
}

}  // namespace
}  // namespace tessaly::effects
