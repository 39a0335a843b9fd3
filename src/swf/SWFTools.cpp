#include "swf/SWFTools.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "platform/CodePage.h"
#include "platform/SystemColors.h"
#include "platform/Rounding.h"

namespace tessaly::swf {

// ---- TMemoryStream ----

void TMemoryStream::Write(const void* data, size_t size) {
  if (size == 0) return;
  const auto* p = static_cast<const uint8_t*>(data);
  // Overwrite what lies before the end, append the rest (no zero fill).
  const size_t inside = std::min(size, data_.size() - position_);
  if (inside > 0) std::memcpy(data_.data() + position_, p, inside);
  data_.insert(data_.end(), p + inside, p + size);
  position_ += size;
}

void TMemoryStream::Seek(uint64_t position) {
  if (position > data_.size()) data_.resize(position);
  position_ = position;
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& fileName) : fileName_(fileName) {
  file_ = std::fopen(fileName.c_str(), "wb");
  if (!file_) Fail();
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

void TFileStream::Fail() const {
  throw EStreamError(fileName_ + ": " + std::strerror(errno));
}

void TFileStream::Write(const void* data, size_t size) {
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) Fail();
}

uint64_t TFileStream::Position() const {
  long pos = std::ftell(file_);
  if (pos < 0) Fail();
  return static_cast<uint64_t>(pos);
}

void TFileStream::Seek(uint64_t position) {
  if (std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0) Fail();
}

uint64_t TFileStream::Size() const {
  long here = std::ftell(file_);
  if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0) Fail();
  long end = std::ftell(file_);
  if (end < 0 || std::fseek(file_, here, SEEK_SET) != 0) Fail();
  return static_cast<uint64_t>(end);
}

void TFileStream::Close() {
  FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) Fail();
}

// ---- zlib ----

// One deflate stream at the default level; reset for every use.
struct TDeflateState {
  TDeflateState() {
    if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK) throw EStreamError("zlib: cannot start compression");
  }
  ~TDeflateState() { deflateEnd(&zs); }
  TDeflateState(const TDeflateState&) = delete;
  TDeflateState& operator=(const TDeflateState&) = delete;
  z_stream zs{};
  bool inUse = false;
};

namespace {

TDeflateState& ThreadDeflateState() {
  thread_local TDeflateState state;
  return state;
}

}  // namespace

TZCompressionStream::TZCompressionStream(TStream& dest) : dest_(dest), state_(&ThreadDeflateState()) {
  if (state_->inUse) {
    // Another stream of this thread is open: this one gets its own.
    ownState_ = std::make_unique<TDeflateState>();
    state_ = ownState_.get();
  } else if (deflateReset(&state_->zs) != Z_OK) {
    throw EStreamError("zlib: cannot start compression");
  }
  state_->inUse = true;
}

TZCompressionStream::~TZCompressionStream() {
  if (!finished_) {
    try {
      Finish();
    } catch (...) {
      // The destination failed while the stream was dropped; nothing more
      // can be reported from here.
    }
  }
  if (deflated_.valid()) deflated_.wait();
  state_->inUse = false;
}

void TZCompressionStream::Deflate(const std::vector<uint8_t>& input, int flush) {
  z_stream& zs = state_->zs;
  zs.next_in = const_cast<Bytef*>(input.data());
  zs.avail_in = static_cast<uInt>(input.size());
  uint8_t out[16384];
  int rc;
  do {
    zs.next_out = out;
    zs.avail_out = sizeof out;
    rc = deflate(&zs, flush);
    if (rc == Z_STREAM_ERROR) throw EStreamError("zlib: compression failed");
    dest_.Write(out, sizeof out - zs.avail_out);
  } while (zs.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
}

void TZCompressionStream::Write(const void* data, size_t size) {
  if (finished_) throw std::logic_error("write after the zlib stream was finished");
  const auto* p = static_cast<const uint8_t*>(data);
  written_ += size;
  while (size > 0) {
    const size_t n = std::min(size, ChunkSize - filling_.size());
    filling_.insert(filling_.end(), p, p + n);
    p += n;
    size -= n;
    if (filling_.size() == ChunkSize) HandOverChunk();
  }
}

// Waits for the chunk in progress; a failure of its deflate or of the
// destination is thrown here.
void TZCompressionStream::WaitForChunk() {
  if (deflated_.valid()) deflated_.get();
}

void TZCompressionStream::HandOverChunk() {
  WaitForChunk();
  std::swap(filling_, deflating_);
  filling_.clear();
  filling_.reserve(ChunkSize);
  deflated_ = std::async(std::launch::async, [this] { Deflate(deflating_, Z_NO_FLUSH); });
}

void TZCompressionStream::Seek(uint64_t) { throw std::logic_error("a zlib stream cannot seek"); }

void TZCompressionStream::Finish() {
  if (finished_) return;
  finished_ = true;
  WaitForChunk();
  Deflate(filling_, Z_FINISH);
  filling_ = {};
  deflating_ = {};
}

std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size) {
  TMemoryStream out;
  {
    TZCompressionStream z(out);
    z.Write(data, size);
    z.Finish();
  }
  return out.Bytes();
}

