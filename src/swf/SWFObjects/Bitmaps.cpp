#include "swf/SWFObjects/Bitmaps.h"

namespace tessaly::swf {

namespace {

constexpr uint8_t kStartOfImage[2] = {0xFF, 0xD8};
constexpr uint8_t kEndOfImage[2] = {0xFF, 0xD9};

}  // namespace

void TSWFDataObject::SetData(const uint8_t* data, uint32_t size) {
  ownedData_.clear();
  data_ = data;
  dataSize_ = size;
}

void TSWFDataObject::SetOwnedData(std::vector<uint8_t> data) {
  ownedData_ = std::move(data);
  data_ = ownedData_.data();
  dataSize_ = static_cast<uint32_t>(ownedData_.size());
}

void TSWFDataObject::WriteData(TBitsEngine& be) {
  if (OnDataWrite)
    OnDataWrite(*this, be);
  else if (dataSize_ > 0)
    be.WriteBuffer(data_, dataSize_);
}

void TSWFDefineBits::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteBuffer(kStartOfImage, 2);
  WriteData(be);
  be.WriteBuffer(kEndOfImage, 2);
}

void TSWFJPEGTables::WriteTagBody(TBitsEngine& be) {
  be.WriteBuffer(kStartOfImage, 2);
  WriteData(be);
  be.WriteBuffer(kEndOfImage, 2);
}

void TSWFDefineBitsJPEG3::SetAlphaData(const uint8_t* data, uint32_t size) {
  ownedAlphaData_.clear();
  alphaData_ = data;
  alphaDataSize_ = size;
}

void TSWFDefineBitsJPEG3::SetOwnedAlphaData(std::vector<uint8_t> data) {
  ownedAlphaData_ = std::move(data);
  alphaData_ = ownedAlphaData_.data();
  alphaDataSize_ = static_cast<uint32_t>(ownedAlphaData_.size());
}

void TSWFDefineBitsJPEG3::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  TStream& stream = be.BitsStream();
  const uint64_t offsetField = stream.Position();
  be.WriteDWord(0);
  be.WriteBuffer(kStartOfImage, 2);
  WriteData(be);
  be.WriteBuffer(kEndOfImage, 2);
  const uint64_t alphaStart = stream.Position();
  alphaDataOffset_ = static_cast<uint32_t>(alphaStart - offsetField - 4);
  stream.Seek(offsetField);
  be.WriteDWord(alphaDataOffset_);
  stream.Seek(alphaStart);
  if (OnAlphaDataWrite)
    OnAlphaDataWrite(*this, be);
  else if (alphaDataSize_ > 0)
    be.WriteBuffer(alphaData_, alphaDataSize_);
}

void TSWFDefineBitsLossless::WriteTagBody(TBitsEngine& be) {
  be.WriteWord(CharacterId);
  be.WriteByte(BitmapFormat);
  be.WriteWord(BitmapWidth);
  be.WriteWord(BitmapHeight);
  if (BitmapFormat == 3) be.WriteByte(BitmapColorTableSize);
  WriteData(be);
}

}  // namespace tessaly::swf
