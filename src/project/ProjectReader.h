#pragma once
// Reads a ".BWF" project file into the document. The reader is positional:
// the header and the background block sit at fixed line numbers, each item
// section at fixed offsets from its opening line. Lines missing at the end
// of a short file read as empty, so their defaults apply.

#include <cstdint>
#include <iosfwd>
#include <string>

#include "document/BannerDocument.h"

namespace tessaly::project {

enum class TSaveAnswer { saYes, saNo, saCancel };

// What the reader asks of the user. The shell answers with dialogs.
class TProjectLoadHost {
 public:
  virtual ~TProjectLoadHost() = default;
  // "还没有保存所作的更改.现在保存吗?" with Yes, No and Cancel. On Yes the host
  // runs the Save command before it answers.
  virtual TSaveAnswer AskSaveChanges(const std::string& question) = 0;
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

// A host without a user: every question is answered No (and Cancel is never
// given), each question and message is written to warnings as a line
// "warning: ...". Built-in backgrounds are looked up as files in
// backgroundDirectory (none when empty); GIF pictures use their first frame.
class TWarningLoadHost : public TProjectLoadHost {
 public:
  TWarningLoadHost(std::ostream& warnings, std::string backgroundDirectory = {});
  TSaveAnswer AskSaveChanges(const std::string& question) override;
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
};

inline constexpr const char* LoadFailedMessage =
    "载入工程文件失败, 请确认该文件是有效的工程文件.";
inline constexpr const char* SaveChangesQuestion = "还没有保存所作的更改.现在保存吗?";
inline constexpr const char* FileNotFoundMessage = "指定的文件不存在.";

// A larger file is no project (99 items take some 100 KB).
inline constexpr std::uintmax_t MaxProjectFileSize = 16 * 1024 * 1024;

// "指定文件 " + name + " 不存在.你想要查找它吗?"
std::string MissingFileQuestion(const std::string& name);

// Loads the project at path into doc. A file that is not a project (too
// short, neither marker, not a regular file or above MaxProjectFileSize) is
// reported with LoadFailedMessage and leaves doc untouched, as does Cancel
// on the save question; otherwise the document starts anew, takes the file's
// contents, ends with the last item read as the current one and asks for a
// preview rebuild. Throws std::system_error when the file cannot be read.
TLoadResult LoadProject(document::TBannerDocument& doc, const std::string& path,
                        const TProjectReadContext& context, TProjectLoadHost& host);

// LoadProject on the bytes of a file already read.
TLoadResult LoadProjectBytes(document::TBannerDocument& doc, const std::string& bytes,
                             const TProjectReadContext& context, TProjectLoadHost& host);

}  // namespace tessaly::project
