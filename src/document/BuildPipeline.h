#pragma once
// Turns the banner document into a movie: the editing preview, the
// animated build, and the save command that writes the published movie and
// its project file. The movie and its bytes live only during one build; the
// result goes to the preview host and, when a file name is given, to the
// file.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "document/BuildContext.h"
#include "document/BuildProgress.h"

namespace tessaly::document {

// The message shown by Save while the click address still has its default
// value; "  继续  " continues, " 取消 " cancels.
inline constexpr std::string_view SaveOptionsCaption = "保存选项";
inline constexpr std::string_view SaveOptionsExampleAddress = "http://www.example.com/";
inline constexpr std::string_view SaveOptionsText =
    "设置保存选项网址为用户点击后访问的页面地址.\n\n"
    "例如,设置网址为: http://www.example.com/\n\n"
    "点击来保存或者取消来修改网址 .";
inline constexpr std::string_view SaveDialogTitle = "保存横幅为";
inline constexpr std::string_view SaveDialogFilter = "Flash 文件|*.swf";

// Size used for a banner whose width or height is not a usable number.
inline constexpr std::int32_t FallbackBannerWidth = 468;
inline constexpr std::int32_t FallbackBannerHeight = 60;
inline constexpr double BuildFrameRate = 35;

// The save options as their controls hold them when Save re-reads them.
struct TSaveOptions {
  std::string URL;
  std::int32_t TargetChoice = tcNewWindow;
  std::string TargetWindowName;
  bool Compress = true;
  std::int32_t FlashVersion = DefaultFlashVersion;
  bool UseClickTag = false;
};

// What the save command asks of the window.
class TSaveDialogs {
 public:
  virtual ~TSaveDialogs() = default;
  // The save options message (SaveOptionsCaption, SaveOptionsText): true to
  // go on saving, false to cancel.
  virtual bool ConfirmDefaultUrl() = 0;
  // The save dialog (SaveDialogTitle, SaveDialogFilter, overwrite prompt)
  // opened in InitialFolder with FileName proposed; the chosen path, or
  // nothing when cancelled.
  virtual std::optional<std::string> AskSaveFileName(const std::string& InitialFolder,
                                                     const std::string& FileName) = 0;
  // The URL, target window, compression and version controls.
  virtual TSaveOptions ReadSaveOptions() = 0;
  // The text item edit box, from which a file name is proposed.
  virtual std::string TextEditBoxText() = 0;
};

// The SaveDirectory and BwfDirectory settings.
struct TSaveFolders {
  std::string SaveDirectory;
  std::string BwfDirectory;
};

enum class TSaveResult { srCancelled, srSaved };

// The proposed movie name for a text: lower case, every character other
// than a-z and space removed.
std::string ProposedFileName(std::string_view text);

class TBuildPipeline {
 public:
  // The document and the host outlive the pipeline. Without an effect
  // generator an animated build adds no effect frames (the background and
  // the items stand still for one frame); without a project saver Save
  // writes the movie only.
  TBuildPipeline(TBannerDocument& document, TPreviewHost& host, TEffectGenerator* effects = nullptr,
                 TProjectSaver* projectSaver = nullptr);

  void SetEffectGenerator(TEffectGenerator* effects) { effects_ = effects; }
  void SetProjectSaver(TProjectSaver* projectSaver) { projectSaver_ = projectSaver; }
  // Where builds report what they had to change in the document's strings
  // (nullptr: nowhere).
  void SetWarningSink(TWarningSink* warnings) { warnings_ = warnings; }
  // Where progressive JPEG pictures are copied as BMP files; the system's
  // temporary folder unless set.
  void SetTemporaryFolder(std::filesystem::path folder) { temporaryFolder_ = std::move(folder); }
  const std::filesystem::path& TemporaryFolder() const { return temporaryFolder_; }
  // Where every build from now on reports its progress (empty: nowhere).
  // The event may throw TBuildCancelled to abandon the build: the host, the
  // file and the document then stay as they were (Save keeps its dialog's
  // folder and file name too) and the exception reaches the caller.
  void SetProgressEvent(TBuildProgressEvent event) { progressEvent_ = std::move(event); }

