#include "swf/SWFTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "SWFTestUtil.h"

namespace tessaly::swf {
namespace {

using test::Bits;
using test::Hex;
using test::Written;

TEST(BitWidths, UnsignedAndSignedCounts) {
  struct Case {
    int64_t value;
    int unsignedBits;
    int signedBits;
  };
  const Case cases[] = {
      {0, 0, 0}, {1, 1, 2}, {2, 2, 3}, {3, 2, 3}, {255, 8, 9}, {256, 9, 10}, {9360, 14, 15}, {1200, 11, 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetBitsCount(static_cast<uint32_t>(c.value)), c.unsignedBits) << c.value;
    EXPECT_EQ(GetSignedBitsCount(static_cast<int32_t>(c.value)), c.signedBits) << c.value;
  }
  // Negative values take the width of their magnitude plus one, also for
  // powers of two.
  EXPECT_EQ(GetSignedBitsCount(-1), 2);
  EXPECT_EQ(GetSignedBitsCount(-2), 3);
  EXPECT_EQ(GetSignedBitsCount(-9360), 15);
  EXPECT_EQ(GetBitsCount(0x80000000u), 32);
  EXPECT_EQ(GetSignedBitsCount(std::numeric_limits<int32_t>::min()), 33);
}

TEST(FixedPoint, SixteenDotSixteenTruncatesTowardZero) {
  EXPECT_EQ(FloatToFixed16(1.0), 65536);
  EXPECT_EQ(FloatToFixed16(0.5), 32768);
  EXPECT_EQ(FloatToFixed16(-1.5), -98304);
  EXPECT_EQ(FloatToFixed16(1.0 / 65536 * 2.9), 2);
  EXPECT_EQ(FloatToFixed16(-1.0 / 65536 * 2.9), -2);
  EXPECT_DOUBLE_EQ(Fixed16ToFloat(98304), 1.5);
  // Out of range: clamped instead of an undefined conversion.
  EXPECT_EQ(FloatToFixed16(1e12), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(FloatToFixed16(-1e12), std::numeric_limits<int32_t>::min());
}

TEST(FixedPoint, EightDotEightFrameRates) {
  EXPECT_EQ(FloatToFixed8(35), 0x2300);
  EXPECT_EQ(FloatToFixed8(12.5), 0x0C80);
  EXPECT_EQ(FloatToFixed8(0.3), 0x004D);  // 76.8 rounds to 77
  EXPECT_DOUBLE_EQ(Fixed8ToFloat(0x0C80), 12.5);
  EXPECT_DOUBLE_EQ(Fixed8ToFloat(0x2300), 35.0);
  EXPECT_EQ(FloatToFixed8(255.999), 0xFFFD);
  EXPECT_EQ(FloatToFixed8(1000), 0xFFFD);
  EXPECT_EQ(FloatToFixed8(-3), 0);
  EXPECT_EQ(FloatToFixed8(std::nan("")), 0);
}

TEST(Colors, PackingAndSystemColors) {
  EXPECT_EQ(MakeRGBA(0x11, 0x22, 0x33, 0x44), 0x44332211u);
  EXPECT_EQ(ColorToRGBA(0x00336699, 128), 0x80336699u);
  // clBtnFace (system colour 15) is the classic light grey.
  EXPECT_EQ(ColorToRGBA(0xFF00000F, 255), MakeRGBA(0xD4, 0xD0, 0xC8, 255));
  EXPECT_EQ(ColorToRGBA(0x80000005, 10), MakeRGBA(255, 255, 255, 10));
}

TEST(Rect, SettersKeepTheInvariant) {
  TSWFRect r;
  r.SetRect(100, 50, 10, 5);  // left, top, right, bottom given reversed
  EXPECT_EQ(r.Xmin(), 10);
  EXPECT_EQ(r.Xmax(), 100);
  EXPECT_EQ(r.Ymin(), 5);
  EXPECT_EQ(r.Ymax(), 50);
  EXPECT_EQ(r.Width(), 90);
  EXPECT_EQ(r.Height(), 45);
  EXPECT_EQ(r.Rect(), (TRect{10, 5, 100, 50}));
  r.SetXmin(200);  // beyond Xmax: the pair swaps
  EXPECT_EQ(r.Xmin(), 100);
  EXPECT_EQ(r.Xmax(), 200);
  r.SetYmax(-7);
  EXPECT_EQ(r.Ymin(), -7);
  EXPECT_EQ(r.Ymax(), 5);
}

TEST(Rgba, AlphaRules) {
  TSWFRGBA c;
  EXPECT_FALSE(c.HasAlpha());
  EXPECT_EQ(c.Alpha(), 255);
  c.SetAlpha(100);
  EXPECT_TRUE(c.HasAlpha());
  c.SetRGB(0x00FF0000);  // from RGB: opaque again, HasAlpha stays
  EXPECT_EQ(c.Alpha(), 255);
  EXPECT_TRUE(c.HasAlpha());
  EXPECT_EQ(c.B(), 0xFF);
  c.SetHasAlpha(false);
  c.SetRGBA(0x7F010203);
  EXPECT_TRUE(c.HasAlpha());
  EXPECT_EQ(c.RGBA(), 0x7F010203u);
  c.SetHasAlpha(false);
  EXPECT_EQ(c.Alpha(), 255);
  TSWFRGBA opaque;
  opaque.SetRGBA(0xFF010203);
  EXPECT_FALSE(opaque.HasAlpha());
  EXPECT_TRUE(TSWFRGBA(true).HasAlpha());
}

TEST(BitsEngine, WriteBitsPacksFromTheMostSignificantBit) {
  auto bytes = Written([](TBitsEngine& be) {
    be.WriteBits(0b101, 3);
    be.WriteBits(0, 0);  // nothing
    be.WriteBits(0b11110000111, 11);
    be.WriteBits(0xFFFFFFFF, 32);
    be.WriteBits(0x12345678, 32);
  });
  EXPECT_EQ(Bits(bytes, 14), "10111110000111");
  EXPECT_EQ(bytes.size(), 10u);  // 78 bits padded
  EXPECT_EQ(Bits(bytes, 78).substr(14, 32), std::string(32, '1'));
  EXPECT_EQ(Bits(bytes, 78).substr(46), "00010010001101000101011001111000");
}

TEST(BitsEngine, ByteAtUnalignedPositionEqualsEightBits) {
  auto viaByte = Written([](TBitsEngine& be) {
    be.WriteBits(0b1, 1);
    be.WriteByte(0xA5);
  });
  auto viaBits = Written([](TBitsEngine& be) {
    be.WriteBits(0b1, 1);
    be.WriteBits(0xA5, 8);
  });
  EXPECT_EQ(viaByte, viaBits);
  EXPECT_EQ(Hex(viaByte), "D2 80");
}

TEST(BitsEngine, WholeValuesAreLittleEndianAfterPadding) {
  auto bytes = Written([](TBitsEngine& be) {
    be.WriteBit(true);
    be.WriteWord(0x1234);
    be.WriteDWord(0xA1B2C3D4);
    be.WriteSingle(1.0f);
  });
  EXPECT_EQ(Hex(bytes), "80 34 12 D4 C3 B2 A1 00 00 80 3F");
}

TEST(BitsEngine, ColorsAndStrings) {
  auto bytes = Written([](TBitsEngine& be) {
    be.WriteColor(0x00332211);
    be.WriteColorA(0x44332211);
    be.WriteString("a\xE5\xAE\x8B", true, true);  // UTF-8 as it is
    be.WriteString("\xE5\xAE\x8B", false, false);  // code page 936
    be.WriteBuffer("xy", 2, true);
  });
  EXPECT_EQ(Hex(bytes), "11 22 33 11 22 33 44 61 E5 AE 8B 00 CB CE 78 79 00");
}

TEST(BitsEngine, FrameRectOfA468By60Banner) {
  auto bytes = Written([](TBitsEngine& be) { be.WriteRect(TRect{0, 0, 9360, 1200}); });
  EXPECT_EQ(Hex(bytes), "78 00 04 92 00 00 02 58 00");
  EXPECT_EQ(Hex(Written([](TBitsEngine& be) { be.WriteRect(TSWFRect()); })), "00");
  // Given reversed, the rectangle is normalised first.
  EXPECT_EQ(Written([](TBitsEngine& be) { be.WriteRect(TRect{9360, 1200, 0, 0}); }), bytes);
}

TEST(Matrix, TranslationOnly) {
  TSWFMatrix m;
  m.SetTranslate(200, 100);
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { be.WriteMatrix(m); })), "12 C8 32 00");
  EXPECT_EQ(Hex(Written([](TBitsEngine& be) { be.WriteMatrix(TSWFMatrix()); })), "00");
}

