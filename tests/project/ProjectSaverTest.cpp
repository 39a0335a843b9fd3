// The save command with the project writer: the movie and its project go to
// their folders, the project reads back as the document, and the reopened
// document saves the same movie under the name the dialog offers.

#include "project/ProjectSaver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <system_error>

#include "document/BuildPipeline.h"
#include "document/SwfTestReader.h"
#include "platform/FileBytes.h"
#include "platform/SafeFile.h"
#include "project/ProjectReader.h"
#include "project/ProjectTestSupport.h"
#include "project/ProjectWriter.h"
#include "support/ReferenceBanner.h"

namespace tessaly::project {
namespace {

using document::TSaveResult;

// A save dialog that answers with a fixed path and the document's options.
class TAnsweringSaveDialogs : public document::TSaveDialogs {
 public:
  TAnsweringSaveDialogs(const document::TBannerSettings& settings, std::string answer)
      : Answer(std::move(answer)) {
    Options.URL = settings.URL;
    Options.TargetChoice = settings.TargetChoice;
    Options.TargetWindowName = settings.TargetWindowName;
    Options.Compress = settings.Compress;
    Options.FlashVersion = settings.FlashVersion;
  }
  bool ConfirmDefaultUrl() override { return true; }
  std::optional<std::string> AskSaveFileName(const std::string& folder, const std::string& name) override {
    AskedFolder = folder;
    AskedName = name;
    return Answer;
  }
  document::TSaveOptions ReadSaveOptions() override { return Options; }
  std::string TextEditBoxText() override { return "Banner"; }

  std::string Answer;
  document::TSaveOptions Options;
  std::string AskedFolder, AskedName;
};

struct TSaveFixture {
  TSaveFixture() {
    std::filesystem::create_directories(Out.Path() / "movies");
    std::filesystem::create_directories(Out.Path() / "projects");
    Folders.SaveDirectory = (Out.Path() / "movies/").string();
    Folders.BwfDirectory = (Out.Path() / "projects/").string();
    Pipeline.SetTemporaryFolder(Out.Path());
    // A deleted item is left out of the movie and of the project.
    document::TFlashObjects& deleted = Banner.Document.ItemTable.Append();
    deleted.Kind = document::ItemKind::ikShape;
    deleted.Width = deleted.Height = 20;
    deleted.Deleted = true;
    Banner.Document.ChangeMade = true;
  }
  std::string MoviePath(const std::string& name) const { return (Out.Path() / "movies" / name).string(); }

