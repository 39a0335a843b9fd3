#include <gtest/gtest.h>

#include "SWFTestUtil.h"
#include "swf/SWFObjects.h"

namespace tessaly::swf {
namespace {

using test::Hex;

std::vector<uint8_t> TagBytes(TSWFObject& tag) {
  return test::Written([&](TBitsEngine& be) { tag.WriteToStream(be); });
}

TEST(BitmapTags, JpegTagsWrapTheirDataInMarkers) {
  const std::vector<uint8_t> data = {0xAA, 0xBB};
  TSWFDefineBitsJPEG2 jpeg2;
  jpeg2.CharacterId = 7;
  jpeg2.SetData(data.data(), 2);
  EXPECT_FALSE(jpeg2.OwnsData());
  // Header: code 21, 8 bytes: 0x0548.
  EXPECT_EQ(Hex(TagBytes(jpeg2)), "48 05 07 00 FF D8 AA BB FF D9");

  TSWFDefineBits bits;
  bits.CharacterId = 1;
  bits.SetOwnedData({0x01});
  EXPECT_TRUE(bits.OwnsData());
  EXPECT_EQ(Hex(TagBytes(bits)), "87 01 01 00 FF D8 01 FF D9");

  TSWFJPEGTables tables;
  tables.OnDataWrite = [](TSWFDataObject&, TBitsEngine& be) { be.WriteByte(0x33); };
  EXPECT_EQ(Hex(TagBytes(tables)), "05 02 FF D8 33 FF D9");
}

TEST(BitmapTags, Jpeg3AlphaDataOffsetCountsTheJpegPart) {
  const std::vector<uint8_t> data = {0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9};
  TSWFDefineBitsJPEG3 tag;
  tag.CharacterId = 2;
  tag.SetData(data.data(), static_cast<uint32_t>(data.size()));
  tag.SetOwnedAlphaData({0x78, 0x9C});
  const std::vector<uint8_t> bytes = TagBytes(tag);
  EXPECT_EQ(tag.AlphaDataOffset(), data.size() + 4);
  EXPECT_EQ(Hex(bytes), "D3 08 02 00 0B 00 00 00 FF D8 FF D8 01 02 03 FF D9 FF D9 78 9C");

  TSWFDefineBitsJPEG3 written;
  written.OnDataWrite = [](TSWFDataObject&, TBitsEngine& be) { be.WriteWord(0x1234); };
  written.OnAlphaDataWrite = [](TSWFDataObject&, TBitsEngine& be) { be.WriteByte(9); };
  EXPECT_EQ(Hex(TagBytes(written)), "CD 08 00 00 06 00 00 00 FF D8 34 12 FF D9 09");
}

TEST(BitmapTags, LosslessTagsAlwaysUseTheLongHeader) {
  TSWFDefineBitsLossless mapped;
  mapped.CharacterId = 3;
  mapped.BitmapFormat = 3;
  mapped.BitmapWidth = 0x0102;
  mapped.BitmapHeight = 0x0304;
  mapped.BitmapColorTableSize = 1;
  mapped.SetOwnedData({0xEE});
  // Code 20 with the long length 9.
  EXPECT_EQ(Hex(TagBytes(mapped)), "3F 05 09 00 00 00 03 00 03 02 01 04 03 01 EE");

  TSWFDefineBitsLossless2 argb;
  argb.CharacterId = 4;
  argb.BitmapFormat = 5;
  argb.BitmapWidth = 1;
  argb.BitmapHeight = 1;
  argb.BitmapColorTableSize = 9;  // not written for format 5
  EXPECT_EQ(Hex(TagBytes(argb)), "3F 09 07 00 00 00 04 00 05 01 00 01 00");
}

TEST(BitmapTags, MinVersions) {
  struct Case {
    std::unique_ptr<TSWFObject> tag;
    uint16_t code;
    uint8_t version;
  };
  Case cases[] = {{std::make_unique<TSWFDefineBits>(), 6, 1},          {std::make_unique<TSWFJPEGTables>(), 8, 1},
                  {std::make_unique<TSWFDefineBitsJPEG2>(), 21, 2},    {std::make_unique<TSWFDefineBitsJPEG3>(), 35, 3},
                  {std::make_unique<TSWFDefineBitsLossless>(), 20, 2}, {std::make_unique<TSWFDefineBitsLossless2>(), 36, 3}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.tag->TagID(), c.code);
    EXPECT_EQ(c.tag->MinVersion(), c.version) << c.code;
  }
}

}  // namespace
}  // namespace tessaly::swf
