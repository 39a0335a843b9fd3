#include <gtest/gtest.h>

#include "SWFTestUtil.h"
#include "swf/SWFObjects.h"

namespace tessaly::swf {
namespace {

using test::Bits;
using test::BodyOf;
using test::Hex;
using test::Written;

std::vector<uint8_t> RecordOf(TSWFShapeRecord& r) {
  return Written([&](TBitsEngine& be) { r.WriteToStream(be); });
}

// ---- edge records ----

TEST(EdgeRecords, BitPatterns) {
  struct Case {
    const char* name;
    std::unique_ptr<TSWFShapeRecord> record;
    std::string bits;
  };
  Case cases[] = {
      {"horizontal 100", std::make_unique<TSWFStraightEdgeRecord>(100, 0), "11" "0110" "0" "0" "01100100"},
      {"vertical -1", std::make_unique<TSWFStraightEdgeRecord>(0, -1), "11" "0000" "0" "1" "11"},
      {"general", std::make_unique<TSWFStraightEdgeRecord>(3, -4), "11" "0010" "1" "0011" "1100"},
      {"curve", std::make_unique<TSWFCurvedEdgeRecord>(10, 0, 0, -5), "10" "0011" "01010" "00000" "00000" "11011"},
      {"end", std::make_unique<TSWFEndShapeRecord>(), "000000"},
  };
  for (Case& c : cases) {
    auto bytes = RecordOf(*c.record);
    EXPECT_EQ(Bits(bytes, c.bits.size()), c.bits) << c.name;
    EXPECT_EQ(bytes.size(), (c.bits.size() + 7) / 8) << c.name;
    EXPECT_EQ(Bits(bytes, bytes.size() * 8).substr(c.bits.size()), std::string(bytes.size() * 8 - c.bits.size(), '0'))
        << c.name;
  }
}

TEST(EdgeRecords, ZeroLengthEdgesWriteNothing) {
  TSWFStraightEdgeRecord line(0, 0);
  TSWFCurvedEdgeRecord curve(0, 0, 0, 0);
  EXPECT_TRUE(RecordOf(line).empty());
  EXPECT_TRUE(RecordOf(curve).empty());
}

// ---- style change records ----

TEST(StyleChangeRecord, MoveOnlyAndForcedMoveBit) {
  TSWFStyleChangeRecord move;
  move.SetMoveTo(0, 0);
  EXPECT_EQ(Bits(RecordOf(move), 11), "000001" "00000");
  // Nothing set at all still cannot read as an end record.
  TSWFStyleChangeRecord nothing;
  EXPECT_EQ(Bits(RecordOf(nothing), 11), "000001" "00000");
}

TEST(StyleChangeRecord, StylesAndMoveTo) {
  TSWFStyleChangeRecord r;
  r.NumFillBits = 1;
  r.NumLineBits = 1;
  r.SetFillStyle1(1);
  r.SetLineStyle(1);
  r.SetMoveTo(20, -20);
  std::string expected = "001101" "00110" "010100" "101100" "1" "1";
  EXPECT_EQ(Bits(RecordOf(r), expected.size()), expected);

  // A style flag without StateMoveTo: no move-to field.
  TSWFStyleChangeRecord fillOnly;
  fillOnly.NumFillBits = 2;
  fillOnly.SetFillStyle0(3);
  EXPECT_EQ(Bits(RecordOf(fillOnly), 8), "000010" "11");
}

// ---- style arrays ----

TEST(StyleArrays, CountRule) {
  struct Case {
    size_t count;
    const char* head;
  };
  const Case cases[] = {{0, "00"}, {1, "01"}, {254, "FE"}, {255, "FF FF 00"}, {300, "FF 2C 01"}};
  for (const Case& c : cases) {
    TSWFFillStyles fills;
    for (size_t i = 0; i < c.count; ++i) fills.push_back(std::make_unique<TSWFColorFill>(0xFF000000));
    auto bytes = Written([&](TBitsEngine& be) { WriteFillStyles(be, fills, false); });
    size_t headSize = c.count >= 255 ? 3 : 1;
    EXPECT_EQ(Hex({bytes.begin(), bytes.begin() + headSize}), c.head);
    EXPECT_EQ(bytes.size(), headSize + 4 * c.count);  // type + RGB each

    TSWFLineStyles lines;
    for (size_t i = 0; i < c.count; ++i) lines.push_back(std::make_unique<TSWFLineStyle>(20, 0xFF000000));
    bytes = Written([&](TBitsEngine& be) { WriteLineStyles(be, lines, true); });
    EXPECT_EQ(Hex({bytes.begin(), bytes.begin() + headSize}), c.head);
    EXPECT_EQ(bytes.size(), headSize + 6 * c.count);  // width + RGBA each
  }
}

TEST(StyleArrays, AlphaComesFromTheOwner) {
  TSWFFillStyles fills;
  fills.push_back(std::make_unique<TSWFColorFill>(MakeRGBA(1, 2, 3, 0x80)));
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { WriteFillStyles(be, fills, true); })), "01 00 01 02 03 80");
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { WriteFillStyles(be, fills, false); })), "01 00 01 02 03");

  TSWFLineStyles lines;
  lines.push_back(std::make_unique<TSWFLineStyle>(20, MakeRGBA(1, 2, 3, 0x80)));
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { WriteLineStyles(be, lines, true); })), "01 14 00 01 02 03 80");
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { WriteLineStyles(be, lines, false); })), "01 14 00 01 02 03");
  // Written without alpha, the line colour is opaque from then on.
  EXPECT_EQ(lines[0]->Color.Alpha(), 255);
}

