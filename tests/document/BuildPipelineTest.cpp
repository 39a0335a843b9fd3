// The build paths: movie settings, the preview host, the animated build's
// passes and Stop frame, the save command and safe movie files.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

#include "document/BuildTestSupport.h"
#include "document/SwfTestReader.h"
#include "platform/FileBytes.h"

namespace tessaly::test {
namespace {

using document::TBuildContext;
using document::TSaveResult;

constexpr std::uint16_t kShowFrame = 1, kDoAction = 12, kPlaceObject2 = 26;

TEST(BuildPipeline, PreviewMovieHasTheBannerFrameAt35FramesPerSecond) {
  TBuildFixture f;
  f.Doc.BannerSettings.Compress = false;
  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  EXPECT_EQ(swf.Signature, "FWS");
  EXPECT_EQ(swf.Xmin, 0);
  EXPECT_EQ(swf.Ymin, 0);
  EXPECT_EQ(swf.Xmax, 9360);
  EXPECT_EQ(swf.Ymax, 1200);
  EXPECT_EQ(swf.FrameRate, 35 * 256);
  EXPECT_EQ(swf.FrameCount, 1);
  EXPECT_EQ(swf.CountOf(9), 0u) << "no SetBackgroundColor tag";
  EXPECT_EQ(f.Host.Width(), 468);
  EXPECT_EQ(f.Host.Height(), 60);
  EXPECT_EQ(f.Host.Loads, 1);
  EXPECT_EQ(f.Host.Plays, 1);
  EXPECT_GE(f.Host.Stops, 1);
  EXPECT_FALSE(f.Doc.Playing);
}

TEST(BuildPipeline, SizeThatIsNotUsableFallsBackTo468By60) {
  TBuildFixture f;
  f.Doc.BannerSettings.BannerWidth = 0;
  f.Doc.BannerSettings.BannerHeight = -5;
  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  EXPECT_EQ(swf.Xmax, 9360);
  EXPECT_EQ(swf.Ymax, 1200);
}

TEST(BuildPipeline, VersionAndCompression) {
  struct Case {
    int version;
    bool compress;
    const char* signature;
    int written;
  };
  // Buttons and shapes need no more than version 3, so an uncompressed
  // version 4 movie stays at 4; compression raises it to 6.
  for (const Case c : {Case{4, true, "CWS", 6}, Case{4, false, "FWS", 4}, Case{7, true, "CWS", 7},
                       Case{5, false, "FWS", 5}}) {
    TBuildFixture f;
    f.AddRectangle(10, 10, 20, 20);
    f.Doc.BannerSettings.FlashVersion = c.version;
    f.Doc.BannerSettings.Compress = c.compress;
    f.Pipeline.BuildPreviewMovie();
    const TSwfFile swf = ReadSwf(f.Host.Movie);
    EXPECT_EQ(swf.Signature, c.signature) << c.version;
    EXPECT_EQ(swf.Version, c.written) << c.version << " " << c.compress;
  }
}

TEST(BuildPipeline, PreviewIsNotRebuiltWhilePreviewIsDisabled) {
  TBuildFixture f;
  f.Doc.PreviewEnabled = false;
  f.Pipeline.BuildPreviewMovie();
  EXPECT_EQ(f.Host.Loads, 0);
}

TEST(BuildPipeline, PreviewWithFileNameWritesTheSameBytes) {
  TBuildFixture f;
  f.AddRectangle(1, 1, 5, 5);
  const std::string file = (f.Temp.Path() / "banner.swf").string();
  f.Pipeline.BuildPreviewMovie(file);
  EXPECT_EQ(platform::ReadFileBytes(file), f.Host.Movie);
}

// Records every call of the effect generator, with what the context held.
class TRecordingEffects : public document::TEffectGenerator {
 public:
  struct Call {
    int CentreX, CentreY, LoopIndex, ItemCount;
    bool HasBackground, HasButton1;
  };
  void AddEffectFrames(swf::TFlashMovie& movie, const TBuildContext& context, std::int32_t centreX,
                       std::int32_t centreY, int loopIndex, int itemCount) override {
    Calls.push_back({centreX, centreY, loopIndex, itemCount, context.BackgroundCharacter != nullptr,
                     context.ItemButtons[1] != nullptr});
    for (int i = 0; i < FramesPerPass; ++i) movie.ShowFrame(1);
  }
  std::int64_t AnimatedFrameCount(const document::TBannerSettings&) const override { return Frames; }
  std::vector<Call> Calls;
  std::int64_t Frames = 0;
  int FramesPerPass = 1;
};

TEST(BuildPipeline, AnimatedBuildRunsOnePassPerLoopAndEndsOnAStopFrame) {
  for (int loops : {0, 1, 3}) {
    TBuildFixture f;
    TRecordingEffects effects;
    f.Pipeline.SetEffectGenerator(&effects);
    f.Doc.BannerSettings.Compress = false;
    f.Doc.BannerSettings.AnimationType = 4;
    f.Doc.BannerSettings.AnimationLoop = loops;
    f.AddRectangle(0, 0, 10, 10);
    f.Add(document::ItemKind::ikShape).Deleted = true;
    f.Pipeline.BuildAnimatedMovie();
    EXPECT_TRUE(f.Doc.Playing);

    const int passes = loops == 0 ? 1 : loops;
    ASSERT_EQ(static_cast<int>(effects.Calls.size()), passes) << loops;
    for (int i = 0; i < passes; ++i) {
      EXPECT_EQ(effects.Calls[i].LoopIndex, i);
      EXPECT_EQ(effects.Calls[i].CentreX, 234);
      EXPECT_EQ(effects.Calls[i].CentreY, 30);
      EXPECT_EQ(effects.Calls[i].ItemCount, 2) << "deleted records count";
      EXPECT_TRUE(effects.Calls[i].HasBackground);
      EXPECT_TRUE(effects.Calls[i].HasButton1);
    }
    const TSwfFile swf = ReadSwf(f.Host.Movie);
    const bool stops = loops > 0;
    EXPECT_EQ(swf.FrameCount, passes + (stops ? 1 : 0)) << loops;
    ASSERT_EQ(swf.CountOf(kDoAction), stops ? 1u : 0u) << loops;
    if (stops) {
      // The DoAction holds Stop (0x07) and the end byte, just before the
      // last ShowFrame.
      EXPECT_EQ(swf.TagsWith(kDoAction)[0]->Body, (std::vector<std::uint8_t>{0x07, 0x00}));
      EXPECT_EQ(swf.Tags[swf.Tags.size() - 3].Code, kDoAction);
      EXPECT_EQ(swf.Tags[swf.Tags.size() - 2].Code, kShowFrame);
    }
  }
}

TEST(BuildPipeline, AnimatedBuildWithoutGeneratorShowsTheBannerAtRest) {
  TBuildFixture f;
  f.Doc.BannerSettings.AnimationType = 1;
  f.AddRectangle(0, 0, 10, 10);
  f.Pipeline.BuildAnimatedMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  EXPECT_EQ(swf.FrameCount, 1) << "the banner's first frame, without effect frames";
  EXPECT_EQ(swf.CountOf(kPlaceObject2), 2u);
}

TEST(BuildPipeline, PlayStopAndBuildMovieChooseTheBuildPath) {
  TBuildFixture f;
  TRecordingEffects effects;
  f.Pipeline.SetEffectGenerator(&effects);

  f.Doc.BannerSettings.AnimationType = 0;
  f.Pipeline.PlayAnimation();
  EXPECT_EQ(f.Host.Loads, 0) << "Play without an effect does nothing";
  f.Pipeline.BuildMovie("");
  EXPECT_TRUE(effects.Calls.empty());
  EXPECT_EQ(f.Host.Loads, 1);

  f.Doc.BannerSettings.AnimationType = -1;
  f.Pipeline.BuildMovie("");
  EXPECT_TRUE(effects.Calls.empty()) << "nothing selected means no animation";

  f.Doc.BannerSettings.AnimationType = 7;
  f.Pipeline.PlayAnimation();
  EXPECT_EQ(effects.Calls.size(), 1u);
  EXPECT_TRUE(f.Doc.Playing);

  const int stops = f.Host.Stops;
  f.Pipeline.StopIfPlaying();
  EXPECT_FALSE(f.Doc.Playing);
  EXPECT_GT(f.Host.Stops, stops);
  const int loads = f.Host.Loads;
  f.Pipeline.StopIfPlaying();
  EXPECT_EQ(f.Host.Loads, loads) << "not playing: nothing to stop";
  f.Pipeline.StopAnimation();
  EXPECT_EQ(f.Host.Loads, loads + 1) << "Stop always rebuilds the editing preview";
  EXPECT_EQ(effects.Calls.size(), 1u);
}

TEST(BuildPipeline, EffectNumbersOutsideTheListBuildTheOneFrameMovie) {
  for (int type : {31, 32, 1000, -2, INT32_MIN, INT32_MAX}) {
    TBuildFixture f;
    TRecordingEffects effects;
    f.Pipeline.SetEffectGenerator(&effects);
    f.Doc.BannerSettings.AnimationType = type;
    f.Doc.BannerSettings.AnimationLoop = 2;
    f.AddRectangle(0, 0, 10, 10);
    f.Pipeline.PlayAnimation();
    EXPECT_EQ(f.Host.Loads, 0) << type << ": Play has no effect to play";
    const std::string file = (f.Temp.Path() / "banner.swf").string();
    f.Pipeline.BuildMovie(file);
    EXPECT_TRUE(effects.Calls.empty()) << type;
    EXPECT_FALSE(f.Doc.Playing) << type;
    const TSwfFile swf = ReadSwf(f.Host.Movie);
    EXPECT_EQ(swf.FrameCount, 1) << type;
    EXPECT_EQ(swf.CountOf(kDoAction), 0u) << type << ": no Stop frame";
  }
}

TEST(BuildPipeline, VersionOutsideTheOfferedRangeIsWrittenAsSix) {
  for (int version : {300, 256, 255, 8, 3, 0, -1}) {
    TBuildFixture f;
    f.Doc.BannerSettings.FlashVersion = version;
    f.Doc.BannerSettings.Compress = false;
    f.Pipeline.BuildPreviewMovie();
    EXPECT_EQ(ReadSwf(f.Host.Movie).Version, 6) << version;
  }
}

TEST(BuildPipeline, BannerLargerThanAMovieShowsIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    std::int32_t width, height;
  };
  for (const Case c : {Case{8192, 60}, Case{468, 8192}, Case{60000000, 60000000}}) {
    TBuildFixture f;
    f.Doc.BannerSettings.BannerWidth = c.width;
    f.Doc.BannerSettings.BannerHeight = c.height;
    f.AddRectangle(0, 0, 10, 10);
    const std::string file = (f.Temp.Path() / "big.swf").string();
    for (const bool animated : {false, true}) {
      f.Doc.BannerSettings.AnimationType = animated ? 1 : 0;
      try {
        f.Pipeline.BuildMovie(file);
        ADD_FAILURE() << c.width << " x " << c.height << " was built";
      } catch (const document::TBannerSizeError& e) {
        EXPECT_EQ(e.Width, c.width);
        EXPECT_EQ(e.Height, c.height);
        EXPECT_NE(std::string(e.what()).find("8191"), std::string::npos) << e.what();
      }
    }
    EXPECT_THROW(f.Pipeline.BuildPreviewMovie(), document::TBannerSizeError);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(f.Host.Loads, 0);
    EXPECT_EQ(f.Host.Stops, 0) << "the player was not touched";
    EXPECT_FALSE(f.Doc.ItemTable[1].InPreview);
  }
  // The largest banner a movie shows is built.
  TBuildFixture f;
  f.Doc.BannerSettings.BannerWidth = 8191;
  f.Doc.BannerSettings.BannerHeight = 8191;
  f.Pipeline.BuildPreviewMovie();
  const TSwfFile swf = ReadSwf(f.Host.Movie);
  EXPECT_EQ(swf.Xmax, 8191 * 20);
  EXPECT_EQ(swf.Ymax, 8191 * 20);
}

TEST(BuildPipeline, ContextIsClearedWhenTheMovieIsFreed) {
  TBuildFixture f;
  f.AddRectangle(0, 0, 10, 10);
  f.Pipeline.BuildPreviewMovie();
  EXPECT_EQ(f.Pipeline.Context().BackgroundCharacter, nullptr);
  EXPECT_EQ(f.Pipeline.Context().ItemButtons[1], nullptr);
}

TEST(BuildPipeline, ProposedFileNameKeepsLatinLettersAndSpaces) {
  EXPECT_EQ(document::ProposedFileName("Big Sale 2026!"), "big sale ");
  EXPECT_EQ(document::ProposedFileName("横幅"), "");
  EXPECT_EQ(document::ProposedFileName("ÄBC"), "bc");
}

// Scripted answers of the save command's dialogs.
class TFakeSaveDialogs : public document::TSaveDialogs {
 public:
  bool ConfirmDefaultUrl() override {
    ++Warnings;
    return ContinueAfterWarning;
  }
  std::optional<std::string> AskSaveFileName(const std::string& folder, const std::string& name) override {
    AskedFolder = folder;
    AskedName = name;
    return Answer;
  }
  document::TSaveOptions ReadSaveOptions() override {
    ++OptionReads;
    return Options;
  }
  std::string TextEditBoxText() override { return TextBox; }