TEST(Matrix, ScaleAndSkewFields) {
  TSWFMatrix m;
  m.SetScale(1.0, -0.5);
  m.SetSkew(0.25, 0);  // RotateSkew1 = 0.25, RotateSkew0 = 0
  auto bytes = Written([&](TBitsEngine& be) { be.WriteMatrix(m); });
  // 1 | n=18 | 65536 | -32768 | 1 | n=16 | 0 | 16384 | n=0
  std::string expected = "1" "10010" "010000000000000000" "111000000000000000" "1" "10000" "0000000000000000"
                         "0100000000000000" "00000";
  EXPECT_EQ(Bits(bytes, expected.size()), expected);
  EXPECT_EQ(bytes.size(), (expected.size() + 7) / 8);
}

TEST(Matrix, SetRotateComposesWithWhatIsThere) {
  TSWFMatrix fresh;
  fresh.SetRotate(30);
  double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
  EXPECT_TRUE(fresh.HasScale());
  EXPECT_TRUE(fresh.HasRotate());
  EXPECT_EQ(fresh.ScaleX(), FloatToFixed16(c));
  EXPECT_EQ(fresh.ScaleY(), FloatToFixed16(c));
  EXPECT_EQ(fresh.RotateSkew1(), FloatToFixed16(s));
  EXPECT_EQ(fresh.RotateSkew0(), FloatToFixed16(-s));

  TSWFMatrix scaled;
  scaled.SetScale(2, 3);
  scaled.SetRotate(90);
  EXPECT_EQ(scaled.ScaleX(), FloatToFixed16(std::cos(std::numbers::pi / 2) * 2));
  EXPECT_EQ(scaled.ScaleY(), FloatToFixed16(std::cos(std::numbers::pi / 2) * 3));
  EXPECT_EQ(scaled.RotateSkew1(), 3 * 65536);
  EXPECT_EQ(scaled.RotateSkew0(), -2 * 65536);

  // Two rotations of 45 degrees compose to one of 90 (within the 16.16
  // truncation).
  TSWFMatrix twice;
  twice.SetRotate(45);
  twice.SetRotate(45);
  EXPECT_NEAR(twice.ScaleXValue(), 0.0, 1e-4);
  EXPECT_NEAR(twice.RotateSkew1Value(), 1.0, 1e-4);
  EXPECT_NEAR(twice.RotateSkew0Value(), -1.0, 1e-4);
}

