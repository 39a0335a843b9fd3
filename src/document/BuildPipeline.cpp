#include "document/BuildPipeline.h"

#include <cctype>

#include "document/BackgroundBuilder.h"
#include "document/ItemBuilders.h"
#include "platform/SafeFile.h"
#include "swf/FlashObjects.h"

namespace tessaly::document {

namespace {

std::int32_t UsableSize(std::int32_t value, std::int32_t fallback) { return value > 0 ? value : fallback; }

// The SWF version written: the setting when the save tab offers it, else
// the default.
std::uint8_t MovieVersion(std::int32_t flashVersion) {
  return static_cast<std::uint8_t>(IsOfferedFlashVersion(flashVersion) ? flashVersion : DefaultFlashVersion);
}

}  // namespace

std::string ProposedFileName(std::string_view text) {
  std::string name;
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u == ' ' || (u < 0x80 && std::isalpha(u))) name += static_cast<char>(std::tolower(u));
  }
  return name;
}

TBuildPipeline::TBuildPipeline(TBannerDocument& document, TPreviewHost& host, TEffectGenerator* effects,
                               TProjectSaver* projectSaver)
    : document_(document),
      host_(host),
      effects_(effects),
      projectSaver_(projectSaver),
      temporaryFolder_(std::filesystem::temp_directory_path()) {}

std::unique_ptr<swf::TFlashMovie> TBuildPipeline::CreateMovie(TBuildKind kind, const std::string& fileName) {
  const TBannerSettings& settings = document_.BannerSettings;
  const std::int32_t w = UsableSize(settings.BannerWidth, FallbackBannerWidth);
  const std::int32_t h = UsableSize(settings.BannerHeight, FallbackBannerHeight);
  host_.SetSize(w, h);
  host_.Stop();

  context_.Clear();
  context_.Document = &document_;
  context_.Kind = kind;
  context_.FileName = fileName;
  context_.TemporaryFolder = temporaryFolder_;
  context_.BannerWidth = host_.Width();
  context_.BannerHeight = host_.Height();
  context_.CentreX = w / 2;
  context_.CentreY = h / 2;
  context_.ItemCount = document_.ItemTable.Count();
  context_.Warnings = warnings_;
  if (!fileName.empty()) {
    context_.ClickURL = context_.MovieString(settings.URL, "网址");
    context_.ClickTarget = context_.MovieString(settings.TargetWindow(), "目标窗口");
  }

  auto movie = std::make_unique<swf::TFlashMovie>(0, 0, host_.Width() * 20, host_.Height() * 20, BuildFrameRate);
  movie->SetPixelUnits(true);
  movie->SetVersion(MovieVersion(settings.FlashVersion));
  movie->SetCompressed(settings.Compress);
  if (!progressEvent_) {
    meter_.Stop();
    return movie;
  }
  meter_.Start(progressEvent_, kind == TBuildKind::bkAnimated && effects_ != nullptr, movie->Compressed());
  movie->OnProgress = [this](swf::TBasedSWFStream&, int percent, int phase) {
    meter_.Report(phase == 1 ? TBuildPhase::bpObjects : TBuildPhase::bpFile, percent / 100.0);
  };
  return movie;
}

std::unique_ptr<swf::TFlashMovie> TBuildPipeline::ComposePreviewMovie(const std::string& FileName) {
  CheckBannerSize();
  const bool wasPlaying = document_.Playing;
  document_.Playing = false;
  std::unique_ptr<swf::TFlashMovie> movie;
  try {
    movie = CreateMovie(TBuildKind::bkPreview, FileName);
    BuildBackground(*movie, context_, false);
    BuildPreviewItems(*movie, context_);
    movie->ShowFrame(1);
  } catch (...) {
    AbandonBuild(wasPlaying);
    throw;
  }
  return movie;
}

void TBuildPipeline::CheckBannerSize() const {
  const TBannerSettings& settings = document_.BannerSettings;
  const std::int32_t w = UsableSize(settings.BannerWidth, FallbackBannerWidth);
  const std::int32_t h = UsableSize(settings.BannerHeight, FallbackBannerHeight);
  if (w > MaxBannerSide || h > MaxBannerSide) throw TBannerSizeError(w, h);
}

void TBuildPipeline::CheckFrameLimit() const {
  if (effects_ == nullptr) return;
  const std::int64_t frames = effects_->AnimatedFrameCount(document_.BannerSettings);
  if (frames > MaxMovieFrames) throw TFrameLimitError(frames);
}

std::unique_ptr<swf::TFlashMovie> TBuildPipeline::ComposeAnimatedMovie(const std::string& FileName) {
  // A movie holds at most 65,535 frames: refuse before anything changes.
  CheckBannerSize();
  CheckFrameLimit();
  const bool wasPlaying = document_.Playing;
  document_.Playing = true;
  const TBannerSettings& settings = document_.BannerSettings;
  std::unique_ptr<swf::TFlashMovie> movie;
  try {
    movie = CreateMovie(TBuildKind::bkAnimated, FileName);
    BuildBackground(*movie, context_, settings.AnimateBackground);
    BuildAnimatedItems(*movie, context_);
    if (effects_ != nullptr) {
      FollowEffectFrames(*movie);
      const int passes = settings.AnimationLoop > 0 ? settings.AnimationLoop : 1;
      for (int loopIndex = 0; loopIndex < passes; ++loopIndex) {
        effects_->AddEffectFrames(*movie, context_, context_.CentreX, context_.CentreY, loopIndex,
                                  context_.ItemCount);
        meter_.Report(TBuildPhase::bpEffects, static_cast<double>(loopIndex + 1) / passes);
      }
    } else {
      // Without an effect generator no effect frames are added: the first
      // frame is closed so that the banner shows at rest.
      movie->ShowFrame(1);
    }
    if (settings.AnimationLoop > 0) {
      movie->FrameActions().Stop();
      movie->ShowFrame(1);
    }
  } catch (...) {
    AbandonBuild(wasPlaying);
    throw;
  }
  return movie;
}