  bool ContinueAfterWarning = true;
  std::optional<std::string> Answer;
  document::TSaveOptions Options;
  std::string TextBox;
  int Warnings = 0;
  int OptionReads = 0;
  std::string AskedFolder, AskedName;
};

class TRecordingProjectSaver : public document::TProjectSaver {
 public:
  void SaveProject(const document::TBannerDocument&, std::string_view bwfDirectory,
                   std::string_view movieFileName) override {
    Calls.emplace_back(std::string(bwfDirectory), std::string(movieFileName));
  }
  std::vector<std::pair<std::string, std::string>> Calls;
};

struct TSaveFixture : TBuildFixture {
  TSaveFixture() {
    Pipeline.SetProjectSaver(&Projects);
    Dialogs.Options.URL = "https://shop.example/";
    Dialogs.Answer = (Temp.Path() / "sale.swf").string();
    Folders.SaveDirectory = "/saves";
    Folders.BwfDirectory = (Temp.Path() / "projects/").string();
    Doc.ChangeMade = true;
    AddRectangle(0, 0, 10, 10);
  }
  TFakeSaveDialogs Dialogs;
  TRecordingProjectSaver Projects;
  document::TSaveFolders Folders;
};

TEST(SaveCommand, WritesThePublishedMovieThenTheProjectAndClearsChangeMade) {
  TSaveFixture f;
  f.Dialogs.TextBox = "Big Sale";
  f.Dialogs.Options.TargetChoice = document::tcNamedWindow;
  f.Dialogs.Options.TargetWindowName = "main";
  f.Dialogs.Options.Compress = false;
  f.Dialogs.Options.FlashVersion = 5;
  EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srSaved);