  test::TReferenceBanner Banner;
  test::TTempDir Out;
  test::TMemoryPreviewHost Host;
  TProjectFileSaver Saver;
  document::TBuildPipeline Pipeline{Banner.Document, Host, nullptr, &Saver};
  document::TSaveFolders Folders;
};

TEST(ProjectSave, SaveWritesTheMovieAndAProjectThatReadsBackAsTheDocument) {
  TSaveFixture f;
  const document::TBannerDocument& doc = f.Banner.Document;
  const std::string movie = f.MoviePath("banner.swf");
  // A reload makes the last item current, and the background's instance
  // name carries the current item's index: select it here as well.
  f.Banner.Document.SelectItem(test::TReferenceBanner::ChineseText);
  TAnsweringSaveDialogs dialogs(doc.BannerSettings, movie);
  ASSERT_EQ(f.Pipeline.Save(dialogs, f.Folders), TSaveResult::srSaved);

  const std::string project = f.Folders.BwfDirectory + "banner.BWF";
  EXPECT_EQ(f.Saver.LastProjectPath(), project);
  EXPECT_EQ(platform::ReadFileBytes(movie), f.Host.Movie);
  EXPECT_EQ(platform::ReadWholeFile(project), ProjectFileBytes(ProjectLines(doc, movie)));
  EXPECT_FALSE(doc.ChangeMade);

  document::TBannerDocument loaded;
  const TProjectReadContext context;
  std::ostringstream warnings;
  TWarningLoadHost loadHost(warnings);
  const TLoadResult result = LoadProject(loaded, project, context, loadHost);
  ASSERT_TRUE(result.Loaded);
  EXPECT_EQ(result.MovieFileName, movie);
  EXPECT_EQ(warnings.str(), "") << "every picture was found";

  const std::vector<document::TFlashObjects> expected = ReloadedItems(doc, context);
  ASSERT_EQ(expected.size(), 9u);
  ASSERT_EQ(loaded.ItemTable.Count(), 9);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(loaded.ItemTable[i], expected[static_cast<size_t>(i - 1)]) << "item " << i;
  EXPECT_TRUE(loaded.BannerSettings == ReloadedSettings(doc.BannerSettings));

  // The reopened project: the save dialog offers the movie's name in its
  // folder, and the save writes the same movie and the same project.
  test::TMemoryPreviewHost host;
  TProjectFileSaver saver;
  document::TBuildPipeline reopened(loaded, host, nullptr, &saver);
  reopened.SetTemporaryFolder(f.Out.Path());
  reopened.SetSaveDialogFileName(result.MovieFileName);
  loaded.ChangeMade = true;
  TAnsweringSaveDialogs again(loaded.BannerSettings, f.MoviePath("again.swf"));
  ASSERT_EQ(reopened.Save(again, f.Folders), TSaveResult::srSaved);
  EXPECT_EQ(again.AskedFolder, (f.Out.Path() / "movies").string());
  EXPECT_EQ(again.AskedName, "banner.swf");
  EXPECT_EQ(platform::ReadFileBytes(again.Answer), platform::ReadFileBytes(movie));
  EXPECT_EQ(ProjectLines(loaded, movie), ProjectLines(doc, movie));
  EXPECT_EQ(saver.LastProjectPath(), f.Folders.BwfDirectory + "again.BWF");
  EXPECT_FALSE(loaded.ChangeMade);
}

TEST(ProjectSave, ProjectThatCannotBeWrittenFailsTheSaveAfterTheMovie) {
  TSaveFixture f;
  f.Folders.BwfDirectory = (f.Out.Path() / "no-such-folder/").string();
  const std::string movie = f.MoviePath("banner.swf");
  TAnsweringSaveDialogs dialogs(f.Banner.Document.BannerSettings, movie);
  try {
    f.Pipeline.Save(dialogs, f.Folders);
    FAIL() << "no error";
  } catch (const std::system_error& e) {
    EXPECT_NE(std::string(e.what()).find(f.Folders.BwfDirectory + "banner.BWF"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(f.Banner.Document.ChangeMade);
  EXPECT_EQ(platform::ReadFileBytes(movie), f.Host.Movie) << "the movie is written before the project";
  EXPECT_FALSE(std::filesystem::exists(f.Folders.BwfDirectory));
  EXPECT_TRUE(f.Saver.LastProjectPath().empty());
}

TEST(ProjectSave, TextOutsideTheCodePageIsAQuestionMarkInTheProjectAndAGlyphInTheMovie) {
  // Hangul: code page 936 holds none of it.
  TSaveFixture f;
  document::TFlashObjects& text = f.Banner.Document.ItemTable[test::TReferenceBanner::LatinText];
  text.Text = "Sale 한글";
  text.FontName = "WenQuanYi Zen Hei";
  f.Banner.Document.BannerSettings.Compress = false;
  const std::string movie = f.MoviePath("banner.swf");
  TAnsweringSaveDialogs dialogs(f.Banner.Document.BannerSettings, movie);
  ASSERT_EQ(f.Pipeline.Save(dialogs, f.Folders), TSaveResult::srSaved);

  const std::string project = platform::ReadWholeFile(f.Folders.BwfDirectory + "banner.BWF");
  EXPECT_NE(project.find("\r\nText=Sale ??\r\n"), std::string::npos);
  bool hangul = false;
  const test::TSwfFile swf = test::ReadSwf(platform::ReadFileBytes(movie));
  for (const test::TSwfTag* font : swf.TagsWith(48)) {
    const std::vector<std::uint16_t> codes = test::FontCodes(*font);
    hangul = hangul || (std::count(codes.begin(), codes.end(), 0xD55C) == 1 &&
                        std::count(codes.begin(), codes.end(), 0xAE00) == 1);
  }
  EXPECT_TRUE(hangul) << "a font of the movie holds both Hangul glyphs";
}

}  // namespace
}  // namespace tessaly::project