TEST(FillStyles, GradientAndBitmapFills) {
  TSWFGradientFill linear;
  linear.GradientCount = 2;
  linear.GradientRecord(1).Color.SetRGBA(MakeRGBA(255, 0, 0, 255));
  linear.GradientRecord(2).Ratio = 255;
  linear.GradientRecord(2).Color.SetRGBA(MakeRGBA(0, 0, 255, 0x80));
  linear.HasAlpha = true;
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { linear.WriteToStream(be); })), "10 00 02 00 FF 00 00 FF FF 00 00 FF 80");

  TSWFGradientFill radial(fsRadialGradient);
  radial.GradientCount = 1;
  radial.GradientMatrix.SetTranslate(200, 100);
  radial.GradientRecord(1).Color.SetRGB(0x00123456);
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { radial.WriteToStream(be); })), "12 12 C8 32 00 01 00 56 34 12");
  EXPECT_THROW(radial.GradientRecord(9), std::out_of_range);

  TSWFImageFill image;
  image.BitmapId = 4;
  image.BitmapMatrix.SetTranslate(200, 100);
  EXPECT_EQ(image.FillStyleType(), 0x41);
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { image.WriteToStream(be); })), "41 04 00 12 C8 32 00");
  TSWFImageFill repeating(fsRepeatingBitmap);
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { repeating.WriteToStream(be); })), "40 00 00 00");
}

// ---- shape definitions ----

// A 20 x 20 twip triangle filled with translucent red and outlined in blue.
void BuildTriangle(TSWFDefineShape& shape) {
  shape.ShapeId = 1;
  shape.ShapeBounds.SetRect(0, 0, 20, 20);
  shape.FillStyles().push_back(std::make_unique<TSWFColorFill>(MakeRGBA(255, 0, 0, 0x80)));
  shape.LineStyles().push_back(std::make_unique<TSWFLineStyle>(20, MakeRGBA(0, 0, 255, 255)));
  auto* start = shape.AddRecord<TSWFStyleChangeRecord>();
  start->SetMoveTo(0, 0);
  start->SetFillStyle1(1);
  start->SetLineStyle(1);
  shape.AddRecord<TSWFStraightEdgeRecord>(20, 0);
  shape.AddRecord<TSWFStraightEdgeRecord>(0, 20);
  shape.AddRecord<TSWFStraightEdgeRecord>(-20, -20);
}

const std::string kTriangleRecords = "001101" "00000" "1" "1"  // style change
                                     "11" "0100" "0" "0" "010100"  // (20, 0)
                                     "11" "0100" "0" "1" "010100"  // (0, 20)
                                     "11" "0100" "1" "101100" "101100"  // (-20, -20)
                                     "000000";  // end record added

TEST(DefineShape, Shape3Body) {
  TSWFDefineShape3 shape;
  BuildTriangle(shape);
  auto body = BodyOf(shape);
  const std::string head = "01 00 30 0A 00 A0 01 00 FF 00 00 80 01 14 00 00 00 FF FF 11";
  ASSERT_EQ(body.size(), 20u + 9u);
  EXPECT_EQ(Hex({body.begin(), body.begin() + 20}), head);
  std::vector<uint8_t> records(body.begin() + 20, body.end());
  EXPECT_EQ(Bits(records, kTriangleRecords.size()), kTriangleRecords);
  EXPECT_EQ(Bits(records, 72).substr(kTriangleRecords.size()), "000000");
}