  // The editing preview: one frame, items draggable (with a file name: the
  // published form, every item opening the URL). Without a file name it
  // does nothing while PreviewEnabled is false; clears Playing. Written to FileName when it is
  // not empty (platform::TFileError on failure, after the preview shows the
  // movie). A banner wider or higher than MaxBannerSide is refused with
  // TBannerSizeError before anything changes; so are both builds below.
  void BuildPreviewMovie(const std::string& FileName = {});
  // The animated build: the effect once per loop pass, with a closing Stop
  // frame when AnimationLoop > 0. Sets Playing. A movie that would need more
  // than MaxMovieFrames frames is refused with TFrameLimitError before
  // anything changes (the host, the file and the document stay as they were).
  void BuildAnimatedMovie(const std::string& FileName = {});
  // BuildPreviewMovie without an effect, else BuildAnimatedMovie.
  void BuildMovie(const std::string& FileName);

  // Play: the animated build when an effect is chosen, else nothing.
  void PlayAnimation();
  // Stop: back to the editing preview.
  void StopAnimation();
  // A tab page was shown: when Playing, stop and show the editing preview.
  void StopIfPlaying();
  // Refresh: the editing preview.
  void Refresh() { BuildPreviewMovie(); }

  // Save: the URL warning, the file name, the save options, the published
  // build written to the chosen file, the project file, ChangeMade cleared.
  // A failure to write the movie or the project propagates (ChangeMade
  // stays set; after a failed movie write no project is written). An
  // animated movie beyond MaxMovieFrames (TFrameLimitError) and a banner
  // beyond MaxBannerSide (TBannerSizeError) are refused before any dialog:
  // nothing is written and nothing changes.
  TSaveResult Save(TSaveDialogs& dialogs, const TSaveFolders& folders);
  // What the save dialog keeps between saves.
  const std::string& SaveDialogFolder() const { return saveDialogFolder_; }
  const std::string& SaveDialogFileName() const { return saveDialogFileName_; }
  // A new document: the next save proposes a name from the text box again.
  void ClearSaveDialogFileName() { saveDialogFileName_.clear(); }
  // The movie path of an opened project: the dialog offers its file name
  // next, in its folder when the path has one on this system (a Windows
  // path gives its file name only).
  void SetSaveDialogFileName(const std::string& moviePath);

  // The object model of a build as BuildPreviewMovie / BuildAnimatedMovie
  // make it, before it is written: the host is sized and stopped, the flags
  // of the items are set, Context() describes the movie while it lives.
  std::unique_ptr<swf::TFlashMovie> ComposePreviewMovie(const std::string& FileName);
  std::unique_ptr<swf::TFlashMovie> ComposeAnimatedMovie(const std::string& FileName);
  const TBuildContext& Context() const { return context_; }

 private:
  std::unique_ptr<swf::TFlashMovie> CreateMovie(TBuildKind kind, const std::string& fileName);
  // Throws TFrameLimitError when the animated movie of the settings would
  // need more frames than a movie holds.
  void CheckFrameLimit() const;
  // Throws TBannerSizeError when the banner is larger than a movie shows.
  void CheckBannerSize() const;
  // A build failed: the context no longer describes a movie and the
  // preview keeps what it showed.
  void AbandonBuild(bool wasPlaying);
  // The effect stage's progress follows the frames the generator adds.
  void FollowEffectFrames(swf::TFlashMovie& movie);
  // The movie written, shown and, with a file name, saved; wasPlaying is
  // Playing before the build, restored when the movie never reaches the
  // preview.
  void Publish(swf::TFlashMovie& movie, const std::string& fileName, bool wasPlaying);

  TBannerDocument& document_;
  TPreviewHost& host_;
  TEffectGenerator* effects_;
  TProjectSaver* projectSaver_;
  TWarningSink* warnings_ = nullptr;
  std::filesystem::path temporaryFolder_;
  TBuildProgressEvent progressEvent_;
  TBuildProgressMeter meter_;
  TBuildContext context_;
  std::string saveDialogFolder_;
  std::string saveDialogFileName_;
};

}  // namespace tessaly::document
