#pragma once
// The recovery file: the banner being edited, written whole while it has
// unsaved changes, so that a crash or a power cut loses nothing.
//
// It holds the project's lines in UTF-8 (so every text survives, also one
// that code page 936 cannot hold) and, before the closing "</BWF>", a
// "<RECOVERY>" section with every field of every record (deleted ones
// included), of the settings and of the editing state. Each running program
// writes its own file, "recovery-<process id>.bwf", in the recovery folder.

#include <sys/types.h>

#include <QCoreApplication>

#include <functional>
#include <string>
#include <vector>

#include "shell/core/DocumentState.h"

namespace tessaly::shell {

// Texts for the user, marked for translation under the context "Tessaly".
inline constexpr const char* RecoveryQuestion = QT_TRANSLATE_NOOP("Tessaly", "发现上次未保存的横幅. 是否恢复?");
inline constexpr const char* RecoveryMissingPictures =
    QT_TRANSLATE_NOOP("Tessaly", "恢复的横幅用到的下列图像已不在原来的位置:");
inline constexpr const char* RecoveryDamaged = QT_TRANSLATE_NOOP("Tessaly", "恢复文件已损坏, 无法恢复: ");

// $XDG_STATE_HOME/Tessaly (when that is an absolute path), else
// ~/.local/state/Tessaly.
std::string RecoveryFolder();
// folder + "/recovery-" + pid + ".bwf".
std::string RecoveryPath(const std::string& folder, pid_t pid);

// The file's bytes: UTF-8 lines ending in CR LF.
std::string RecoveryBytes(const TDocumentState& state);
// The state a recovery file holds. Throws std::runtime_error when the bytes
// are no complete recovery file.
TDocumentState StateFromRecovery(const std::string& bytes);

// The steps of writing the file, each of which may fail.
enum class TWriteStep { wsCreate, wsWrite, wsSync, wsClose, wsRename, wsSyncFolder };
// Called before each step (before each chunk of the bytes for wsWrite); a
// test throws from it to see a write fail there.
using TWriteStepHook = std::function<void(TWriteStep)>;

// Writes bytes to path atomically: a temporary file beside it (readable by
// the owner only), flushed to disk, renamed over path, the folder flushed.
// On any failure path keeps its previous contents and the temporary file is
// gone. Creates the folder (owner only) when needed. Throws
// std::system_error naming the file.
void WriteRecoveryFile(const std::string& path, const std::string& bytes, const TWriteStepHook& hook = {});

// Whether a process of that id runs (ours or another user's).
bool ProcessRunning(pid_t pid);

// The recovery files in folder left by programs that no longer run, oldest
// first; the files of running programs (this one included) are left alone.
// Temporary files that such programs left behind are removed.
std::vector<std::string> OrphanRecoveryFiles(const std::string& folder,
                                             const std::function<bool(pid_t)>& running = ProcessRunning);

// Takes an orphan over by renaming it to ownPath, so that no other program
// starting at the same time offers it too. False when another one was first.
bool ClaimRecoveryFile(const std::string& orphan, const std::string& ownPath);

// The picture files the design names (pictures, picture fills, a picture
// background) that do not exist, each once.
std::vector<std::string> MissingPictures(const TDocumentState& state);

}  // namespace tessaly::shell
