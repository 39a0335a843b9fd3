#pragma once
// The lowest layer of the SWF writer: byte streams, the bit writer every
// record goes through, the bit-width and fixed-point helpers, and the
// primitive records (RECT, RGB, RGBA, MATRIX, CXFORM).

#include <cstddef>
#include <cstdint>
#include <future>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <zlib.h>

namespace tessaly::swf {

// A stream or file error: the platform's error text and the file name.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A value that does not fit the field it would be written into: the writer
// refuses it rather than writing a wrapped value. The message names the
// record and the value.
class EFieldOverflow : public std::range_error {
 public:
  using std::range_error::range_error;
};

// Output stream the writer works on. Positions are byte offsets from the
// start; Seek moves back (or forward) so that offsets can be filled in after
// the data they describe is written.
class TStream {
 public:
  virtual ~TStream() = default;
  virtual void Write(const void* data, size_t size) = 0;
  virtual uint64_t Position() const = 0;
  virtual void Seek(uint64_t position) = 0;
  virtual uint64_t Size() const = 0;
};

// Growable memory stream. Writing past the end extends it; writing inside
// overwrites.
class TMemoryStream : public TStream {
 public:
  void Write(const void* data, size_t size) override;
  uint64_t Position() const override { return position_; }
  void Seek(uint64_t position) override;
  uint64_t Size() const override { return data_.size(); }

  void Clear();
  // Room for Size bytes without reallocating.
  void Reserve(size_t size) { data_.reserve(size); }
  const std::vector<uint8_t>& Bytes() const { return data_; }
  const uint8_t* Data() const { return data_.data(); }

 private:
  std::vector<uint8_t> data_;
  size_t position_ = 0;
};

// File opened for writing (created or truncated). Errors throw EStreamError.
class TFileStream : public TStream {
 public:
  explicit TFileStream(const std::string& fileName);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  void Write(const void* data, size_t size) override;
  uint64_t Position() const override;
  void Seek(uint64_t position) override;
  uint64_t Size() const override;
  // Flushes and closes; reports a failed final write, which the destructor
  // cannot.
  void Close();

 private:
  [[noreturn]] void Fail() const;
  std::string fileName_;
  FILE* file_ = nullptr;
};

// Compresses everything written to it as one zlib stream (default level)
// onto Dest. Finish ends the zlib stream; the destructor finishes it when
// the caller did not. It cannot seek.
struct TDeflateState;

// Compresses everything written to it into dest. zlib's working memory is
// kept per thread and reused by the next stream, so that writing a movie
// after every edit does not allocate and return it each time.
//
// Input is gathered in chunks. A large movie's chunks are deflated on a
// second thread while the writer fills the next one, one chunk at a time and
// in order, so the zlib stream is the same as from a single deflate; dest is
// written only by that thread until Finish returns. A stream smaller than
// one chunk is deflated on the calling thread by Finish.
class TZCompressionStream : public TStream {
 public:
  explicit TZCompressionStream(TStream& dest);
  ~TZCompressionStream() override;
  TZCompressionStream(const TZCompressionStream&) = delete;
  TZCompressionStream& operator=(const TZCompressionStream&) = delete;

  void Write(const void* data, size_t size) override;
  uint64_t Position() const override { return written_; }
  void Seek(uint64_t position) override;
  uint64_t Size() const override { return written_; }
  void Finish();

  static constexpr size_t ChunkSize = 256 * 1024;

 private:
  void HandOverChunk();
  void WaitForChunk();
  void Deflate(const std::vector<uint8_t>& input, int flush);
  TStream& dest_;
  std::unique_ptr<TDeflateState> ownState_;
  TDeflateState* state_;
  std::vector<uint8_t> filling_;
  std::vector<uint8_t> deflating_;
  std::future<void> deflated_;
  uint64_t written_ = 0;
  bool finished_ = false;
};

// One zlib stream (default level) of the given bytes.
std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size);

// ---- bit widths and fixed point ----

