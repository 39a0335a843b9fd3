#include "swf/FlashObjects/Images.h"

#include <algorithm>

#include "platform/GifDecoder.h"
#include "platform/JpegCodec.h"
#include "swf/FlashObjects/Movie.h"

namespace tessaly::swf {

namespace {

uint8_t Premultiply(uint8_t channel, uint8_t alpha) { return static_cast<uint8_t>((channel * alpha + 127) / 255); }

void PutARGB(std::vector<uint8_t>& out, uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  out.insert(out.end(), {a, r, g, b});
}

}  // namespace

void TFlashImage::Clear() {
  isJPEG_ = false;
  width_ = height_ = 0;
  bitmapFormat_ = 0;
  rowWidth_ = 0;
  colorCount_ = 0;
  hasAlpha_ = false;
  imageData_.clear();
  alphaData_.clear();
}

void TFlashImage::LoadDataFromFile(const std::string& fileName) {
  // Only the kinds an image keeps are read: a GIF file waits for its loader.
  const platform::TPictureKind kind = platform::PictureKindOf(fileName);
  if (kind == platform::TPictureKind::pkJpeg || kind == platform::TPictureKind::pkBmp)
    LoadDataFromPicture(platform::ReadPicture(fileName));
  else
    Clear();
}

void TFlashImage::LoadDataFromPicture(const platform::TPicture& picture) {
  Clear();
  switch (picture.Kind) {
    case platform::TPictureKind::pkJpeg:
      LoadJPEG(picture.Bytes, picture.Name);
      break;
    case platform::TPictureKind::pkBmp:
      reader_.LoadFromBytes(picture.Bytes, picture.Name);
      Analyse();
      break;
    default:
      break;
  }
}

void TFlashImage::LoadJPEG(std::span<const uint8_t> bytes, const std::string& name) {
  isJPEG_ = true;
  imageData_.assign(bytes.begin(), bytes.end());
  platform::TJpegSize size = platform::ProbeJpegSize(imageData_);
  if (ConvertProgressive && size.Width == 0 && size.Height == 0) {
    const platform::TBitmap bitmap = platform::DecodeJpeg(imageData_, name);
    imageData_ = platform::EncodeJpeg(bitmap);
    size = {bitmap.Width(), bitmap.Height()};
  }
  width_ = static_cast<uint16_t>(size.Width);
  height_ = static_cast<uint16_t>(size.Height);
}

void TFlashImage::LoadFromHandle(const platform::TBitmap& bitmap) {
  Clear();
  reader_.LoadFromHandle(bitmap);
  Analyse();
}

void TFlashImage::Analyse() {
  width_ = static_cast<uint16_t>(reader_.Width());
  height_ = static_cast<uint16_t>(reader_.Height());
  // A bitmap without pixels stays without format, like an unloaded image.
  if (width_ == 0 || height_ == 0) return;
  switch (reader_.BitCount()) {
    case 1:
    case 4:
    case 8:
      bitmapFormat_ = 3;
      colorCount_ = static_cast<uint32_t>(reader_.CountColors());
      rowWidth_ = static_cast<uint16_t>((width_ + 3) / 4 * 4);
      break;
    case 16:
      bitmapFormat_ = 4;
      rowWidth_ = static_cast<uint16_t>((width_ + 1) / 2 * 2);
      break;
    case 24:
      bitmapFormat_ = 5;
      rowWidth_ = width_;
      break;
    case 32:
      bitmapFormat_ = 1;
      rowWidth_ = width_;
      hasAlpha_ = true;
      break;
  }
}

void TFlashImage::SetTransparentColor(uint32_t color) {
  if (isJPEG_ || bitmapFormat_ != 3) return;
  hasAlpha_ = true;
  const uint8_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF, a = color >> 24;
  for (TRGBQuad& entry : reader_.Palette()) {
    if (entry.Red != r || entry.Green != g || entry.Blue != b) continue;
    entry.Alpha = a;
    if (a == 0) entry.Red = entry.Green = entry.Blue = 0;
  }
}

void TFlashImage::FillAlpha(uint8_t alpha) {
  if (!isJPEG_) return;
  alphaData_.assign(static_cast<size_t>(width_) * height_, alpha);
}

uint8_t TFlashImage::MinVersion() const { return hasAlpha_ || (isJPEG_ && !alphaData_.empty()) ? 3 : 2; }

// The uncompressed lossless data, rows from the top of the picture down.
std::vector<uint8_t> TFlashImage::LosslessPixels() const {
  std::vector<uint8_t> out;
  const int width = reader_.Width();
  const size_t rowPad = static_cast<size_t>(rowWidth_ - width);
  if (bitmapFormat_ == 3) {
    for (uint32_t i = 0; i < colorCount_; ++i) {
      const TRGBQuad& e = reader_.Palette()[i];
      out.insert(out.end(), {e.Red, e.Green, e.Blue});
      if (hasAlpha_) out.push_back(e.Alpha);
    }
  }
  for (int y = 0; y < reader_.Height(); ++y) {
    const auto row = reader_.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      switch (bitmapFormat_) {
        case 1: {
          // Players read these pixels premultiplied by their alpha, so a
          // translucent colour is scaled down here (exact for 0 and 255).
          const uint8_t* p = &row[4 * static_cast<size_t>(x)];
          const uint8_t a = p[3];
          PutARGB(out, a, Premultiply(p[2], a), Premultiply(p[1], a), Premultiply(p[0], a));
          break;
        }
        case 3:
          out.push_back(static_cast<uint8_t>(reader_.PixelIndex(row, x)));
          break;
        case 4:
          out.push_back(row[2 * static_cast<size_t>(x) + 1]);
          out.push_back(row[2 * static_cast<size_t>(x)]);
          break;
        case 5: {
          const uint8_t* p = &row[3 * static_cast<size_t>(x)];
          PutARGB(out, 0, p[2], p[1], p[0]);
          break;
        }
      }
    }
    const size_t padBytes = bitmapFormat_ == 3 ? rowPad : bitmapFormat_ == 4 ? 2 * rowPad : 0;
    out.insert(out.end(), padBytes, 0);
  }
  return out;
}

