// Each picture file of a build is read from disk once, however often the
// banner uses it, and again by the next build: the opens of the picture
// files are counted with inotify while a build runs.

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <map>

#include "document/BuildTestSupport.h"

namespace tessaly::test {
namespace {

// Counts the opens of the files in a folder from its creation on. Each open
// is followed by its close, so no two open events in a row are the same
// and the kernel merges none of them.
class TOpenCounter {
 public:
  explicit TOpenCounter(const std::filesystem::path& folder) : fd_(inotify_init1(IN_NONBLOCK)) {
    EXPECT_GE(fd_, 0);
    EXPECT_GE(inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CLOSE), 0);
  }
  ~TOpenCounter() { close(fd_); }
  TOpenCounter(const TOpenCounter&) = delete;
  TOpenCounter& operator=(const TOpenCounter&) = delete;

  // Opens per file name since the last call.
  std::map<std::string, int> Take() {
    std::map<std::string, int> opens;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    for (ssize_t n; (n = read(fd_, buffer.data(), buffer.size())) > 0;) {
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
        if ((event->mask & IN_OPEN) != 0 && event->len > 0) ++opens[event->name];
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return opens;
  }

 private:
  int fd_;
};

TEST(PictureReads, EveryPictureOfABuildIsOpenedOnce) {
  TTempDir pictures;
  TGifSpec gif;
  gif.ScreenWidth = 6;
  gif.ScreenHeight = 4;
  gif.GlobalColors = {{0, 0, 0}, {255, 0, 0}};
  for (int k = 0; k < 2; ++k) {
    TGifFrameSpec frame;
    frame.Width = 3 + k;
    frame.Height = 2;
    frame.Indexes.assign(static_cast<std::size_t>(frame.Width * frame.Height), static_cast<std::uint8_t>(k));
    gif.Frames.push_back(frame);
  }
  const std::string background = pictures.Write("back.jpg", MakeJpeg(PatternBitmap(16, 8, 24), false));
  const std::string progressive = pictures.Write("prog.jpg", MakeJpeg(PatternBitmap(10, 6, 24), true));
  const std::string frames = pictures.Write("frames.gif", MakeGif(gif));
  const std::string bitmap = pictures.Write("item.bmp", MakeBmp(PatternBitmap(5, 5, 24)));
  const std::string fillJpeg = pictures.Write("fill.jpeg", MakeJpeg(PatternBitmap(8, 8, 24), false));
  const std::string fillGif = pictures.Write("fill.gif", MakeGif(gif));

  for (const bool animated : {false, true}) {
    TBuildFixture f;
    f.Doc.BannerSettings.BackgroundType = document::TBackgroundType::btImage;
    f.Doc.BannerSettings.BackgroundImage = background;
    f.Doc.BannerSettings.AnimationType = animated ? 1 : 0;
    f.AddPicture(progressive, 0, 0, 10, 6).Transparency = 30;
    f.AddPicture(frames, 10, 0, 6, 4).GifFrame = 2;
    f.AddPicture(bitmap, 20, 0, 5, 5);
    for (const std::string& fill : {fillJpeg, fillGif}) {
      document::TFlashObjects& shape = f.AddRectangle(0, 10, 20, 20);
      shape.FillType = 2;
      shape.FillImage = fill;
    }

    TOpenCounter counter(pictures.Path());
    if (animated)
      f.Pipeline.BuildAnimatedMovie((f.Temp.Path() / "saved.swf").string());
    else
      f.Pipeline.BuildPreviewMovie();
    ASSERT_FALSE(f.Host.Movie.empty());
    const std::map<std::string, int> expected = {{"back.jpg", 1},  {"prog.jpg", 1},  {"frames.gif", 1},
                                                 {"item.bmp", 1},  {"fill.jpeg", 1}, {"fill.gif", 1}};
    EXPECT_EQ(counter.Take(), expected) << (animated ? "animated" : "preview");
  }
}

// A banner that uses one JPEG file as its background, a picture item and a
// shape's fill.
void UseThreeWays(TBuildFixture& f, const std::string& file) {
  f.Doc.BannerSettings.BackgroundType = document::TBackgroundType::btImage;
  f.Doc.BannerSettings.BackgroundImage = file;
  f.AddPicture(file, 0, 0, 8, 8);
  document::TFlashObjects& shape = f.AddRectangle(10, 0, 8, 8);
  shape.FillType = 2;
  shape.FillImage = file;
}

void Build(TBuildFixture& f, bool animated) {
  if (animated)
    f.Pipeline.BuildAnimatedMovie((f.Temp.Path() / "saved.swf").string());
  else
    f.Pipeline.BuildPreviewMovie();
}

TEST(PictureReads, AFileUsedThreeWaysIsOpenedOncePerBuildAndAgainByTheNext) {
  for (const bool animated : {false, true}) {
    SCOPED_TRACE(animated ? "animated" : "preview");
    TTempDir pictures;
    const std::string file = pictures.Write("shared.jpg", MakeJpeg(PatternBitmap(8, 8, 24), false));
    TBuildFixture f;
    f.Doc.BannerSettings.AnimationType = animated ? 1 : 0;
    UseThreeWays(f, file);
    const std::map<std::string, int> once = {{"shared.jpg", 1}};

    TOpenCounter counter(pictures.Path());
    Build(f, animated);
    const TBytes first = f.Host.Movie;
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(counter.Take(), once);

    // The file changes on disk between two builds: the next build reads it
    // again and shows the new picture, as a fresh build of it does.
    pictures.Write("shared.jpg", MakeJpeg(PatternBitmap(6, 4, 24), false));
    counter.Take();
    Build(f, animated);
    EXPECT_EQ(counter.Take(), once);
    EXPECT_TRUE(f.Host.Movie != first) << "the movie still shows the old picture";

    // Built twice, so that its document has been through as many builds.
    TBuildFixture fresh;
    fresh.Doc.BannerSettings.AnimationType = animated ? 1 : 0;
    UseThreeWays(fresh, file);
    Build(fresh, animated);
    Build(fresh, animated);
    EXPECT_TRUE(f.Host.Movie == fresh.Host.Movie) << "the rebuilt movie differs from a fresh build of the new picture";
  }
}

}  // namespace
}  // namespace tessaly::test