  EXPECT_EQ(f.Dialogs.Warnings, 0);
  EXPECT_EQ(f.Dialogs.AskedFolder, "/saves");
  EXPECT_EQ(f.Dialogs.AskedName, "big sale");
  EXPECT_EQ(f.Doc.BannerSettings.URL, "https://shop.example/");
  EXPECT_EQ(f.Doc.BannerSettings.TargetWindow(), "main");
  EXPECT_FALSE(f.Doc.BannerSettings.Compress);
  EXPECT_EQ(f.Doc.BannerSettings.FlashVersion, 5);

  const auto bytes = platform::ReadFileBytes(*f.Dialogs.Answer);
  EXPECT_EQ(bytes, f.Host.Movie) << "the preview shows the saved movie";
  const TSwfFile swf = ReadSwf(bytes);
  EXPECT_EQ(swf.Signature, "FWS");
  EXPECT_EQ(swf.Version, 5);
  EXPECT_EQ(swf.FrameCount, 1) << "no effect: the one-frame movie";
  ASSERT_EQ(f.Projects.Calls.size(), 1u);
  EXPECT_EQ(f.Projects.Calls[0].first, f.Folders.BwfDirectory);
  EXPECT_EQ(f.Projects.Calls[0].second, *f.Dialogs.Answer);
  EXPECT_FALSE(f.Doc.ChangeMade);

