#include "export/BannerMovie.h"

#include "document/BuildPipeline.h"
#include "swf/FlashObjects.h"

namespace tessaly::exports {

namespace {

// A preview host that only keeps the size; the export writes the movie
// itself.
class TSizeHost : public document::TPreviewHost {
 public:
  void SetSize(std::int32_t width, std::int32_t height) override {
    width_ = width;
    height_ = height;
  }
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  void Stop() override {}
  void LoadMovie(std::span<const std::uint8_t>) override {}
  void Play() override {}

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

// Any name makes the published form (every item opens the URL); nothing
// is written to it.
constexpr const char* PublishedName = "banner.swf";

}  // namespace

TBannerMovie BuildBannerMovie(const document::TBannerDocument& document, document::TEffectGenerator* effects,
                              const std::filesystem::path& temporaryFolder, document::TWarningSink* warnings) {
  document::TBannerDocument copy = document;
  copy.SetListener(nullptr);
  TSizeHost host;
  document::TBuildPipeline pipeline(copy, host, effects);
  if (!temporaryFolder.empty()) pipeline.SetTemporaryFolder(temporaryFolder);
  pipeline.SetWarningSink(warnings);

  const document::TBannerSettings& settings = copy.BannerSettings;
  const bool animated = settings.HasAnimation();
  std::unique_ptr<swf::TFlashMovie> movie =
      animated ? pipeline.ComposeAnimatedMovie(PublishedName) : pipeline.ComposePreviewMovie(PublishedName);
  movie->WriteObjects();
  swf::TMemoryStream stream;
  movie->SaveToStream(stream);

  TBannerMovie result;
  result.Swf = stream.Bytes();
  result.Width = host.Width();
  result.Height = host.Height();
  result.Animated = animated;
  result.PlayCount = animated && settings.AnimationLoop == 0 ? 0 : 1;
  result.Url = settings.URL;
  result.Target = settings.TargetWindow();
  return result;
}

}  // namespace tessaly::exports
