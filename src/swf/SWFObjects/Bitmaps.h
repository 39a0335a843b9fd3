#pragma once
// Bitmap tags: DefineBits, JPEGTables, DefineBitsJPEG2 and 3,
// DefineBitsLossless and 2.

#include <cstdint>
#include <functional>
#include <vector>

#include "swf/SWFObjects/Tags.h"

namespace tessaly::swf {

// A tag whose body ends in a block of data: written by OnDataWrite when it
// is assigned, otherwise the DataSize bytes at Data. The bytes are either
// borrowed (the caller keeps them alive until the tag is written) or owned
// by the tag.
class TSWFDataObject : public TSWFObject {
 public:
  using TDataWriter = std::function<void(TSWFDataObject& tag, TBitsEngine& be)>;

  explicit TSWFDataObject(uint16_t tagID) : TSWFObject(tagID) {}

  const uint8_t* Data() const { return data_; }
  uint32_t DataSize() const { return dataSize_; }
  bool OwnsData() const { return !ownedData_.empty() && data_ == ownedData_.data(); }
  void SetData(const uint8_t* data, uint32_t size);
  void SetOwnedData(std::vector<uint8_t> data);

  TDataWriter OnDataWrite;

 protected:
  void WriteData(TBitsEngine& be);

 private:
  const uint8_t* data_ = nullptr;
  uint32_t dataSize_ = 0;
  std::vector<uint8_t> ownedData_;
};

class TSWFImageTag : public TSWFDataObject {
 public:
  using TSWFDataObject::TSWFDataObject;
  uint16_t CharacterId = 0;
};

// DefineBits: CharacterId; FF D8; the data; FF D9.
class TSWFDefineBits : public TSWFImageTag {
 public:
  TSWFDefineBits() : TSWFImageTag(tagDefineBits) {}
  void WriteTagBody(TBitsEngine& be) override;

 protected:
  explicit TSWFDefineBits(uint16_t tagID) : TSWFImageTag(tagID) {}
};

// JPEGTables: FF D8; the data; FF D9.
class TSWFJPEGTables : public TSWFDataObject {
 public:
  TSWFJPEGTables() : TSWFDataObject(tagJPEGTables) {}
  void WriteTagBody(TBitsEngine& be) override;
};

// DefineBitsJPEG2: laid out as DefineBits. The data handed to it is a whole
// JPEG file, so its body holds the start and end markers twice.
class TSWFDefineBitsJPEG2 : public TSWFDefineBits {
 public:
  TSWFDefineBitsJPEG2() : TSWFDefineBits(tagDefineBitsJPEG2) {}
  uint8_t MinVersion() const override { return 2; }
};

// DefineBitsJPEG3: CharacterId; AlphaDataOffset; FF D8; the data; FF D9;
// the alpha data (a zlib stream), from AlphaData or OnAlphaDataWrite.
class TSWFDefineBitsJPEG3 : public TSWFDefineBits {
 public:
  TSWFDefineBitsJPEG3() : TSWFDefineBits(tagDefineBitsJPEG3) {}

  const uint8_t* AlphaData() const { return alphaData_; }
  uint32_t AlphaDataSize() const { return alphaDataSize_; }
  bool OwnsAlphaData() const { return !ownedAlphaData_.empty() && alphaData_ == ownedAlphaData_.data(); }
  void SetAlphaData(const uint8_t* data, uint32_t size);
  void SetOwnedAlphaData(std::vector<uint8_t> data);
  // Bytes from just after the offset field to the end of the JPEG part; set
  // when the tag is written.
  uint32_t AlphaDataOffset() const { return alphaDataOffset_; }

  TDataWriter OnAlphaDataWrite;

  uint8_t MinVersion() const override { return 3; }
  void WriteTagBody(TBitsEngine& be) override;

 private:
  const uint8_t* alphaData_ = nullptr;
  uint32_t alphaDataSize_ = 0;
  std::vector<uint8_t> ownedAlphaData_;
  uint32_t alphaDataOffset_ = 0;
};

// DefineBitsLossless: CharacterId; BitmapFormat; BitmapWidth; BitmapHeight;
// BitmapColorTableSize (format 3 only); the zlib-compressed pixel data.
// Always written with the long tag header.
class TSWFDefineBitsLossless : public TSWFImageTag {
 public:
  TSWFDefineBitsLossless() : TSWFImageTag(tagDefineBitsLossless) {}

  uint8_t BitmapColorTableSize = 0;
  uint8_t BitmapFormat = 0;
  uint16_t BitmapHeight = 0;
  uint16_t BitmapWidth = 0;

  uint8_t MinVersion() const override { return 2; }
  void WriteTagBody(TBitsEngine& be) override;

 protected:
  explicit TSWFDefineBitsLossless(uint16_t tagID) : TSWFImageTag(tagID) {}
};

// DefineBitsLossless2: as DefineBitsLossless, with alpha in the colours.
class TSWFDefineBitsLossless2 : public TSWFDefineBitsLossless {
 public:
  TSWFDefineBitsLossless2() : TSWFDefineBitsLossless(tagDefineBitsLossless2) {}
  uint8_t MinVersion() const override { return 3; }
};

}  // namespace tessaly::swf