// 0 for 0, else k with 2^(k-1) <= V < 2^k.
uint8_t GetBitsCount(uint32_t value);
// 0 for 0, else GetBitsCount(|V|) + 1.
uint8_t GetSignedBitsCount(int32_t value);
// |V| (2^31 for INT32_MIN).
uint32_t Magnitude(int32_t value);
uint32_t LargestMagnitude(std::initializer_list<int32_t> values);
// The width of a signed field holding magnitudes up to Magnitude: 0 for 0,
// else GetBitsCount(Magnitude) + 1.
uint8_t SignedBitsOfMagnitude(uint32_t magnitude);

// 16.16 fixed point, truncated toward zero.
int32_t FloatToFixed16(double value);
double Fixed16ToFloat(int32_t value);
// 8.8 fixed point: integer part in the high byte plus the rounded fraction.
uint16_t FloatToFixed8(double value);
double Fixed8ToFloat(uint16_t value);

// ---- colours ----
// An RGBA value has red in byte 0, green in byte 1, blue in byte 2 and alpha
// in byte 3; an RGB value ignores byte 3.

uint32_t MakeRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
// A COLORREF-style colour (0x00BBGGRR) with the alpha byte. A system colour
// (0x80000000 or 0xFF000000 plus a system colour index) is first resolved to
// its RGB value.
uint32_t ColorToRGBA(uint32_t color, uint8_t alpha);

// A rectangle given as left, top, right, bottom.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool operator==(const TRect&) const = default;
};

// RECT: Xmin <= Xmax and Ymin <= Ymax always hold; a setter that would break
// a pair swaps that pair's values.
class TSWFRect {
 public:
  TSWFRect() = default;
  explicit TSWFRect(const TRect& r) { SetRect(r); }

  int32_t Xmin() const { return xmin_; }
  int32_t Xmax() const { return xmax_; }
  int32_t Ymin() const { return ymin_; }
  int32_t Ymax() const { return ymax_; }
  void SetXmin(int32_t v);
  void SetXmax(int32_t v);
  void SetYmin(int32_t v);
  void SetYmax(int32_t v);

  void SetRect(const TRect& r);
  void SetRect(int32_t left, int32_t top, int32_t right, int32_t bottom) { SetRect(TRect{left, top, right, bottom}); }
  TRect Rect() const { return {xmin_, ymin_, xmax_, ymax_}; }
  int32_t Width() const { return xmax_ - xmin_; }
  int32_t Height() const { return ymax_ - ymin_; }

 private:
  void Normalize();
  int32_t xmax_ = 0;
  int32_t xmin_ = 0;
  int32_t ymax_ = 0;
  int32_t ymin_ = 0;
};

// RGB colour record.
class TSWFRGB {
 public:
  TSWFRGB() = default;
  explicit TSWFRGB(uint32_t rgb) { SetRGB(rgb); }
  virtual ~TSWFRGB() = default;

  uint8_t R() const { return r_; }
  uint8_t G() const { return g_; }
  uint8_t B() const { return b_; }
  void SetR(uint8_t v) { r_ = v; }
  void SetG(uint8_t v) { g_ = v; }
  void SetB(uint8_t v) { b_ = v; }

  virtual void SetRGB(uint32_t rgb);
  uint32_t RGB() const { return MakeRGBA(r_, g_, b_, 0); }

 private:
  uint8_t b_ = 0;
  uint8_t g_ = 0;
  uint8_t r_ = 0;
};

// RGBA colour record. An alpha other than 255 sets HasAlpha; clearing
// HasAlpha makes the colour opaque again.
class TSWFRGBA : public TSWFRGB {
 public:
  explicit TSWFRGBA(bool hasAlpha = false) : hasAlpha_(hasAlpha) {}

  uint8_t Alpha() const { return alpha_; }
  void SetAlpha(uint8_t a);
  bool HasAlpha() const { return hasAlpha_; }
  void SetHasAlpha(bool v);

  // From an RGB value: opaque, HasAlpha unchanged.
  void SetRGB(uint32_t rgb) override;
  // From an RGBA value: byte 3 becomes the alpha.
  void SetRGBA(uint32_t rgba);
  uint32_t RGBA() const { return MakeRGBA(R(), G(), B(), alpha_); }