  // The dialog keeps its folder and file name for the next save.
  EXPECT_EQ(f.Pipeline.SaveDialogFolder(), f.Temp.Path().string());
  EXPECT_EQ(f.Pipeline.SaveDialogFileName(), "sale.swf");
  f.Dialogs.TextBox = "Other";
  f.Pipeline.Save(f.Dialogs, f.Folders);
  EXPECT_EQ(f.Dialogs.AskedFolder, f.Temp.Path().string());
  EXPECT_EQ(f.Dialogs.AskedName, "sale.swf");
}

TEST(SaveCommand, PublishedItemsOpenTheUrlInsteadOfDragging) {
  TSaveFixture f;
  f.Dialogs.Options.TargetChoice = document::tcSameWindow;
  f.Pipeline.Save(f.Dialogs, f.Folders);
  auto movie = f.Pipeline.ComposePreviewMovie(*f.Dialogs.Answer);
  auto* button = f.Pipeline.Context().ItemButtons[1];
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(ButtonActionCodes(*button, swf::bcOverUpToOverDown), std::vector<int>{});
  const swf::TSWFActionList* release = ButtonActions(*button, swf::bcOverDownToOverUp);
  ASSERT_NE(release, nullptr);
  ASSERT_EQ(ActionCodes(*release), std::vector<int>{0x83});
  auto& url = dynamic_cast<swf::TSWFActionGetUrl&>((*release)[0]);
  EXPECT_EQ(url.URL, "https://shop.example/");
  EXPECT_EQ(url.Target, "_self");
}