TEST(DefineShape, Shape2WritesRgb) {
  TSWFDefineShape2 shape;
  BuildTriangle(shape);
  auto body = BodyOf(shape);
  EXPECT_EQ(Hex({body.begin(), body.begin() + 18}), "01 00 30 0A 00 A0 01 00 FF 00 00 01 14 00 00 00 FF 11");
  std::vector<uint8_t> records(body.begin() + 18, body.end());
  EXPECT_EQ(Bits(records, kTriangleRecords.size()), kTriangleRecords);
}

TEST(DefineShape, VariantsDifferInCodeAlphaAndVersion) {
  TSWFDefineShape s1;
  TSWFDefineShape2 s2;
  TSWFDefineShape3 s3;
  EXPECT_EQ(s1.TagID(), 2);
  EXPECT_EQ(s2.TagID(), 22);
  EXPECT_EQ(s3.TagID(), 32);
  EXPECT_FALSE(s1.HasAlpha);
  EXPECT_FALSE(s2.HasAlpha);
  EXPECT_TRUE(s3.HasAlpha);
  EXPECT_EQ(s1.MinVersion(), 1);
  EXPECT_EQ(s2.MinVersion(), 2);
  EXPECT_EQ(s3.MinVersion(), 3);
  // The shape object switches the code when no colour has alpha.
  s3.SetTagID(tagDefineShape2);
  EXPECT_EQ(s3.MinVersion(), 2);
}

TEST(DefineShape, WithoutStylesNoIndexesAreWritten) {
  TSWFDefineShape3 shape;
  auto* r = shape.AddRecord<TSWFStyleChangeRecord>();
  r->SetFillStyle0(1);
  r->SetFillStyle1(1);
  r->SetLineStyle(1);
  // Counts 0 and 0, bit counts 0 and 0; the record keeps only its forced
  // move to (0, 0); then the end record.
  EXPECT_EQ(Hex(BodyOf(shape)), "00 00 00 00 00 00 04 00 00");
  EXPECT_FALSE(r->StateFillStyle0 || r->StateFillStyle1 || r->StateLineStyle);
}

TEST(DefineShape, EndRecords) {
  TSWFDefineShape3 empty;
  EXPECT_EQ(Hex(BodyOf(empty)), "00 00 00 00 00 00 00");  // id, RECT, counts, bits, end record

  // End records before the last are skipped; a final one is written once.
  TSWFDefineShape3 shape;
  shape.AddRecord<TSWFEndShapeRecord>();
  shape.AddRecord<TSWFStraightEdgeRecord>(100, 0);
  shape.AddRecord<TSWFEndShapeRecord>();
  auto body = BodyOf(shape);
  std::vector<uint8_t> records(body.begin() + 6, body.end());
  EXPECT_EQ(records.size(), 3u);
  EXPECT_EQ(Bits(records, 24), "11" "0110" "0" "0" "01100100" "000000" "00");
}

TEST(DefineShape, NewStylesSwitchTheBitCounts) {
  TSWFDefineShape3 shape;
  shape.FillStyles().push_back(std::make_unique<TSWFColorFill>(MakeRGBA(1, 2, 3, 255)));
  auto* change = shape.AddRecord<TSWFStyleChangeRecord>();
  change->SetFillStyle0(1);  // written with the old width, 1 bit
  for (int i = 0; i < 3; ++i) change->NewFillStyles().push_back(std::make_unique<TSWFColorFill>(0xFF101010));
  EXPECT_TRUE(change->StateNewStyles);
  auto* next = shape.AddRecord<TSWFStyleChangeRecord>();
  next->SetFillStyle1(3);  // 2 bits now
  EXPECT_EQ(Hex(BodyOf(shape)),
            "00 00 00 01 00 01 02 03 FF 00 10 4A 03 00 10 10 10 FF 00 10 10 10 FF 00 10 10 10 FF 00 20 13 00");
  EXPECT_EQ(change->NumFillBits, 2);
  EXPECT_EQ(change->NumLineBits, 0);
}

}  // namespace
}  // namespace tessaly::swf