 private:
  uint8_t alpha_ = 255;
  bool hasAlpha_;
};

// CXFORM / CXFORMWITHALPHA. Multiply terms are 8.8 factors (256 = 1.0), add
// terms colour units. Each setter sets its group's flag; the alpha setters
// also set HasAlpha. Terms never set stay 0.
class TSWFColorTransform {
 public:
  explicit TSWFColorTransform(bool hasAlpha = false) : hasAlpha_(hasAlpha) {}

  int32_t AddR() const { return addR_; }
  int32_t AddG() const { return addG_; }
  int32_t AddB() const { return addB_; }
  int32_t AddA() const { return addA_; }
  int32_t MultR() const { return multR_; }
  int32_t MultG() const { return multG_; }
  int32_t MultB() const { return multB_; }
  int32_t MultA() const { return multA_; }
  bool HasAdd() const { return hasAdd_; }
  bool HasMult() const { return hasMult_; }
  bool HasAlpha() const { return hasAlpha_; }

  void SetAddR(int32_t v) { addR_ = v; hasAdd_ = true; }
  void SetAddG(int32_t v) { addG_ = v; hasAdd_ = true; }
  void SetAddB(int32_t v) { addB_ = v; hasAdd_ = true; }
  void SetAddA(int32_t v) { addA_ = v; hasAdd_ = true; hasAlpha_ = true; }
  void SetMultR(int32_t v) { multR_ = v; hasMult_ = true; }
  void SetMultG(int32_t v) { multG_ = v; hasMult_ = true; }
  void SetMultB(int32_t v) { multB_ = v; hasMult_ = true; }
  void SetMultA(int32_t v) { multA_ = v; hasMult_ = true; hasAlpha_ = true; }
  void SetHasAdd(bool v) { hasAdd_ = v; }
  void SetHasMult(bool v) { hasMult_ = v; }
  void SetHasAlpha(bool v) { hasAlpha_ = v; }

 private:
  int32_t addA_ = 0, addB_ = 0, addG_ = 0, addR_ = 0;
  bool hasAdd_ = false;
  bool hasAlpha_;
  bool hasMult_ = false;
  int32_t multA_ = 0, multB_ = 0, multG_ = 0, multR_ = 0;
};

// MATRIX. Scale and rotate terms are 16.16, the translation twips. A new
// matrix is the identity as written: no scale, no rotate, translation 0.
class TSWFMatrix {
 public:
  bool HasScale() const { return hasScale_; }
  bool HasRotate() const { return hasRotate_; }
  int32_t ScaleX() const { return scaleX_; }
  int32_t ScaleY() const { return scaleY_; }
  int32_t RotateSkew0() const { return rotateSkew0_; }
  int32_t RotateSkew1() const { return rotateSkew1_; }
  int32_t TranslateX() const { return translateX_; }
  int32_t TranslateY() const { return translateY_; }

  double ScaleXValue() const { return Fixed16ToFloat(scaleX_); }
  double ScaleYValue() const { return Fixed16ToFloat(scaleY_); }
  double RotateSkew0Value() const { return Fixed16ToFloat(rotateSkew0_); }
  double RotateSkew1Value() const { return Fixed16ToFloat(rotateSkew1_); }

  void SetScale(double scaleX, double scaleY);
  // RotateSkew1 := A, RotateSkew0 := B.
  void SetSkew(double a, double b);
  void SetTranslate(int32_t x, int32_t y);
  // Composes a rotation (degrees) with the scale and skew already there.
  void SetRotate(double angle);

 private:
  bool hasScale_ = false;
  bool hasRotate_ = false;
  int32_t scaleX_ = 0;
  int32_t scaleY_ = 0;
  int32_t rotateSkew1_ = 0;
  int32_t rotateSkew0_ = 0;
  int32_t translateX_ = 0;
  int32_t translateY_ = 0;
};