void TFlashImage::WriteToStream(TBitsEngine& be) {
  if (isJPEG_)
    WriteJPEG(be);
  else
    WriteLossless(be);
}

void TFlashImage::WriteJPEG(TBitsEngine& be) {
  std::unique_ptr<TSWFDefineBits> tag;
  if (alphaData_.empty()) {
    tag = std::make_unique<TSWFDefineBitsJPEG2>();
  } else {
    auto jpeg3 = std::make_unique<TSWFDefineBitsJPEG3>();
    jpeg3->SetOwnedAlphaData(ZlibCompress(alphaData_.data(), alphaData_.size()));
    tag = std::move(jpeg3);
  }
  tag->CharacterId = CharacterID();
  // The image ends at the file's last end marker; bytes some cameras append
  // after it are no part of the picture.
  size_t imageEnd = imageData_.size();
  while (imageEnd >= 2 && !(imageData_[imageEnd - 2] == 0xFF && imageData_[imageEnd - 1] == 0xD9)) --imageEnd;
  const bool wholeFile = imageEnd >= 4 && imageData_[0] == 0xFF && imageData_[1] == 0xD8;
  if (wholeFile) {
    // The tag puts its own start and end markers around the data. Players
    // refuse a second start marker right after the first, so the file
    // follows an empty image instead: FF D8 FF D9, then the file's bytes,
    // the tag's end marker standing for the file's own.
    tag->OnDataWrite = [this, imageEnd](TSWFDataObject&, TBitsEngine& out) {
      const uint8_t endOfImage[2] = {0xFF, 0xD9};
      out.WriteBuffer(endOfImage, 2);
      out.WriteBuffer(imageData_.data(), imageEnd - 2);
    };
  } else {
    tag->SetData(imageData_.data(), static_cast<uint32_t>(imageData_.size()));
  }
  tag->WriteToStream(be);
}

void TFlashImage::WriteLossless(TBitsEngine& be) {
  if (imageData_.empty()) {
    const std::vector<uint8_t> pixels = LosslessPixels();
    imageData_ = ZlibCompress(pixels.data(), pixels.size());
  }
  std::unique_ptr<TSWFDefineBitsLossless> tag =
      hasAlpha_ ? std::make_unique<TSWFDefineBitsLossless2>() : std::make_unique<TSWFDefineBitsLossless>();
  tag->CharacterId = CharacterID();
  // An image that holds no picture is written as an empty 24-bit bitmap.
  tag->BitmapFormat = bitmapFormat_ == 1 || bitmapFormat_ == 0 ? 5 : bitmapFormat_;
  tag->BitmapWidth = width_;
  tag->BitmapHeight = height_;
  if (bitmapFormat_ == 3) tag->BitmapColorTableSize = static_cast<uint8_t>(colorCount_ - 1);
  tag->SetData(imageData_.data(), static_cast<uint32_t>(imageData_.size()));
  tag->WriteToStream(be);
}

void LoadGifFrame(TFlashImage& image, const platform::TGifImage& gif, int frameIndex) {
  if (frameIndex >= 0 && frameIndex < gif.FrameCount())
    image.LoadFromHandle(gif.FrameBitmap(frameIndex));
  else
    image.LoadFromHandle(gif.ComposedBitmap());
  if (gif.HasTransparentColor()) {
    const platform::TRgb c = gif.TransparentColor();
    image.SetTransparentColor(MakeRGBA(c.Red, c.Green, c.Blue, 0));
  }
}

void LoadGifIntoImage(TFlashImage& image, const platform::TPicture& picture) {
  if (picture.Kind != platform::TPictureKind::pkGif) return;
  LoadGifFrame(image, platform::TGifImage::LoadFromBytes(picture.Bytes, picture.Name), 0);
}

}  // namespace tessaly::swf
