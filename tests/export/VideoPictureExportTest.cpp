// Videos decoded again with FFmpeg's libraries (frame count, duration,
// size, pictures) and the backup picture.

#include <gtest/gtest.h>

#include <QBuffer>

#include <iostream>

#include "export/BannerExport.h"
#include "export/ExportTestSupport.h"
#include "export/VideoEncoder.h"

namespace tessaly::exports::test {
namespace {

TEST(VideoExport, DecodedVideoHasTheMoviesFramesAndDuration) {
  struct TCase {
    TExportKind kind;
    const char* extension;
    const char* codec;
    int loops;
    int width, height;  // of the banner; the video's are even
  };
  const TCase cases[] = {
      {TExportKind::ekMp4, "mp4", "h264", 1, 468, 60},
      {TExportKind::ekWebm, "webm", "vp9", 1, 468, 60},
      {TExportKind::ekMp4, "mp4", "h264", 2, 467, 59},
      {TExportKind::ekWebm, "webm", "vp9", 3, 125, 125},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.extension) + " x" + std::to_string(c.loops) + " " + std::to_string(c.width));
    TExportKind kind = c.kind;
    const TVideoFormat format = kind == TExportKind::ekMp4 ? TVideoFormat::vfMp4 : TVideoFormat::vfWebm;
    ASSERT_TRUE(HasVideoEncoder(format)) << "this FFmpeg lacks " << VideoEncoderName(format);
    TBannerFixture banner;
    banner.Settings().BannerWidth = c.width;
    banner.Settings().BannerHeight = c.height;
    banner.ChooseEffect(10, 0);
    const TBannerMovie movie = banner.Movie();
    const std::vector<QImage> frames = PlayerFrames(movie);

    TExportOptions options;
    options.Kind = kind;
    options.VideoLoops = c.loops;
    const TExportResult result = ExportBanner(movie, options);
    const int expected = int(frames.size()) * c.loops;
    EXPECT_EQ(result.Frames, expected);
    EXPECT_EQ(result.Width, c.width + c.width % 2);
    EXPECT_EQ(result.Height, c.height + c.height % 2);

    const TDecodedVideo video = DecodeVideo(result.Bytes, c.extension);
    EXPECT_EQ(video.Codec, c.codec);
    EXPECT_EQ(video.Width, result.Width);
    EXPECT_EQ(video.Height, result.Height);
    EXPECT_EQ(video.Frames, expected);
    EXPECT_NEAR(video.Seconds, expected / 35.0, 1.0 / 35) << video.Seconds;
    std::cout << "[ video ] " << c.extension << " " << c.width << " x " << c.height << " x" << c.loops << ": "
              << video.Frames << " frames, " << video.Seconds << " s, " << result.Bytes.size() << " bytes\n";
    // The last frame of the movie, within the losses of 4:2:0 colour.
    ASSERT_EQ(int(video.Pictures.size()), expected);
    const QImage last = video.Pictures.back().copy(0, 0, c.width, c.height);
    EXPECT_LT(ComparePictures(last, frames.back()).Mean[1], 6.0) << ComparePictures(last, frames.back()).Text();
  }
}

TEST(PictureExport, ChosenFrameAsPngOrJpeg) {
  TBannerFixture banner;
  banner.ChooseEffect(10, 0);
  const TBannerMovie movie = banner.Movie();
  const std::vector<QImage> frames = PlayerFrames(movie);
  struct TCase {
    TExportKind kind;
    int frame;
    const char* format;
    double mean;  // the most mean difference per channel
    int worst;
  };
  // A PNG holds the player's picture; the player may round antialiased
  // edges a little differently when it draws a frame after others.
  const TCase cases[] = {
      {TExportKind::ekPng, 0, "PNG", 0.01, 12},
      {TExportKind::ekPng, 5, "PNG", 0.01, 12},
      {TExportKind::ekJpeg, 0, "JPG", 3, 255},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " frame " + std::to_string(c.frame));
    TExportOptions options;
    options.Kind = c.kind;
    options.Frame = c.frame;
    const TExportResult result = ExportBanner(movie, options);
    EXPECT_EQ(result.Frames, 1);
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(result.Bytes.data(), int(result.Bytes.size()), c.format));
    const QImage& expected = frames[c.frame == 0 ? frames.size() - 1 : std::size_t(c.frame) - 1];
    const TChannelDifference d = ComparePictures(picture, expected);
    for (int ch = 0; ch < 3; ++ch) {
      EXPECT_LE(d.Mean[ch], c.mean) << d.Text();
      EXPECT_LE(d.Worst[ch], c.worst) << d.Text();
    }
  }
  TExportOptions beyond;
  beyond.Kind = TExportKind::ekPng;
  beyond.Frame = int(frames.size()) + 1;
  EXPECT_THROW(ExportBanner(movie, beyond), TExportError);
}

}  // namespace
}  // namespace tessaly::exports::test