// ---- bit widths and fixed point ----

uint8_t GetBitsCount(uint32_t value) { return static_cast<uint8_t>(std::bit_width(value)); }

uint8_t GetSignedBitsCount(int32_t value) { return SignedBitsOfMagnitude(Magnitude(value)); }

uint32_t Magnitude(int32_t value) {
  return value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
}

uint32_t LargestMagnitude(std::initializer_list<int32_t> values) {
  uint32_t largest = 0;
  for (int32_t v : values) largest = std::max(largest, Magnitude(v));
  return largest;
}

uint8_t SignedBitsOfMagnitude(uint32_t magnitude) { return magnitude == 0 ? 0 : GetBitsCount(magnitude) + 1; }

// Values beyond the 32-bit range are clamped to it rather than left to an
// undefined conversion.
int32_t FloatToFixed16(double value) {
  double fixed = std::trunc(value * 65536.0);
  if (!(fixed >= INT32_MIN)) return INT32_MIN;
  if (fixed > INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(fixed);
}

double Fixed16ToFloat(int32_t value) { return value / 65536.0; }

uint16_t FloatToFixed8(double value) {
  // The value is unsigned and below 256; anything else is clamped.
  value = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 255.99);
  const double whole = std::trunc(value);
  return static_cast<uint16_t>(static_cast<int32_t>(whole) * 256 + platform::RoundHalfEven((value - whole) * 256.0));
}

double Fixed8ToFloat(uint16_t value) { return (value >> 8) + (value & 0xFF) / 256.0; }

// ---- colours ----

uint32_t MakeRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24;
}

uint32_t ColorToRGBA(uint32_t color, uint8_t alpha) {
  uint8_t high = color >> 24;
  if (high == 0x80 || high == 0xFF) {
    uint32_t rgb = platform::SystemColorRgb(color & 0xFFFFFF);
    return MakeRGBA(rgb >> 16, rgb >> 8, rgb, alpha);
  }
  return (color & 0xFFFFFF) | uint32_t(alpha) << 24;
}

// ---- TSWFRect ----

void TSWFRect::SetXmin(int32_t v) {
  xmin_ = v;
  if (xmin_ > xmax_) std::swap(xmin_, xmax_);
}

void TSWFRect::SetXmax(int32_t v) {
  xmax_ = v;
  if (xmin_ > xmax_) std::swap(xmin_, xmax_);
}

void TSWFRect::SetYmin(int32_t v) {
  ymin_ = v;
  if (ymin_ > ymax_) std::swap(ymin_, ymax_);
}

void TSWFRect::SetYmax(int32_t v) {
  ymax_ = v;
  if (ymin_ > ymax_) std::swap(ymin_, ymax_);
}

void TSWFRect::SetRect(const TRect& r) {
  xmin_ = r.Left;
  xmax_ = r.Right;
  ymin_ = r.Top;
  ymax_ = r.Bottom;
  Normalize();
}

void TSWFRect::Normalize() {
  if (xmin_ > xmax_) std::swap(xmin_, xmax_);
  if (ymin_ > ymax_) std::swap(ymin_, ymax_);
}

// ---- TSWFRGB / TSWFRGBA ----

void TSWFRGB::SetRGB(uint32_t rgb) {
  r_ = rgb & 0xFF;
  g_ = (rgb >> 8) & 0xFF;
  b_ = (rgb >> 16) & 0xFF;
}

void TSWFRGBA::SetAlpha(uint8_t a) {
  alpha_ = a;
  if (a != 255) hasAlpha_ = true;
}

void TSWFRGBA::SetHasAlpha(bool v) {
  hasAlpha_ = v;
  if (!v) alpha_ = 255;
}

void TSWFRGBA::SetRGB(uint32_t rgb) {
  TSWFRGB::SetRGB(rgb);
  alpha_ = 255;
}

void TSWFRGBA::SetRGBA(uint32_t rgba) {
  TSWFRGB::SetRGB(rgba);
  SetAlpha(rgba >> 24);
}

// ---- TSWFMatrix ----

void TSWFMatrix::SetScale(double scaleX, double scaleY) {
  scaleX_ = FloatToFixed16(scaleX);
  scaleY_ = FloatToFixed16(scaleY);
  hasScale_ = true;
}

