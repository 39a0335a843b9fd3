#include "document/ImageItemBuilder.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "document/BuildFills.h"
#include "document/ItemBuilders.h"
#include "document/PictureFiles.h"
#include "platform/FileBytes.h"
#include "swf/FlashObjects.h"

namespace tessaly::document {

void BuildImageItem(swf::TFlashMovie& movie, TBuildContext& context, int index) {
  const TFlashObjects& item = context.Document->ItemTable[index];
  std::error_code ec;
  if (!std::filesystem::is_regular_file(item.ImageFileName, ec))
    platform::ThrowFileError(item.ImageFileName, ec ? ec.value() : ENOENT);

  // A GIF's chosen frame is counted from 1; none chosen (-1): the composed
  // picture.
  swf::TFlashImage* image =
      AddPictureImage(movie, context.Picture(item.ImageFileName), platform::TPictureKind{item.ImageType},
                      item.GifFrame >= 1 ? item.GifFrame - 1 : -1, context.TemporaryFolder);
  context.ItemImages[index] = image;
  if (item.Transparency >= 1 && image->IsJPEG()) image->FillAlpha(TransparencyAlpha(item.Transparency));

  const std::int32_t x = item.X - context.CentreOffsetX(index);
  const std::int32_t y = item.Y - context.CentreOffsetY(index);
  swf::TFlashShape* rectangle = movie.AddRectangle(x, y, x + item.Width, y + item.Height);
  context.ItemShapes[index] = rectangle;
  rectangle->SetImageFill(*image, swf::fmFit);
  WrapItem(movie, context, index, rectangle->CharacterID(), context.AnimatesItem(index));
}

}  // namespace tessaly::document
