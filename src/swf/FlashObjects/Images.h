#pragma once
// Bitmap characters from JPEG, BMP and GIF pictures.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/Picture.h"
#include "swf/FlashObjects/Objects.h"
#include "swf/ImageReader.h"

namespace tessaly::platform {
class TGifImage;
}  // namespace tessaly::platform

namespace tessaly::swf {

// A bitmap character. A JPEG file is kept as its bytes and written as
// DefineBitsJPEG2, or DefineBitsJPEG3 with a uniform alpha mask. A BMP file
// or a bitmap goes through the BMP reader and is written as
// DefineBitsLossless, or DefineBitsLossless2 when it carries alpha; its
// compressed pixel data is built once, when the movie is first written.
class TFlashImage : public TFlashIDObject {
 public:
  explicit TFlashImage(TFlashMovie* owner = nullptr) : TFlashIDObject(owner) {}

  // By the upper-cased extension: "JPG" and "JPEG" keep the file's bytes and
  // the size of its baseline frame (0 x 0 for a progressive file unless
  // ConvertProgressive); "BMP" loads the file through the BMP reader; any
  // other extension leaves the image empty, without error. File errors
  // throw platform::TFileError, pictures the reader refuses
  // platform::TImageError.
  void LoadDataFromFile(const std::string& fileName);
  // The same for a picture already read, by its Kind; no file is touched.
  void LoadDataFromPicture(const platform::TPicture& picture);
  // Takes the pixels of a bitmap (a GIF frame, say).
  void LoadFromHandle(const platform::TBitmap& bitmap);
  // Colour-mapped pictures only: every palette entry of Color's red, green
  // and blue gets Color's alpha (an RGBA value), and red, green and blue 0
  // when that alpha is 0; the picture then has alpha.
  void SetTransparentColor(uint32_t color);
  // JPEG pictures only: a mask of Width x Height bytes of Alpha.
  void FillAlpha(uint8_t alpha);

  bool IsJPEG() const { return isJPEG_; }
  uint16_t Width() const { return width_; }
  uint16_t Height() const { return height_; }
  // 3 colour-mapped, 4 15-bit, 5 24-bit, 1 32-bit with alpha (written as
  // 5); 0 while nothing is loaded.
  uint8_t BitmapFormat() const { return bitmapFormat_; }
  // Pixels per row of the lossless data.
  uint16_t RowWidth() const { return rowWidth_; }
  // Colour-table entries of a colour-mapped picture.
  uint32_t ColorCount() const { return colorCount_; }
  bool HasAlpha() const { return hasAlpha_; }
  // The tag body's data: the JPEG bytes, or the compressed lossless data
  // once built.
  const std::vector<uint8_t>& ImageData() const { return imageData_; }
  // JPEG only: one alpha byte per pixel.
  const std::vector<uint8_t>& AlphaData() const { return alphaData_; }
  TBMPReader& BMPReader() { return reader_; }
  const TBMPReader& BMPReader() const { return reader_; }

  // Re-encode a JPEG without a baseline frame as a baseline JPEG when it is
  // loaded.
  bool ConvertProgressive = false;

  // 3 with alpha (a 32-bit or transparent-colour picture, or a JPEG with an
  // alpha mask), else 2.
  uint8_t MinVersion() const override;
  void WriteToStream(TBitsEngine& be) override;

 private:
  void Clear();
  void LoadJPEG(std::span<const uint8_t> bytes, const std::string& name);
  void Analyse();
  std::vector<uint8_t> LosslessPixels() const;
  void WriteJPEG(TBitsEngine& be);
  void WriteLossless(TBitsEngine& be);

  bool isJPEG_ = false;
  uint16_t width_ = 0;
  uint16_t height_ = 0;
  uint8_t bitmapFormat_ = 0;
  uint16_t rowWidth_ = 0;
  uint32_t colorCount_ = 0;
  bool hasAlpha_ = false;
  std::vector<uint8_t> imageData_;
  std::vector<uint8_t> alphaData_;
  TBMPReader reader_;
};

// Loads frame FrameIndex (counted from 0) of a decoded GIF into Image, or the
// GIF's composed picture when FrameIndex is negative or the GIF has no such
// frame; then the GIF's transparent colour, when it has one, becomes
// transparent.
void LoadGifFrame(TFlashImage& image, const platform::TGifImage& gif, int frameIndex);

// For a GIF picture (by its Kind): decodes it and loads its frame 0 (or,
// without frames, its composed picture) into Image as LoadGifFrame does.
// Other pictures are left alone. Decoding errors throw
// platform::TImageError.
void LoadGifIntoImage(TFlashImage& image, const platform::TPicture& picture);

}  // namespace tessaly::swf