void TSWFMatrix::SetSkew(double a, double b) {
  rotateSkew1_ = FloatToFixed16(a);
  rotateSkew0_ = FloatToFixed16(b);
  hasRotate_ = true;
}

void TSWFMatrix::SetTranslate(int32_t x, int32_t y) {
  translateX_ = x;
  translateY_ = y;
}

void TSWFMatrix::SetRotate(double angle) {
  double r = angle * std::numbers::pi / 180.0;
  double c = std::cos(r), s = std::sin(r);
  double sx = hasScale_ ? ScaleXValue() : 1.0;
  double sy = hasScale_ ? ScaleYValue() : 1.0;
  double k1 = hasRotate_ ? RotateSkew1Value() : 0.0;
  double k0 = hasRotate_ ? RotateSkew0Value() : 0.0;
  scaleX_ = FloatToFixed16(c * sx + s * k0);
  scaleY_ = FloatToFixed16(c * sy - s * k1);
  rotateSkew1_ = FloatToFixed16(s * sy + c * k1);
  rotateSkew0_ = FloatToFixed16(-s * sx + c * k0);
  hasScale_ = true;
  hasRotate_ = true;
}

// ---- TBitsEngine ----

std::string TBitsEngine::RecordPath() const {
  std::string path;
  for (std::string_view r : records_) {
    if (!path.empty()) path += ", ";
    path += r;
  }
  return path;
}

void TBitsEngine::Overflow(const std::string& what) const {
  const std::string path = RecordPath();
  throw EFieldOverflow((path.empty() ? std::string("SWF record") : path) + ": " + what);
}

void TBitsEngine::CheckFits(uint64_t value, unsigned count, std::string_view field) const {
  if (count >= 64 || (value >> count) == 0) return;
  Overflow(std::string(field) + " " + std::to_string(value) + " does not fit in " + std::to_string(count) + " bits");
}

void TBitsEngine::WriteBits(uint32_t value, unsigned count) {
  CheckFits(value, count, "the value");
  PutBits(value, count);
}

void TBitsEngine::WriteSBits(int32_t value, unsigned count) {
  const int64_t v = value;
  const bool fits = count >= 32 || (count == 0 ? v == 0 : v >= -(int64_t{1} << (count - 1)) && v < (int64_t{1} << (count - 1)));
  if (!fits)
    Overflow("the value " + std::to_string(value) + " does not fit in a signed field of " + std::to_string(count) +
             " bits");
  PutBits(static_cast<uint32_t>(value), count);
}

void TBitsEngine::WriteFieldWidth(unsigned n, unsigned fieldBits, uint64_t largest, unsigned bias) {
  if (n - bias >= (1u << fieldBits))
    Overflow("the value " + std::to_string(largest) + " needs " + std::to_string(n) + " bits, more than a " +
             std::to_string(fieldBits) + "-bit width field allows");
  PutBits(n - bias, fieldBits);
}

void TBitsEngine::PutBits(uint32_t value, unsigned count) {
  if (count == 0) return;
  uint64_t m = count >= 32 ? value : value & ((uint32_t(1) << count) - 1);
  unsigned total = pending_ + count;
  unsigned bytes = total / 8;
  if (bytes == 0) {
    buffer_ = static_cast<uint8_t>((buffer_ << count) | m);
    pending_ = static_cast<uint8_t>(total);
    return;
  }
  unsigned extra = total % 8;
  uint64_t acc;
  if (extra == 0) {
    acc = (uint64_t(buffer_) << count) + m;
    buffer_ = 0;
    pending_ = 0;
  } else {
    acc = (uint64_t(buffer_) << (count - extra)) + (m >> extra);
    pending_ = static_cast<uint8_t>(extra);
    buffer_ = static_cast<uint8_t>(value & ((1u << extra) - 1));
  }
  for (unsigned i = bytes; i-- > 0;) Put(static_cast<uint8_t>(acc >> (8 * i)));
}

void TBitsEngine::WriteByte(uint8_t b) {
  if (pending_ == 0)
    Put(b);
  else
    PutBits(b, 8);
}

void TBitsEngine::WriteWord(uint16_t w) {
  FlushBits(true);
  uint8_t bytes[2] = {uint8_t(w), uint8_t(w >> 8)};
  stream_.Write(bytes, 2);
}

void TBitsEngine::WriteDWord(uint32_t d) {
  FlushBits(true);
  uint8_t bytes[4] = {uint8_t(d), uint8_t(d >> 8), uint8_t(d >> 16), uint8_t(d >> 24)};
  stream_.Write(bytes, 4);
}

