#include "export/BackupPicture.h"

#include <QBuffer>

#include <string>

#include "export/ExportProgress.h"

namespace tessaly::exports {

std::vector<std::uint8_t> EncodePicture(TMovieFrames& frames, const TPictureOptions& options) {
  const int index = options.Frame == 0 ? frames.Count() : options.Frame;
  if (index < 1 || index > frames.Count())
    throw TExportError("the movie has no frame " + std::to_string(options.Frame) + " (it has " +
                       std::to_string(frames.Count()) + ")");
  const QImage picture = frames.Frame(index).convertToFormat(QImage::Format_RGB888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const bool jpeg = options.Format == TPictureFormat::pfJpeg;
  if (!picture.save(&buffer, jpeg ? "JPG" : "PNG", jpeg ? options.JpegQuality : -1))
    throw TExportError(std::string("the ") + (jpeg ? "JPEG" : "PNG") + " picture could not be written");
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace tessaly::exports