// The bytes of an action list as a DoAction or a button holds them.
std::string ListHex(const swf::TSWFActionList& list) {
  swf::TMemoryStream out;
  swf::TBitsEngine be(out);
  list.WriteToStream(be);
  std::string hex;
  for (std::uint8_t b : out.Bytes()) {
    static const char digits[] = "0123456789ABCDEF";
    if (!hex.empty()) hex += ' ';
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex;
}

TEST(SaveCommand, WithClickTagEveryClickOpensTheRootClickTagWhenItStartsWithHttp) {
  TSaveFixture f;
  f.Dialogs.Options.TargetChoice = document::tcSameWindow;
  f.Dialogs.Options.UseClickTag = true;
  f.Dialogs.Options.FlashVersion = 4;
  f.Pipeline.Save(f.Dialogs, f.Folders);
  EXPECT_TRUE(f.Doc.BannerSettings.UseClickTag) << "the save takes the option";
  auto movie = f.Pipeline.ComposePreviewMovie(*f.Dialogs.Answer);
  const std::string clickTag = "00 2F 3A 63 6C 69 63 6B 54 41 47 00";  // "/:clickTAG"
  const std::string expected =
      "96 0C 00 " + clickTag + " 1C " +              // GetVariable "/:clickTAG"
      "96 0A 00 01 00 00 80 3F 01 00 00 80 40 15 " +  // its characters 1 .. 4
      "96 06 00 00 68 74 74 70 00 13 " +              // equal "http"?
      "9D 02 00 24 00 " +                             // If: over the next 36 bytes
      "83 1C 00 68 74 74 70 73 3A 2F 2F 73 68 6F 70 2E 65 78 61 6D 70 6C 65 2F 00 5F 73 65 6C 66 00 " +
      "99 02 00 1E 00 " +                     // Jump over the next 30 bytes to the end
      "96 0C 00 " + clickTag + " 1C " +       // GetVariable "/:clickTAG"
      "96 07 00 00 5F 73 65 6C 66 00 " +      // "_self"
      "9A 01 00 00";                          // GetURL2 into a window
  for (swf::TFlashButton* button : {f.Pipeline.Context().ItemButtons[1], f.Pipeline.Context().BackgroundButton}) {
    ASSERT_NE(button, nullptr);
    const swf::TSWFActionList* release = ButtonActions(*button, swf::bcOverDownToOverUp);
    ASSERT_NE(release, nullptr);
    EXPECT_EQ(ListHex(*release), expected);
    EXPECT_EQ(release->MinVersion(), 4);
  }
}

TEST(SaveCommand, WithAnEffectSavesTheAnimatedMovie) {
  TSaveFixture f;
  TRecordingEffects effects;
  f.Pipeline.SetEffectGenerator(&effects);
  f.Doc.BannerSettings.AnimationType = 3;
  f.Pipeline.Save(f.Dialogs, f.Folders);
  EXPECT_EQ(effects.Calls.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(*f.Dialogs.Answer));
}

TEST(SaveCommand, DefaultUrlIsWarnedAboutAndCancelEndsTheCommand) {
  TSaveFixture f;
  f.Dialogs.Options.URL = std::string(document::ProgramWebPage);
  f.Dialogs.ContinueAfterWarning = false;
  EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srCancelled);
  EXPECT_EQ(f.Dialogs.Warnings, 1);
  EXPECT_TRUE(f.Dialogs.AskedFolder.empty()) << "the save dialog is not shown";
  EXPECT_FALSE(std::filesystem::exists(*f.Dialogs.Answer));
  EXPECT_TRUE(f.Projects.Calls.empty());
  EXPECT_TRUE(f.Doc.ChangeMade);

  f.Dialogs.ContinueAfterWarning = true;
  EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srSaved);
  EXPECT_EQ(f.Dialogs.Warnings, 2);

  // Any other text, even the same address in other letter case, is not
  // warned about.
  std::string upper(document::ProgramWebPage);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  f.Dialogs.Options.URL = upper;
  f.Pipeline.Save(f.Dialogs, f.Folders);
  EXPECT_EQ(f.Dialogs.Warnings, 2);
}

TEST(SaveCommand, CancelledDialogWritesNothing) {
  TSaveFixture f;
  f.Dialogs.Answer.reset();
  const int loads = f.Host.Loads;
  EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srCancelled);
  EXPECT_EQ(f.Host.Loads, loads);
  EXPECT_TRUE(f.Projects.Calls.empty());
  EXPECT_TRUE(f.Doc.ChangeMade);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Temp.Path()), {}), 0);
}

TEST(SaveCommand, FailedMovieWriteKeepsChangeMadeAndWritesNoProject) {
  TSaveFixture f;
  f.Dialogs.Answer = (f.Temp.Path() / "missing-folder" / "sale.swf").string();
  try {
    f.Pipeline.Save(f.Dialogs, f.Folders);
    FAIL() << "no error";
  } catch (const std::system_error& e) {
    EXPECT_NE(std::string(e.what()).find(*f.Dialogs.Answer), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(f.Doc.ChangeMade);
  EXPECT_TRUE(f.Projects.Calls.empty());
  EXPECT_EQ(f.Host.Loads, 1) << "the preview already shows the new movie";
}

TEST(SaveCommand, WriteCutShortKeepsTheOldMovieInPlace) {
  TSaveFixture f;
  const std::vector<std::uint8_t> good{'F', 'W', 'S', 6};
  platform::WriteFileBytes(*f.Dialogs.Answer, good);
  // A file size limit makes write() fail as on a full disk.
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 64;
  ::setrlimit(RLIMIT_FSIZE, &small);
  std::string message;
  try {
    f.Pipeline.Save(f.Dialogs, f.Folders);
  } catch (const std::system_error& e) {
    message = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_NE(message.find("sale.swf"), std::string::npos) << message;
  EXPECT_EQ(platform::ReadFileBytes(*f.Dialogs.Answer), good);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Temp.Path()), {}), 1) << "no temporary file left";
  EXPECT_TRUE(f.Doc.ChangeMade);
  EXPECT_TRUE(f.Projects.Calls.empty());
}

