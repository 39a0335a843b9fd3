#include "export/BannerExport.h"

#include <algorithm>
#include <array>

#include "export/BackupPicture.h"
#include "export/FrameTiming.h"
#include "export/GifEncoder.h"
#include "export/Html5Package.h"
#include "export/MovieFrames.h"
#include "export/VideoEncoder.h"
#include "export/WebpEncoder.h"

namespace tessaly::exports {

namespace {

// The quality steps a target weight walks down, best first. WebP goes from
// lossless through near-lossless to lossy unless it is lossy from the start.
constexpr std::array<int, 6> GifColourSteps = {256, 128, 64, 32, 16, 8};
constexpr std::array<int, 3> NearLosslessSteps = {100, 60, 20};
constexpr std::array<int, 6> LossyQualitySteps = {90, 75, 60, 45, 30, 15};

// One step of the walk: the settings of GIF and WebP.
struct TQualityStep {
  TGifOptions Gif;
  TWebpOptions Webp;
};

std::vector<TWebpOptions> WebpSteps(const TExportOptions& options, int playCount) {
  std::vector<TWebpOptions> steps;
  if (!options.LossyWebp)
    for (const int level : NearLosslessSteps) steps.push_back({true, level, 90, playCount, true});
  for (const int quality : LossyQualitySteps) steps.push_back({false, 100, quality, playCount, true});
  return steps;
}

// The GIF walks its own steps; in the package it stays at its last step
// while the WebP walks on.
std::vector<TQualityStep> QualitySteps(const TExportOptions& options, int playCount) {
  std::vector<TWebpOptions> webpSteps = WebpSteps(options, playCount);
  if (options.Kind == TExportKind::ekGif) webpSteps.resize(GifColourSteps.size());
  std::vector<TQualityStep> steps;
  for (const TWebpOptions& webp : webpSteps) {
    TQualityStep step;
    step.Gif.MaxColors = GifColourSteps[std::min(steps.size(), GifColourSteps.size() - 1)];
    step.Gif.Dither = options.Dither;
    step.Gif.PlayCount = playCount;
    step.Webp = webp;
    steps.push_back(step);
  }
  return steps;
}

std::string GifQuality(const TGifOptions& o) {
  return std::to_string(o.MaxColors) + " colours" + (o.Dither ? ", dithered" : "");
}
std::string WebpQuality(const TWebpOptions& o) {
  if (!o.Lossless) return "quality " + std::to_string(o.Quality);
  return o.NearLossless == 100 ? std::string("lossless") : "near-lossless " + std::to_string(o.NearLossless);
}

// Encodes one step of the walk.
std::vector<std::uint8_t> EncodeStep(TExportKind kind, TMovieFrames& frames, const TBannerMovie& movie,
                                     const TQualityStep& step, const TExportProgress& progress, std::string& quality) {
  const int count = frames.Count();
  switch (kind) {
    case TExportKind::ekGif:
      quality = GifQuality(step.Gif);
      return EncodeGif(frames, step.Gif, progress);
    case TExportKind::ekWebp:
      quality = WebpQuality(step.Webp);
      return EncodeWebp(frames, step.Webp, progress);
    default: {
      quality = "GIF " + GifQuality(step.Gif) + ", WebP " + WebpQuality(step.Webp);
      const std::vector<std::uint8_t> gif = EncodeGif(frames, step.Gif, progress.Part(0, 2 * count));
      const std::vector<std::uint8_t> webp = EncodeWebp(frames, step.Webp, progress.Part(count, 2 * count));
      return BuildAdPackage({movie.Width, movie.Height, movie.Url, movie.Target}, webp, gif);
    }
  }
}

// GIF, WebP or the package: the best step, or the first that fits.
void EncodeAnimation(TMovieFrames& frames, const TBannerMovie& movie, const TExportOptions& options,
                     const TExportProgress& progress, TExportResult& result) {
  const int playCount = options.PlayCount.value_or(movie.PlayCount);
  const std::vector<TQualityStep> steps = QualitySteps(options, playCount);
  for (const TQualityStep& step : steps) {
    std::string quality;
    std::vector<std::uint8_t> bytes = EncodeStep(options.Kind, frames, movie, step, progress, quality);
    if (result.Bytes.empty() || bytes.size() < result.Bytes.size()) {
      result.Bytes = std::move(bytes);
      result.Quality = quality;
    }
    if (options.MaxBytes == 0 || result.Bytes.size() <= options.MaxBytes) return;
  }
  result.FitsTarget = false;
}

}  // namespace

TExportResult ExportBanner(const TBannerMovie& movie, const TExportOptions& options,
                           const TExportProgress& progress) {
  TMovieFrames frames(movie.Swf);
  TExportResult result;
  result.Width = frames.Width();
  result.Height = frames.Height();
  result.Frames = frames.Count();
  switch (options.Kind) {
    case TExportKind::ekGif:
    case TExportKind::ekWebp:
    case TExportKind::ekHtml5:
      EncodeAnimation(frames, movie, options, progress, result);
      break;
    case TExportKind::ekMp4:
    case TExportKind::ekWebm: {
      const TVideoOptions video{options.Kind == TExportKind::ekMp4 ? TVideoFormat::vfMp4 : TVideoFormat::vfWebm,
                                VideoLoopCount(options.VideoLoops)};
      result.Bytes = EncodeVideo(frames, video, progress);
      result.Frames = frames.Count() * video.Loops;
      result.Width = EvenSize(frames.Width());
      result.Height = EvenSize(frames.Height());
      result.Quality = VideoEncoderName(video.Format);
      break;
    }
    case TExportKind::ekPng:
    case TExportKind::ekJpeg: {
      const TPictureOptions picture{options.Kind == TExportKind::ekPng ? TPictureFormat::pfPng : TPictureFormat::pfJpeg,
                                    options.Frame};
      progress.Step(0, 1);
      result.Bytes = EncodePicture(frames, picture);
      result.Frames = 1;
      progress.Step(1, 1);
      break;
    }
  }
  result.Seconds = options.Kind == TExportKind::ekPng || options.Kind == TExportKind::ekJpeg
                       ? 0
                       : RunSeconds(result.Frames);
  return result;
}

std::optional<std::string> WeightWarning(std::size_t bytes) {
  if (bytes <= AdWeightLimit) return std::nullopt;
  return "it weighs " + std::to_string((bytes + 1023) / 1024) + " KB, more than the " +
         std::to_string(AdWeightLimit / 1024) + " KB that display ads commonly allow";
}

}  // namespace tessaly::exports
