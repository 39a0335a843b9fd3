#include "shell/core/ExportJobs.h"

#include <QFileInfo>

#include <utility>

#include "export/ExportProgress.h"
#include "platform/SafeFile.h"
#include "shell/core/UiText.h"

namespace tessaly::shell {

using exports::TExportKind;

const std::array<TExportChoiceText, ExportChoiceCount>& ExportChoiceTexts() {
  static const std::array<TExportChoiceText, ExportChoiceCount> texts = {{
      {text::ExportGif, text::ExportGifFilter, ".gif"},
      {text::ExportWebp, text::ExportWebpFilter, ".webp"},
      {text::ExportVideo, text::ExportVideoFilter, ".mp4"},
      {text::ExportPicture, text::ExportPictureFilter, ".png"},
      {text::ExportHtml5, text::ExportHtml5Filter, ".zip"},
  }};
  return texts;
}

TExportKind ExportKindFor(TExportChoice choice, const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  switch (choice) {
    case ecGif: return TExportKind::ekGif;
    case ecWebp: return TExportKind::ekWebp;
    case ecVideo: return suffix == QLatin1String("webm") ? TExportKind::ekWebm : TExportKind::ekMp4;
    case ecPicture:
      return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ? TExportKind::ekJpeg
                                                                                 : TExportKind::ekPng;
    case ecHtml5: break;
  }
  return TExportKind::ekHtml5;
}

std::string ExportWeightMessage(const QString& path, std::size_t bytes) {
  QString message =
      Ui(text::ExportWeight).arg(QFileInfo(path).fileName()).arg(bytes).arg((bytes + 1023) / 1024);
  if (exports::WeightWarning(bytes))
    message += QLatin1Char('\n') + Ui(text::ExportTooHeavy).arg(exports::AdWeightLimit / 1024);
  return message.toStdString();
}

TJobWork ExportWork(exports::TBannerMovie movie, exports::TExportOptions options, QString path) {
  return [movie = std::move(movie), options, path = std::move(path)](
             const std::atomic<bool>& cancel, const TJobProgress& progress) -> TJobResult {
    const auto cancelled = [] { return TJobResult{TJobOutcome::Cancelled, Ui(text::ExportCancelled).toStdString()}; };
    const exports::TExportProgress steps(
        [&progress](int done, int total) {
          progress(static_cast<std::uint64_t>(done), static_cast<std::uint64_t>(total));
        },
        &cancel);
    exports::TExportResult result;
    try {
      result = exports::ExportBanner(movie, options, steps);
    } catch (const exports::TExportCancelled&) {
      return cancelled();
    }
    // Cancel pressed while the last frame was encoded still writes nothing.
    if (cancel) return cancelled();
    platform::ReplaceFileContents(path.toStdString(), std::string(result.Bytes.begin(), result.Bytes.end()));
    return {TJobOutcome::Done, ExportWeightMessage(path, result.Bytes.size())};
  };
}

}  // namespace tessaly::shell