// A project writer that fails as a full disk does.
class TFailingProjectSaver : public document::TProjectSaver {
 public:
  void SaveProject(const document::TBannerDocument&, std::string_view bwfDirectory,
                   std::string_view movieFileName) override {
    ++Calls;
    throw std::system_error(std::make_error_code(std::errc::no_space_on_device),
                            std::string(bwfDirectory) + std::string(movieFileName));
  }
  int Calls = 0;
};

TEST(SaveCommand, FailedProjectWriteReachesTheCallerAndKeepsChangeMade) {
  TSaveFixture f;
  TFailingProjectSaver failing;
  f.Pipeline.SetProjectSaver(&failing);
  try {
    f.Pipeline.Save(f.Dialogs, f.Folders);
    FAIL() << "no error";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::no_space_on_device);
    EXPECT_NE(std::string(e.what()).find(f.Folders.BwfDirectory), std::string::npos) << e.what();
  }
  EXPECT_EQ(failing.Calls, 1);
  EXPECT_TRUE(f.Doc.ChangeMade);
  EXPECT_EQ(platform::ReadFileBytes(*f.Dialogs.Answer), f.Host.Movie) << "the movie was written first";

  f.Pipeline.SetProjectSaver(&f.Projects);
  EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srSaved);
  EXPECT_FALSE(f.Doc.ChangeMade);
}

TEST(SaveCommand, MovieBeyondTheFrameLimitIsRefusedBeforeAnythingChanges) {
  TSaveFixture f;
  TRecordingEffects effects;
  f.Pipeline.SetEffectGenerator(&effects);
  effects.Frames = document::MaxMovieFrames + 1;
  f.Doc.BannerSettings.AnimationType = 3;
  f.Dialogs.Options.TargetChoice = document::tcSameWindow;
  f.Dialogs.Options.Compress = false;
  f.Dialogs.Options.FlashVersion = 5;
  const document::TBannerSettings before = f.Doc.BannerSettings;
  try {
    f.Pipeline.Save(f.Dialogs, f.Folders);
    FAIL() << "the save was not refused";
  } catch (const document::TFrameLimitError& e) {
    EXPECT_EQ(e.Frames, 65536);
  }
  EXPECT_EQ(f.Doc.BannerSettings, before) << "the save options were not copied";
  EXPECT_TRUE(f.Doc.ChangeMade);
  EXPECT_EQ(f.Dialogs.OptionReads, 0);
  EXPECT_TRUE(f.Dialogs.AskedFolder.empty()) << "no dialog was shown";
  EXPECT_TRUE(f.Pipeline.SaveDialogFolder().empty());
  EXPECT_TRUE(f.Pipeline.SaveDialogFileName().empty());
  EXPECT_TRUE(effects.Calls.empty());
  EXPECT_EQ(f.Host.Loads, 0);
  EXPECT_TRUE(f.Projects.Calls.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Temp.Path()), {}), 0);

  // The longest movie that fits is saved, with the options of the dialog.
  effects.Frames = document::MaxMovieFrames;
  EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srSaved);
  EXPECT_EQ(f.Doc.BannerSettings.FlashVersion, 5);
  EXPECT_TRUE(std::filesystem::exists(*f.Dialogs.Answer));

  // Without an effect the limit does not apply.
  effects.Frames = document::MaxMovieFrames + 1;
  f.Doc.BannerSettings.AnimationType = 0;
  EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srSaved);
}

TEST(SaveCommand, BannerLargerThanAMovieShowsIsRefusedBeforeAnyDialog) {
  TSaveFixture f;
  f.Doc.BannerSettings.BannerWidth = 10000;
  const document::TBannerSettings before = f.Doc.BannerSettings;
  EXPECT_THROW(f.Pipeline.Save(f.Dialogs, f.Folders), document::TBannerSizeError);
  EXPECT_EQ(f.Doc.BannerSettings, before);
  EXPECT_TRUE(f.Doc.ChangeMade);
  EXPECT_EQ(f.Dialogs.OptionReads, 0);
  EXPECT_TRUE(f.Projects.Calls.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Temp.Path()), {}), 0);
}