// Bit-level writer over a stream it does not own. Bits fill each byte from
// its most significant bit; whole-byte writes flush pending bits first
// (except WriteByte, WriteColor and WriteColorA, see below). A value that
// does not fit its field throws EFieldOverflow naming the records being
// written (see TRecordScope) and the value; nothing is ever wrapped.
class TBitsEngine {
 public:
  explicit TBitsEngine(TStream& stream) : stream_(stream) {}
  // An engine for a body written inside Parent's record (a tag's body, an
  // action's body): its messages name Parent's records first.
  TBitsEngine(TStream& stream, const TBitsEngine& parent) : stream_(stream), records_(parent.records_) {}
  TBitsEngine(const TBitsEngine&) = delete;
  TBitsEngine& operator=(const TBitsEngine&) = delete;

  TStream& BitsStream() { return stream_; }
  uint8_t PendingBits() const { return pending_; }

  // Names a record for the messages of the fields written while it lives.
  class TRecordScope {
   public:
    TRecordScope(TBitsEngine& be, std::string_view name) : be_(be) { be_.records_.push_back(name); }
    ~TRecordScope() { be_.records_.pop_back(); }
    TRecordScope(const TRecordScope&) = delete;
    TRecordScope& operator=(const TRecordScope&) = delete;

   private:
    TBitsEngine& be_;
  };
  // The records being written, outermost first ("DefineShape3, RECT").
  std::string RecordPath() const;
  // Throws EFieldOverflow: the record path, then What.
  [[noreturn]] void Overflow(const std::string& what) const;
  // Throws EFieldOverflow unless Value fits an unsigned field of Count bits.
  void CheckFits(uint64_t value, unsigned count, std::string_view field) const;

  // Value (Count 0..32) in an unsigned field of Count bits, most
  // significant bit first.
  void WriteBits(uint32_t value, unsigned count);
  // Value in a signed (two's complement) field of Count bits.
  void WriteSBits(int32_t value, unsigned count);
  // The width N of the signed fields that follow, in a field of FieldBits
  // bits after subtracting Bias (shape edges store N - 2). Largest is the
  // largest magnitude those fields hold, named when N does not fit.
  void WriteFieldWidth(unsigned n, unsigned fieldBits, uint64_t largest, unsigned bias = 0);
  void WriteBit(bool flag) { WriteBits(flag ? 1 : 0, 1); }
  // Straight to the stream when aligned, else through the bit buffer.
  void WriteByte(uint8_t b);
  void WriteWord(uint16_t w);
  void WriteDWord(uint32_t d);
  void WriteSingle(float f);
  // Red, green, blue (and alpha) bytes straight to the stream; the caller
  // is byte-aligned.
  void WriteColor(uint32_t rgb);
  void WriteColorA(uint32_t rgba);
  void WriteRect(const TSWFRect& r);
  // Normalised first.
  void WriteRect(const TRect& r);
  void WriteMatrix(const TSWFMatrix& m);
  // CXFORMWITHALPHA when the transform has alpha, else CXFORM.
  void WriteColorTransform(const TSWFColorTransform& t);
  // S is UTF-8, cut at its first NUL: a string in a movie never holds
  // one. With UTF8 its bytes are written as they are, otherwise it is first
  // converted to the system code page. Then a 0 when asked.
  void WriteString(std::string_view s, bool zeroTerminate = true, bool utf8 = false);
  void WriteBuffer(const void* data, size_t length, bool zeroTerminate = false);
  // Pads the pending bits to a byte when Pad; in any case drops them.
  void FlushBits(bool pad = true);

 private:
  void Put(uint8_t b) { stream_.Write(&b, 1); }
  // The low Count bits of Value, unchecked.
  void PutBits(uint32_t value, unsigned count);
  // The width of two signed values in 5 bits, then both in that width.
  void WriteSignedPair(int32_t a, int32_t b);
  TStream& stream_;
  std::vector<std::string_view> records_;
  uint8_t buffer_ = 0;
  uint8_t pending_ = 0;
};

}  // namespace tessaly::swf