void TBitsEngine::WriteSingle(float f) { WriteDWord(std::bit_cast<uint32_t>(f)); }

void TBitsEngine::WriteColor(uint32_t rgb) {
  uint8_t bytes[3] = {uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16)};
  stream_.Write(bytes, 3);
}

void TBitsEngine::WriteColorA(uint32_t rgba) {
  uint8_t bytes[4] = {uint8_t(rgba), uint8_t(rgba >> 8), uint8_t(rgba >> 16), uint8_t(rgba >> 24)};
  stream_.Write(bytes, 4);
}

void TBitsEngine::WriteRect(const TSWFRect& r) {
  TRecordScope scope(*this, "RECT");
  const uint32_t largest = LargestMagnitude({r.Xmin(), r.Xmax(), r.Ymin(), r.Ymax()});
  const uint8_t n = SignedBitsOfMagnitude(largest);
  WriteFieldWidth(n, 5, largest);
  WriteSBits(r.Xmin(), n);
  WriteSBits(r.Xmax(), n);
  WriteSBits(r.Ymin(), n);
  WriteSBits(r.Ymax(), n);
  FlushBits(true);
}

void TBitsEngine::WriteRect(const TRect& r) { WriteRect(TSWFRect(r)); }

void TBitsEngine::WriteSignedPair(int32_t a, int32_t b) {
  const uint32_t largest = LargestMagnitude({a, b});
  const uint8_t n = SignedBitsOfMagnitude(largest);
  WriteFieldWidth(n, 5, largest);
  WriteSBits(a, n);
  WriteSBits(b, n);
}

void TBitsEngine::WriteMatrix(const TSWFMatrix& m) {
  TRecordScope scope(*this, "MATRIX");
  WriteBit(m.HasScale());
  if (m.HasScale()) WriteSignedPair(m.ScaleX(), m.ScaleY());
  WriteBit(m.HasRotate());
  if (m.HasRotate()) WriteSignedPair(m.RotateSkew0(), m.RotateSkew1());
  WriteSignedPair(m.TranslateX(), m.TranslateY());
  FlushBits(true);
}

void TBitsEngine::WriteColorTransform(const TSWFColorTransform& t) {
  TRecordScope scope(*this, t.HasAlpha() ? "CXFORMWITHALPHA" : "CXFORM");
  const bool alpha = t.HasAlpha();
  uint32_t largest = 0;
  if (t.HasAdd())
    largest = alpha ? LargestMagnitude({t.AddR(), t.AddG(), t.AddB(), t.AddA()})
                    : LargestMagnitude({t.AddR(), t.AddG(), t.AddB()});
  if (t.HasMult())
    largest = std::max(largest, alpha ? LargestMagnitude({t.MultR(), t.MultG(), t.MultB(), t.MultA()})
                                      : LargestMagnitude({t.MultR(), t.MultG(), t.MultB()}));
  const uint8_t n = SignedBitsOfMagnitude(largest);
  WriteBit(t.HasAdd());
  WriteBit(t.HasMult());
  if (t.HasAdd() || t.HasMult()) {
    WriteFieldWidth(n, 4, largest);
    if (t.HasMult()) {
      WriteSBits(t.MultR(), n);
      WriteSBits(t.MultG(), n);
      WriteSBits(t.MultB(), n);
      if (alpha) WriteSBits(t.MultA(), n);
    }
    if (t.HasAdd()) {
      WriteSBits(t.AddR(), n);
      WriteSBits(t.AddG(), n);
      WriteSBits(t.AddB(), n);
      if (alpha) WriteSBits(t.AddA(), n);
    }
  }
  FlushBits(true);
}

void TBitsEngine::WriteString(std::string_view s, bool zeroTerminate, bool utf8) {
  s = s.substr(0, s.find('\0'));
  if (utf8) {
    WriteBuffer(s.data(), s.size(), zeroTerminate);
  } else {
    std::string ansi = platform::Utf8ToAnsi(s);
    WriteBuffer(ansi.data(), ansi.size(), zeroTerminate);
  }
}

void TBitsEngine::WriteBuffer(const void* data, size_t length, bool zeroTerminate) {
  const auto* p = static_cast<const uint8_t*>(data);
  if (pending_ == 0)
    stream_.Write(p, length);
  else
    for (size_t i = 0; i < length; ++i) PutBits(p[i], 8);
  if (zeroTerminate) WriteByte(0);
}

void TBitsEngine::FlushBits(bool pad) {
  if (pending_ > 0 && pad) PutBits(0, 8 - pending_);
  buffer_ = 0;
  pending_ = 0;
}

}  // namespace tessaly::swf