TEST(SaveCommand, RememberedFileNameIsClearedOrTakenFromAnOpenedProject) {
  struct Case {
    const char* moviePath;
    const char* folder;  // the dialog's folder afterwards
    const char* name;    // the name it offers
  };
  // The dialog stands in /saves before; the text box then proposes "other".
  const Case cases[] = {
      {"/movies/old.swf", "/movies", "old.swf"},
      {"/old.swf", "/", "old.swf"},
      {"C:\\banners\\old.swf", "/saves", "old.swf"},
      {"old.swf", "/saves", "old.swf"},
      {"", "/saves", "other"},
  };
  for (const Case& c : cases) {
    TSaveFixture f;
    f.Dialogs.TextBox = "Sale";
    f.Dialogs.Answer.reset();
    f.Pipeline.Save(f.Dialogs, f.Folders);
    f.Pipeline.SetSaveDialogFileName(c.moviePath);
    f.Dialogs.TextBox = "Other";
    f.Pipeline.Save(f.Dialogs, f.Folders);
    EXPECT_EQ(f.Dialogs.AskedFolder, c.folder) << c.moviePath;
    EXPECT_EQ(f.Dialogs.AskedName, c.name) << c.moviePath;
  }

  // A new document forgets the name but keeps the folder.
  TSaveFixture f;
  f.Dialogs.TextBox = "First";
  f.Pipeline.Save(f.Dialogs, f.Folders);
  ASSERT_EQ(f.Pipeline.SaveDialogFileName(), "sale.swf");
  f.Pipeline.ClearSaveDialogFileName();
  EXPECT_TRUE(f.Pipeline.SaveDialogFileName().empty());
  f.Dialogs.TextBox = "Second";
  f.Pipeline.Save(f.Dialogs, f.Folders);
  EXPECT_EQ(f.Dialogs.AskedName, "second");
  EXPECT_EQ(f.Dialogs.AskedFolder, f.Temp.Path().string());
}

// Progress: one percent for the whole build, through its stages in order.
struct TProgressReport {
  int Percent;
  document::TBuildPhase Phase;
};

struct TProgressFixture : TSaveFixture {
  TProgressFixture() {
    Pipeline.SetEffectGenerator(&Effects);
    Effects.FramesPerPass = 40;
    Effects.Frames = 3 * 40 + 1;
    Doc.BannerSettings.AnimationType = 4;
    Doc.BannerSettings.AnimationLoop = 3;
    for (int i = 0; i < 20; ++i) AddRectangle(i, i, 10, 10);
    Pipeline.SetProgressEvent([this](int percent, document::TBuildPhase phase) {
      Reports.push_back({percent, phase});
      if (CancelIn && *CancelIn == phase && percent >= CancelAt) throw document::TBuildCancelled();
    });
  }
  TRecordingEffects Effects;
  std::vector<TProgressReport> Reports;
  std::optional<document::TBuildPhase> CancelIn;
  int CancelAt = 0;
};

TEST(BuildProgress, PercentRisesToAHundredThroughTheStagesInOrder) {
  using enum document::TBuildPhase;
  struct Case {
    const char* name;
    bool animated, compressed;
    document::TBuildPhase first;
  };
  for (const Case& c : {Case{"preview", false, false, bpObjects}, Case{"compressed preview", false, true, bpObjects},
                        Case{"animation", true, false, bpEffects}, Case{"compressed animation", true, true, bpEffects}}) {
    TProgressFixture f;
    f.Doc.BannerSettings.Compress = c.compressed;
    if (c.animated)
      f.Pipeline.PlayAnimation();
    else
      f.Pipeline.StopAnimation();
    ASSERT_GE(f.Reports.size(), 3u) << c.name;
    EXPECT_EQ(f.Reports.front().Percent, 0) << c.name;
    EXPECT_EQ(f.Reports.front().Phase, c.first) << c.name;
    EXPECT_EQ(f.Reports.back().Percent, 100) << c.name;
    EXPECT_EQ(f.Reports.back().Phase, bpFile) << c.name;
    std::set<document::TBuildPhase> phases;
    int inBetween = 0;
    for (size_t i = 1; i < f.Reports.size(); ++i) {
      const TProgressReport& before = f.Reports[i - 1];
      const TProgressReport& now = f.Reports[i];
      EXPECT_GE(now.Percent, before.Percent) << c.name << " report " << i;
      EXPECT_GE(now.Phase, before.Phase) << c.name << " report " << i;
      EXPECT_TRUE(now.Percent != before.Percent || now.Phase != before.Phase) << c.name << " report " << i;
      if (now.Percent > 0 && now.Percent < 100) ++inBetween;
      phases.insert(now.Phase);
    }
    EXPECT_GT(inBetween, 10) << c.name << ": the effect frames and the objects move the percent";
    EXPECT_EQ(phases.count(bpEffects), c.animated ? 1u : 0u) << c.name;
    EXPECT_EQ(phases.count(bpObjects), 1u) << c.name;

    // Following the progress changes nothing in the movie.
    const std::vector<std::uint8_t> followed = f.Host.Movie;
    f.Pipeline.SetProgressEvent(nullptr);
    f.Reports.clear();
    if (c.animated)
      f.Pipeline.PlayAnimation();
    else
      f.Pipeline.StopAnimation();
    EXPECT_TRUE(f.Reports.empty()) << c.name;
    EXPECT_EQ(f.Host.Movie, followed) << c.name;
  }
}

