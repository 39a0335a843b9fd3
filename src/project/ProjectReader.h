#pragma once
// Reads a ".BWF" project file into the document. The reader is positional:
// the header and the background block sit at fixed line numbers, each item
// section at fixed offsets from its opening line. Lines missing at the end
// of a short file read as empty, so their defaults apply.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "document/BannerDocument.h"
#include "document/Warnings.h"

namespace tessaly::project {

// What the reader asks of the user. The shell answers with dialogs; Warn
// reports a value the reader had to replace (a FlashVersion outside 4..7).
class TProjectLoadHost : public document::TWarningSink {
 public:
  // A question with Yes (true) and No (false).
  virtual bool AskYesNo(const std::string& question) = 0;
  // The picture dialog: the chosen path, empty when cancelled.
  virtual std::string ChoosePicture() = 0;
  virtual void ShowMessage(const std::string& message) = 0;
  // The full path of the built-in background named name (a file name
  // without folder) when the built-in list holds it; empty otherwise.
  virtual std::string BuiltInBackground(const std::string& name) = 0;
  // The frame to use of the GIF picture at path: the frame dialog's answer
  // for an animated GIF, -1 otherwise or when cancelled.
  virtual std::int32_t ChooseGifFrame(const std::string& path) = 0;
};

// A host without a user: every question is answered No, each question,
// message and warning is written to warnings as a line "warning: ...". Built-in backgrounds are looked up as files in
// backgroundDirectory (none when empty); GIF pictures use their first frame.
class TWarningLoadHost : public TProjectLoadHost {
 public:
  TWarningLoadHost(std::ostream& warnings, std::string backgroundDirectory = {});
  void Warn(const std::string& message) override;
  bool AskYesNo(const std::string& question) override;
  std::string ChoosePicture() override;
  void ShowMessage(const std::string& message) override;
  std::string BuiltInBackground(const std::string& name) override;
  std::int32_t ChooseGifFrame(const std::string& path) override;

 private:
  std::ostream& warnings_;
  std::string backgroundDirectory_;
};

// The controls that a load reads besides the file.
struct TProjectReadContext {
  document::TNewDocumentDefaults NewDocument;  // as the New command uses them
  document::TColorRef ShapeColor = 0x0000FF;   // a picture's Color
  bool KeepAspect = true;                      // the "保持宽高比" box
};

struct TLoadResult {
  bool Loaded = false;
  // The movie path stored in the project: the file name that the save
  // dialog offers next.
  std::string MovieFileName;
  // The colour the background colour chooser shows after the load: the
  // gradient's first colour for a gradient background, else the background
  // colour.
  document::TColorRef BackgroundChooserColor = 0xFFFFFF;
};

// The lines of a file that passed the project test (at least two lines,
// "<BWF>" first or "</BWF>" last).
struct TProjectFile {
  std::vector<std::string> Lines;
};

inline constexpr const char* LoadFailedMessage =
    "载入工程文件失败, 请确认该文件是有效的工程文件.";
inline constexpr const char* FileNotFoundMessage = "指定的文件不存在.";

// A larger file is no project (99 items take some 100 KB).
inline constexpr std::uintmax_t MaxProjectFileSize = 16 * 1024 * 1024;

// "指定文件 " + name + " 不存在.你想要查找它吗?"
std::string MissingFileQuestion(const std::string& name);

// Lines as a string list loads them: split at CR LF, LF or CR; a final line
// end does not start another line.
std::vector<std::string> SplitLines(const std::string& bytes);

// "还没有保存所作的更改.现在保存吗?": the Open command asks it between
// reading the file and loading it, when the document has changes.
//
//   file = ReadProjectFile(path)   // nothing: show LoadFailedMessage
//   ask the question               // Yes: Save; Cancel: stop
//   LoadProject(doc, *file, ...)

// The project file at path; nothing when it is no project (too short,
// neither marker, not a regular file or above MaxProjectFileSize). Throws
// std::system_error when the file cannot be read.
std::optional<TProjectFile> ReadProjectFile(const std::string& path);
// The same test on the bytes of a file already read.
std::optional<TProjectFile> ParseProjectFile(const std::string& bytes);

// Loads a project file into doc: the document starts anew, takes the file's
// contents, ends with the last item read as the current one and asks for a
// preview rebuild. Never asks about unsaved changes.
TLoadResult LoadProject(document::TBannerDocument& doc, const TProjectFile& file,
                        const TProjectReadContext& context, TProjectLoadHost& host);

// ReadProjectFile and LoadProject in one step: a file that is no project is
// reported with LoadFailedMessage through host and leaves doc untouched.
TLoadResult LoadProject(document::TBannerDocument& doc, const std::string& path,
                        const TProjectReadContext& context, TProjectLoadHost& host);

// ParseProjectFile and LoadProject in one step, as above.
TLoadResult LoadProjectBytes(document::TBannerDocument& doc, const std::string& bytes,
                             const TProjectReadContext& context, TProjectLoadHost& host);

}  // namespace tessaly::project
