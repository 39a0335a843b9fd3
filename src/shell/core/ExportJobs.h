#pragma once
// The save tab's exports: the five kinds the tab offers, the file each one
// writes, and the work that encodes the banner's movie off the window
// thread and writes the file, ending with the file's weight.

#include <QString>

#include <array>
#include <string>

#include "export/BannerExport.h"
#include "export/BannerMovie.h"
#include "shell/core/BackgroundJob.h"

namespace tessaly::shell {

enum TExportChoice : int { ecGif, ecWebp, ecVideo, ecPicture, ecHtml5 };
inline constexpr int ExportChoiceCount = 5;

struct TExportChoiceText {
  const char* Caption;    // the button and the file dialog's title
  const char* Filter;     // the file dialog's filter
  const char* Extension;  // of the proposed file name, with its dot
};

// What the tab shows for each choice, in TExportChoice order.
const std::array<TExportChoiceText, ExportChoiceCount>& ExportChoiceTexts();

// The format a choice writes to path: the video is WebM for a ".webm" name
// and MP4 otherwise, the backup picture JPEG for ".jpg"/".jpeg" and PNG
// otherwise.
exports::TExportKind ExportKindFor(TExportChoice choice, const QString& path);

// The message after an export: the file's name and weight, with the warning
// of a file heavier than display ads commonly allow.
std::string ExportWeightMessage(const QString& path, std::size_t bytes);

// Encodes movie with options and writes the file at path whole or not at
// all: Done with ExportWeightMessage, Cancelled (nothing written) with
// MsgExportCancelled, Failed with the reason.
TJobWork ExportWork(exports::TBannerMovie movie, exports::TExportOptions options, QString path);

}  // namespace tessaly::shell