TEST(BuildProgress, SaveCancelledAtAnyStageWritesNothingAndChangesNothing) {
  using enum document::TBuildPhase;
  struct Case {
    const char* name;
    document::TBuildPhase phase;
    int percent;
  };
  for (const Case& c : {Case{"at the start", bpEffects, 0}, Case{"making the effect frames", bpEffects, 20},
                        Case{"writing the objects", bpObjects, 50}, Case{"compressing", bpFile, 90},
                        Case{"at the end", bpFile, 100}}) {
    TProgressFixture f;
    f.Doc.BannerSettings.Compress = true;
    f.Doc.BannerSettings.URL = "https://before.example/";
    const std::vector<std::uint8_t> old{'F', 'W', 'S', 6};
    platform::WriteFileBytes(*f.Dialogs.Answer, old);
    f.Pipeline.StopAnimation();
    const std::vector<std::uint8_t> preview = f.Host.Movie;
    const int loads = f.Host.Loads;
    const document::TBannerSettings settings = f.Doc.BannerSettings;
    const document::TItemTable items = f.Doc.ItemTable;
    f.Reports.clear();
    f.CancelIn = c.phase;
    f.CancelAt = c.percent;

    EXPECT_THROW(f.Pipeline.Save(f.Dialogs, f.Folders), document::TBuildCancelled) << c.name;
    ASSERT_FALSE(f.Reports.empty()) << c.name;
    EXPECT_EQ(f.Reports.back().Phase, c.phase) << c.name << ": the build ends at the report";
    EXPECT_GE(f.Reports.back().Percent, c.percent) << c.name;
    EXPECT_EQ(platform::ReadFileBytes(*f.Dialogs.Answer), old) << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Temp.Path()), {}), 1) << c.name;
    EXPECT_TRUE(f.Projects.Calls.empty()) << c.name;
    EXPECT_EQ(f.Host.Loads, loads) << c.name;
    EXPECT_EQ(f.Host.Movie, preview) << c.name;
    EXPECT_TRUE(f.Doc.ChangeMade) << c.name;
    EXPECT_FALSE(f.Doc.Playing) << c.name;
    EXPECT_EQ(f.Doc.BannerSettings, settings) << c.name << ": the save options read are put back";
    EXPECT_EQ(f.Doc.ItemTable, items) << c.name;
    EXPECT_EQ(f.Pipeline.Context().Document, nullptr) << c.name;
    EXPECT_EQ(f.Pipeline.SaveDialogFolder(), "/saves") << c.name << ": as after a cancelled dialog";
    EXPECT_EQ(f.Pipeline.SaveDialogFileName(), "") << c.name;

    // The next save goes through.
    f.CancelIn.reset();
    EXPECT_EQ(f.Pipeline.Save(f.Dialogs, f.Folders), TSaveResult::srSaved) << c.name;
    EXPECT_EQ(platform::ReadFileBytes(*f.Dialogs.Answer), f.Host.Movie) << c.name;
    EXPECT_EQ(f.Projects.Calls.size(), 1u) << c.name;
  }
}

TEST(BuildProgress, PlayCancelledKeepsTheAnimationOrPreviewShown) {
  for (bool playing : {false, true}) {
    TProgressFixture f;
    if (playing)
      f.Pipeline.PlayAnimation();
    else
      f.Pipeline.StopAnimation();
    const std::vector<std::uint8_t> shown = f.Host.Movie;
    f.CancelIn = document::TBuildPhase::bpObjects;
    f.CancelAt = 60;
    EXPECT_THROW(f.Pipeline.PlayAnimation(), document::TBuildCancelled) << playing;
    EXPECT_EQ(f.Host.Movie, shown) << playing;
    EXPECT_EQ(f.Doc.Playing, playing);
    EXPECT_EQ(f.Pipeline.Context().Document, nullptr) << playing;
  }
}

}  // namespace
}  // namespace tessaly::test