TEST(ColorTransform, FlagsAndBitLayout) {
  TSWFColorTransform none(true);
  EXPECT_EQ(Hex(Written([&](TBitsEngine& be) { be.WriteColorTransform(none); })), "00");

  TSWFColorTransform alpha(false);
  alpha.SetMultR(256);
  alpha.SetMultG(256);
  alpha.SetMultB(256);
  alpha.SetMultA(128);  // also sets HasAlpha
  EXPECT_TRUE(alpha.HasMult());
  EXPECT_TRUE(alpha.HasAlpha());
  EXPECT_FALSE(alpha.HasAdd());
  // 0 1 | n=10 | 256 256 256 128
  std::string expected = "01" "1010" "0100000000" "0100000000" "0100000000" "0010000000";
  auto bytes = Written([&](TBitsEngine& be) { be.WriteColorTransform(alpha); });
  EXPECT_EQ(Bits(bytes, expected.size()), expected);
  EXPECT_EQ(bytes.size(), 6u);

  TSWFColorTransform add(false);
  add.SetAddR(-255);
  add.SetAddA(100);
  // Without alpha the alpha term is ignored; here AddA set HasAlpha.
  expected = "10" "1001" "100000001" "000000000" "000000000" "001100100";
  bytes = Written([&](TBitsEngine& be) { be.WriteColorTransform(add); });
  EXPECT_EQ(Bits(bytes, expected.size()), expected);

  TSWFColorTransform noAlpha(false);
  noAlpha.SetAddG(3);
  expected = "10" "0011" "000" "011" "000";
  bytes = Written([&](TBitsEngine& be) { be.WriteColorTransform(noAlpha); });
  EXPECT_EQ(Bits(bytes, expected.size()), expected);
  EXPECT_EQ(bytes.size(), 2u);
}