void TBuildPipeline::AbandonBuild(bool wasPlaying) {
  context_.Clear();
  document_.Playing = wasPlaying;
}

void TBuildPipeline::FollowEffectFrames(swf::TFlashMovie& movie) {
  if (!progressEvent_) return;
  const std::int64_t frames = effects_->AnimatedFrameCount(document_.BannerSettings);
  if (frames <= 0) return;
  movie.OnShowFrame = [this, frames](swf::TFlashMovie& sender) {
    meter_.Report(TBuildPhase::bpEffects, static_cast<double>(sender.FrameCount()) / static_cast<double>(frames));
  };
}

void TBuildPipeline::Publish(swf::TFlashMovie& movie, const std::string& fileName, bool wasPlaying) {
  swf::TMemoryStream stream;
  try {
    movie.WriteObjects();
    movie.SaveToStream(stream);
    meter_.Finish();
    context_.Clear();
    host_.LoadMovie(stream.Bytes());
  } catch (...) {
    AbandonBuild(wasPlaying);
    throw;
  }
  const std::vector<std::uint8_t>& bytes = stream.Bytes();
  host_.Play();
  if (!fileName.empty()) platform::ReplaceFileContents(fileName, std::string(bytes.begin(), bytes.end()));
}

void TBuildPipeline::BuildPreviewMovie(const std::string& FileName) {
  // Only preview rebuilds wait for the document: a save always builds.
  if (!document_.PreviewEnabled && FileName.empty()) return;
  const bool wasPlaying = document_.Playing;
  auto movie = ComposePreviewMovie(FileName);
  Publish(*movie, FileName, wasPlaying);
}

void TBuildPipeline::BuildAnimatedMovie(const std::string& FileName) {
  const bool wasPlaying = document_.Playing;
  auto movie = ComposeAnimatedMovie(FileName);
  Publish(*movie, FileName, wasPlaying);
}

void TBuildPipeline::BuildMovie(const std::string& FileName) {
  if (document_.BannerSettings.HasAnimation())
    BuildAnimatedMovie(FileName);
  else
    BuildPreviewMovie(FileName);
}

void TBuildPipeline::PlayAnimation() {
  if (document_.BannerSettings.HasAnimation()) BuildAnimatedMovie();
}

void TBuildPipeline::StopAnimation() { BuildPreviewMovie(); }

void TBuildPipeline::StopIfPlaying() {
  if (!document_.Playing) return;
  host_.Stop();
  BuildPreviewMovie();
}

void TBuildPipeline::SetSaveDialogFileName(const std::string& moviePath) {
  // A project written on Windows holds a path whose folder means nothing
  // here: only its name is kept.
  const size_t separator = moviePath.find_last_of("/\\");
  saveDialogFileName_ = separator == std::string::npos ? moviePath : moviePath.substr(separator + 1);
  if (separator != std::string::npos && moviePath[separator] == '/')
    saveDialogFolder_ = std::filesystem::path(moviePath).parent_path().string();
}

TSaveResult TBuildPipeline::Save(TSaveDialogs& dialogs, const TSaveFolders& folders) {
  // The frame count does not depend on what the save re-reads, so a movie
  // too long to write is refused before the dialogs and the settings; so is
  // a banner too large for a movie.
  CheckBannerSize();
  if (document_.BannerSettings.HasAnimation()) CheckFrameLimit();
  if (dialogs.ReadSaveOptions().URL == ProgramWebPage && !dialogs.ConfirmDefaultUrl())
    return TSaveResult::srCancelled;

  if (saveDialogFolder_.empty()) saveDialogFolder_ = folders.SaveDirectory;
  if (saveDialogFileName_.empty()) saveDialogFileName_ = ProposedFileName(dialogs.TextEditBoxText());
  const std::optional<std::string> chosen = dialogs.AskSaveFileName(saveDialogFolder_, saveDialogFileName_);
  if (!chosen) return TSaveResult::srCancelled;
  // A build cancelled on the way leaves everything as a cancelled dialog
  // does.
  const std::string folderAsked = saveDialogFolder_;
  const std::string fileNameAsked = saveDialogFileName_;
  TBannerSettings& settings = document_.BannerSettings;
  const TBannerSettings settingsBefore = settings;
  const std::filesystem::path chosenPath(*chosen);
  saveDialogFolder_ = chosenPath.parent_path().string();
  saveDialogFileName_ = chosenPath.filename().string();

  const TSaveOptions options = dialogs.ReadSaveOptions();
  settings.URL = options.URL;
  settings.TargetChoice = options.TargetChoice;
  settings.TargetWindowName = options.TargetWindowName;
  settings.Compress = options.Compress;
  settings.FlashVersion = options.FlashVersion;
  settings.UseClickTag = options.UseClickTag;

  try {
    BuildMovie(*chosen);
  } catch (const TBuildCancelled&) {
    saveDialogFolder_ = folderAsked;
    saveDialogFileName_ = fileNameAsked;
    settings = settingsBefore;
    throw;
  }
  if (projectSaver_ != nullptr) projectSaver_->SaveProject(document_, folders.BwfDirectory, *chosen);
  document_.ChangeMade = false;
  return TSaveResult::srSaved;
}

}  // namespace tessaly::document