TEST(Streams, MemoryStreamSeeksBackToFillIn) {
  TMemoryStream s;
  s.Write("abcdef", 6);
  s.Seek(2);
  s.Write("XY", 2);
  EXPECT_EQ(s.Position(), 4u);
  s.Seek(s.Size());
  s.Write("g", 1);
  EXPECT_EQ(std::string(s.Bytes().begin(), s.Bytes().end()), "abXYefg");
}

TEST(Streams, ZlibRoundTrip) {
  std::vector<uint8_t> data(10000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
  auto packed = ZlibCompress(data.data(), data.size());
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ(packed[0], 0x78);  // zlib header
  std::vector<uint8_t> back(data.size());
  uLongf len = back.size();
  ASSERT_EQ(uncompress(back.data(), &len, packed.data(), packed.size()), Z_OK);
  EXPECT_EQ(len, data.size());
  EXPECT_EQ(back, data);
}

TEST(Streams, MemoryStreamWriteAcrossTheEndOverwritesThenAppends) {
  TMemoryStream s;
  s.Write("abcd", 4);
  s.Seek(2);
  s.Write("XYZW", 4);
  s.Seek(8);  // past the end: the gap is zero
  s.Write("!", 1);
  EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{'a', 'b', 'X', 'Y', 'Z', 'W', 0, 0, '!'}));
  EXPECT_EQ(s.Position(), 9u);
}

// The same bytes as zlib's one-shot compress at the default level, however
// the input is split: within one chunk, several chunks deflated on the
// second thread, and writes that straddle chunk borders.
TEST(Streams, ChunkedCompressionEqualsOneShotCompression) {
  const size_t sizes[] = {0, 1, 1000, TZCompressionStream::ChunkSize, 3 * TZCompressionStream::ChunkSize + 777};
  for (size_t size : sizes) {
    std::vector<uint8_t> data(size);
    uint32_t x = 12345;
    for (size_t i = 0; i < size; ++i) {
      x = x * 1103515245 + 12345;
      data[i] = static_cast<uint8_t>(i % 300 < 200 ? i * 7 : x >> 24);  // runs and noise
    }
    std::vector<uint8_t> expected(compressBound(static_cast<uLong>(size)));
    uLongf expectedSize = expected.size();
    ASSERT_EQ(compress2(expected.data(), &expectedSize, data.data(), static_cast<uLong>(size), Z_DEFAULT_COMPRESSION),
              Z_OK);
    expected.resize(expectedSize);

    TMemoryStream out;
    {
      TZCompressionStream z(out);
      for (size_t at = 0, step = 1; at < size; at += step, step = step * 3 % 70001 + 1)
        z.Write(data.data() + at, std::min(step, size - at));
      EXPECT_EQ(z.Position(), size);
      z.Finish();
    }
    EXPECT_EQ(out.Bytes(), expected) << size << " bytes";
  }
}

// A destination that fails after some bytes.
class TFailingStream : public TMemoryStream {
 public:
  void Write(const void* data, size_t size) override {
    if (Size() + size > 1000) throw EStreamError("disk full");
    TMemoryStream::Write(data, size);
  }
};

TEST(Streams, CompressionReportsTheDestinationsFailure) {
  std::vector<uint8_t> noise(4 * TZCompressionStream::ChunkSize);
  uint32_t x = 1;
  for (auto& b : noise) b = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 24);
  TFailingStream out;
  TZCompressionStream z(out);
  EXPECT_THROW(
      {
        z.Write(noise.data(), noise.size());
        z.Finish();
      },
      EStreamError);
}

TEST(Streams, FileErrorsCarryTheNameAndTheReason) {
  try {
    TFileStream f("/nonexistent-folder/movie.swf");
    FAIL() << "opened";
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.what(), "/nonexistent-folder/movie.swf: No such file or directory");
  }
}

// No value is ever wrapped into a field too narrow for it: the writer
// throws, naming the record and the value.
TEST(BitsEngine, ValuesThatDoNotFitTheirFieldAreRefused) {
  struct Case {
    const char* what;
    std::function<void(TBitsEngine&)> write;
    const char* named;  // a part of the message
  };
  TSWFMatrix farAway;
  farAway.SetTranslate(1 << 30, 0);
  TSWFColorTransform strong(false);
  strong.SetMultR(1 << 14);
  const Case cases[] = {
      {"unsigned field", [](TBitsEngine& be) { be.WriteBits(8, 3); }, "8 does not fit in 3 bits"},
      {"zero-width field", [](TBitsEngine& be) { be.WriteBits(1, 0); }, "1 does not fit in 0 bits"},
      {"signed field, too large", [](TBitsEngine& be) { be.WriteSBits(4, 3); }, "4 does not fit"},
      {"signed field, too small", [](TBitsEngine& be) { be.WriteSBits(-5, 3); }, "-5 does not fit"},
      {"RECT of 60,000,000 pixels a side",
       [](TBitsEngine& be) { be.WriteRect(TRect{0, 0, 1'200'000'000, 1'200'000'000}); }, "RECT: the value 1200000000"},
      {"MATRIX translation of 2^30", [&](TBitsEngine& be) { be.WriteMatrix(farAway); }, "MATRIX: the value 1073741824"},
      {"CXFORM term of 2^14", [&](TBitsEngine& be) { be.WriteColorTransform(strong); }, "CXFORM: the value 16384"},
  };
  for (const Case& c : cases) {
    TMemoryStream out;
    TBitsEngine be(out);
    try {
      c.write(be);
      ADD_FAILURE() << c.what << ": written";
    } catch (const EFieldOverflow& e) {
      EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << c.what << ": " << e.what();
    }
  }
  // The limits themselves fit.
  auto bytes = Written([](TBitsEngine& be) {
    be.WriteSBits(-4, 3);
    be.WriteSBits(3, 3);
    be.WriteBits(7, 3);
    be.WriteSBits(std::numeric_limits<int32_t>::min(), 32);
  });
  EXPECT_EQ(Bits(bytes, 9), "100011111");
  EXPECT_EQ(Hex(Written([](TBitsEngine& be) { be.WriteRect(TRect{0, 0, (1 << 30) - 1, 0}); })).substr(0, 2), "F8")
      << "a width of 31 is the largest a RECT holds";
}

TEST(BitsEngine, RecordScopesNameTheRecordsInTheMessage) {
  TMemoryStream out;
  TBitsEngine outer(out);
  TBitsEngine::TRecordScope tag(outer, "DefineShape3");
  TMemoryStream body;
  TBitsEngine inner(body, outer);
  TBitsEngine::TRecordScope edge(inner, "straight edge");
  EXPECT_EQ(inner.RecordPath(), "DefineShape3, straight edge");
  EXPECT_THROW(inner.WriteBits(2, 1), EFieldOverflow);
}

}  // namespace
}  // namespace tessaly::swf
