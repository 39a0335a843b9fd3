#include "player/SwfMovieReader.h"

#include "player/SwfBitReader.h"
#include "player/SwfBitmapReader.h"
#include "player/SwfShapeReader.h"
#include "swf/SWFFormat.h"

#include <QTransform>

#include <algorithm>
#include <cstring>

namespace tessaly::player {

namespace {

using namespace swf;

constexpr size_t kMaxWarnings = 100;
// A static text stops taking glyphs once its outlines hold this many path
// elements, so that a few bytes of glyph entries cannot repeat a large
// glyph without end.
constexpr size_t kMaxTextPathElements = 1'000'000;
// The outlines of a whole movie: shape records of its shapes and fonts and
// path elements of its texts, in all. Past it, outlines are left out.
constexpr size_t kMaxMovieOutline = 2'000'000;

class TMovieReader {
 public:
  explicit TMovieReader(TMovieDef& movie) : movie_(movie) {}

  void ReadTags(TSwfBitReader& in, TTimeline& timeline, bool insideSprite);

 private:
  void Warn(std::string text);
  void AddCharacter(std::unique_ptr<TCharacter> c);
  void ReadTag(uint16_t code, TSwfBitReader& body, TFrame& frame, bool insideSprite);

  void ReadShape(TSwfBitReader& in, int version);
  void ReadJpeg(TSwfBitReader& in, uint16_t code);
  void ReadLossless(TSwfBitReader& in, bool withAlpha);
  void ReadGlyphs(TSwfBitReader& in, TFontDef& font, size_t count, bool wideOffsets, size_t* codeTableOffset);
  void ReadFont(TSwfBitReader& in);
  void ReadFont2(TSwfBitReader& in);
  void ReadText(TSwfBitReader& in, bool withAlpha);
  void ReadButton(TSwfBitReader& in);
  void ReadButton2(TSwfBitReader& in);
  void ReadSprite(TSwfBitReader& in);
  bool TakeBitmapPixels(uint16_t id, int64_t pixels);

  TMovieDef& movie_;
  std::vector<uint8_t> jpegTables_;
  size_t suppressedWarnings_ = 0;
  uint32_t tagIndex_ = 0;
  size_t outlineLeft_ = kMaxMovieOutline;
  int64_t bitmapPixelsLeft_ = kMaxMovieBitmapPixels;
};

void TMovieReader::Warn(std::string text) {
  if (movie_.warnings.size() < kMaxWarnings)
    movie_.warnings.push_back(std::move(text));
  else if (++suppressedWarnings_ == 1)
    movie_.warnings.push_back("further warnings left out");
}

void TMovieReader::AddCharacter(std::unique_ptr<TCharacter> c) {
  const uint16_t id = c->id;
  c->definedAt = tagIndex_;
  if (!movie_.characters.emplace(id, std::move(c)).second)
    Warn("character " + std::to_string(id) + " defined twice; the first definition is kept");
}

TActionList ReadActionRecords(TSwfBitReader& in) {
  TActionList actions;
  while (!in.AtEnd()) {
    TActionRecord a;
    a.code = in.ReadByte();
    if (a.code == acEnd) break;
    if (a.code >= kActionHasBody) {
      const uint16_t length = in.ReadWord();
      const auto bytes = in.ReadBytes(length);
      a.data.assign(bytes.begin(), bytes.end());
    }
    actions.push_back(std::move(a));
  }
  return actions;
}

TPlaceCommand ReadPlaceObject(TSwfBitReader& in) {
  TPlaceCommand p;
  p.hasCharacter = true;
  p.characterId = in.ReadWord();
  p.depth = in.ReadWord();
  p.hasMatrix = true;
  p.matrix = ReadMatrix(in);
  if (!in.AtEnd()) {
    p.hasColorTransform = true;
    p.colorTransform = ReadColorTransform(in, false);
  }
  return p;
}

TPlaceCommand ReadPlaceObject2(TSwfBitReader& in) {
  TPlaceCommand p;
  const uint8_t flags = in.ReadByte();
  p.depth = in.ReadWord();
  p.move = flags & pfMove;
  if (flags & pfHasCharacter) {
    p.hasCharacter = true;
    p.characterId = in.ReadWord();
  }
  if (flags & pfHasMatrix) {
    p.hasMatrix = true;
    p.matrix = ReadMatrix(in);
  }
  if (flags & pfHasColorTransform) {
    p.hasColorTransform = true;
    p.colorTransform = ReadColorTransform(in, true);
  }
  if (flags & pfHasRatio) {
    p.hasRatio = true;
    p.ratio = in.ReadWord();
  }
  if (flags & pfHasName) {
    p.hasName = true;
    p.name = in.ReadString();
  }
  if (flags & pfHasClipDepth) {
    p.hasClipDepth = true;
    p.clipDepth = in.ReadWord();
  }
  return p;
}

void TMovieReader::ReadTags(TSwfBitReader& in, TTimeline& timeline, bool insideSprite) {
  TFrame frame;
  while (!in.AtEnd()) {
    const uint16_t header = in.ReadWord();
    const uint16_t code = header >> kTagCodeShift;
    size_t length = header & kTagShortLengthMask;
    if (length == kTagLongLength) length = in.ReadDWord();
    if (in.Overrun()) {
      Warn("the tag stream ends inside a tag header");
      break;
    }
    if (length > in.Remaining()) {
      Warn("tag " + std::to_string(code) + " runs past the end of the data; reading stops");
      break;
    }
    TSwfBitReader body(in.ReadBytes(length));
    ++tagIndex_;
    if (code == tagEnd) break;
    if (code == tagShowFrame) {
      timeline.frames.push_back(std::move(frame));
      frame = TFrame{};
      continue;
    }
    ReadTag(code, body, frame, insideSprite);
  }
  // Tags after the last ShowFrame still make a frame when nothing else does.
  if (timeline.frames.empty() || !frame.commands.empty() || !frame.actions.empty())
    timeline.frames.push_back(std::move(frame));
}

void TMovieReader::ReadTag(uint16_t code, TSwfBitReader& body, TFrame& frame, bool insideSprite) {
  const bool control = code == tagPlaceObject || code == tagPlaceObject2 || code == tagRemoveObject ||
                       code == tagRemoveObject2 || code == tagDoAction || code == tagFrameLabel;
  if (insideSprite && !control) {
    if (code == tagDefineSprite) Warn("a sprite defined inside a sprite is ignored");
    return;
  }
  switch (code) {
    case tagPlaceObject:
    case tagPlaceObject2: {
      TDisplayCommand c{TDisplayCommand::dcPlace, code == tagPlaceObject ? ReadPlaceObject(body) : ReadPlaceObject2(body)};
      c.place.tagIndex = tagIndex_;
      frame.commands.push_back(std::move(c));
      break;
    }
    case tagRemoveObject: {
      TDisplayCommand c{TDisplayCommand::dcRemove, {}};
      body.ReadWord();
      c.place.depth = body.ReadWord();
      frame.commands.push_back(c);
      break;
    }
    case tagRemoveObject2: {
      TDisplayCommand c{TDisplayCommand::dcRemove, {}};
      c.place.depth = body.ReadWord();
      frame.commands.push_back(c);
      break;
    }
    case tagDoAction:
      frame.actions.push_back(ReadActionRecords(body));
      break;
    case tagFrameLabel:
      frame.label = body.ReadString();
      break;
    case tagSetBackgroundColor:
      movie_.background = ReadRgb(body);
      break;
    case tagDefineShape:
      ReadShape(body, 1);
      break;
    case tagDefineShape2:
      ReadShape(body, 2);
      break;
    case tagDefineShape3:
      ReadShape(body, 3);
      break;
    case tagJPEGTables: {
      const auto bytes = body.ReadBytes(body.Remaining());
      jpegTables_.assign(bytes.begin(), bytes.end());
      break;
    }
    case tagDefineBits:
    case tagDefineBitsJPEG2:
    case tagDefineBitsJPEG3:
      ReadJpeg(body, code);
      break;
    case tagDefineBitsLossless:
      ReadLossless(body, false);
      break;
    case tagDefineBitsLossless2:
      ReadLossless(body, true);
      break;
    case tagDefineFont:
      ReadFont(body);
      break;
    case tagDefineFont2:
      ReadFont2(body);
      break;
    case tagDefineText:
      ReadText(body, false);
      break;
    case tagDefineText2:
      ReadText(body, true);
      break;
    case tagDefineButton:
      ReadButton(body);
      break;
    case tagDefineButton2:
      ReadButton2(body);
      break;
    case tagDefineSprite:
      ReadSprite(body);
      break;
    default:
      break;  // tags the player does not use are skipped by their length
  }
}

void TMovieReader::ReadShape(TSwfBitReader& in, int version) {
  auto shape = std::make_unique<TShapeDef>();
  shape->id = in.ReadWord();
  const size_t budget = std::min(kMaxShapeRecords, outlineLeft_);
  size_t records = budget;
  const TShapeRead result = ReadShapeBody(in, version, *shape, records);
  outlineLeft_ -= budget - records;
  if (result == TShapeRead::srDamaged)
    Warn("shape " + std::to_string(shape->id) + " is damaged; drawn as far as it could be read");
  else if (result == TShapeRead::srTooLarge)
    Warn("shape " + std::to_string(shape->id) + " holds more edges than the player draws; the rest is left out");
  AddCharacter(std::move(shape));
}

// Takes a decoded bitmap's pixels from the movie's budget; false (with a
// warning) when they do not fit, and the bitmap is left out.
bool TMovieReader::TakeBitmapPixels(uint16_t id, int64_t pixels) {
  if (pixels > bitmapPixelsLeft_) {
    Warn("bitmap " + std::to_string(id) + " is left out: the movie's bitmaps exceed " +
         std::to_string(kMaxMovieBitmapPixels) + " pixels");
    return false;
  }
  bitmapPixelsLeft_ -= pixels;
  return true;
}

void TMovieReader::ReadJpeg(TSwfBitReader& in, uint16_t code) {
  auto bitmap = std::make_unique<TBitmapDef>();
  bitmap->id = in.ReadWord();
  uint32_t jpegSize = static_cast<uint32_t>(in.Remaining());
  if (code == tagDefineBitsJPEG3) {
    jpegSize = in.ReadDWord();
    if (jpegSize > in.Remaining()) jpegSize = static_cast<uint32_t>(in.Remaining());
  }
  const auto jpeg = in.ReadBytes(jpegSize);
  std::vector<uint8_t> joined;
  if (code == tagDefineBits) {
    joined = jpegTables_;
    joined.insert(joined.end(), jpeg.begin(), jpeg.end());
  } else {
    joined.assign(jpeg.begin(), jpeg.end());
  }
  std::string error;
  bitmap->image = DecodeJpeg(CleanJpegMarkers(joined), error);
  if (bitmap->image.isNull()) {
    Warn("bitmap " + std::to_string(bitmap->id) + ": " + error);
    return;
  }
  if (!TakeBitmapPixels(bitmap->id, int64_t{bitmap->image.width()} * bitmap->image.height())) return;
  if (code == tagDefineBitsJPEG3 && !in.AtEnd() &&
      !ApplyAlphaPlane(bitmap->image, in.ReadBytes(in.Remaining()), error))
    Warn("bitmap " + std::to_string(bitmap->id) + ": " + error);
  AddCharacter(std::move(bitmap));
}

void TMovieReader::ReadLossless(TSwfBitReader& in, bool withAlpha) {
  auto bitmap = std::make_unique<TBitmapDef>();
  bitmap->id = in.ReadWord();
  const int format = in.ReadByte();
  const int width = in.ReadWord();
  const int height = in.ReadWord();
  // Checked before decoding, so left-out bitmaps cost no inflating; a size
  // beyond one bitmap's limit is refused by the decoder instead.
  const int64_t pixels = int64_t{width} * height;
  if (pixels <= kMaxBitmapPixels && !TakeBitmapPixels(bitmap->id, pixels)) return;
  std::string error;
  bitmap->image = DecodeLossless(format, width, height, in.ReadBytes(in.Remaining()), withAlpha, error);
  if (!error.empty()) Warn("bitmap " + std::to_string(bitmap->id) + ": " + error);
  if (!bitmap->image.isNull()) AddCharacter(std::move(bitmap));
}

// Reads the glyphs of a font from an offset table at the reader's position:
// count offsets (16 or 32 bits) counted from the table's start, plus, when
// codeTableOffset is given, one more: the offset of the code table. A glyph
// ends where the next begins; the last at the code table or the data's end.
// All glyphs together take their records from the budget records (glyphs
// may overlap, so the bytes alone do not bound them); past it the glyphs
// are empty and the result is srTooLarge.
TShapeRead ReadGlyphTable(TSwfBitReader& in, size_t count, bool wideOffsets, size_t* codeTableOffset,
                          size_t& records, std::vector<QPainterPath>& glyphs) {
  const size_t tableStart = in.Position();
  std::vector<size_t> offsets;
  const size_t slotCount = count + (codeTableOffset ? 1 : 0);
  for (size_t i = 0; i < slotCount && !in.Overrun(); ++i) offsets.push_back(wideOffsets ? in.ReadDWord() : in.ReadWord());
  size_t end = in.Size();
  if (codeTableOffset) {
    *codeTableOffset = offsets.size() == slotCount ? tableStart + offsets.back() : in.Size();
    if (offsets.size() == slotCount) offsets.pop_back();
    end = *codeTableOffset;
  }
  TShapeRead result = TShapeRead::srComplete;
  glyphs.assign(offsets.size(), QPainterPath());
  for (size_t i = 0; i < offsets.size() && result != TShapeRead::srTooLarge; ++i) {
    const size_t begin = tableStart + offsets[i];
    const size_t stop = i + 1 < offsets.size() ? tableStart + offsets[i + 1] : end;
    TSwfBitReader glyph = in.Sub(begin, std::max(begin, stop));
    if (ReadGlyph(glyph, records, glyphs[i]) == TShapeRead::srTooLarge) result = TShapeRead::srTooLarge;
  }
  return result;
}

// Reads a font's glyph table within the font and movie budgets.
void TMovieReader::ReadGlyphs(TSwfBitReader& in, TFontDef& font, size_t count, bool wideOffsets,
                              size_t* codeTableOffset) {
  const size_t budget = std::min(kMaxShapeRecords, outlineLeft_);
  size_t records = budget;
  const TShapeRead result = ReadGlyphTable(in, count, wideOffsets, codeTableOffset, records, font.glyphs);
  outlineLeft_ -= budget - records;
  if (result == TShapeRead::srTooLarge)
    Warn("font " + std::to_string(font.id) + " holds more edges than the player draws; the rest is left out");
}

void TMovieReader::ReadFont(TSwfBitReader& in) {
  auto font = std::make_unique<TFontDef>();
  font->id = in.ReadWord();
  TSwfBitReader peek = in.Sub(in.Position(), in.Position() + 2);
  const size_t count = peek.ReadWord() / 2;
  ReadGlyphs(in, *font, count, false, nullptr);
  AddCharacter(std::move(font));
}

void TMovieReader::ReadFont2(TSwfBitReader& in) {
  auto font = std::make_unique<TFontDef>();
  font->id = in.ReadWord();
  const uint8_t flags = in.ReadByte();
  const bool wideOffsets = flags & 0x08;
  const bool wideCodes = flags & 0x04;
  in.ReadByte();  // language
  const auto name = in.ReadBytes(in.ReadByte());
  font->name.assign(name.begin(), name.end());
  const size_t count = in.ReadWord();
  size_t codeTable = 0;
  if (count > 0) ReadGlyphs(in, *font, count, wideOffsets, &codeTable);
  TSwfBitReader codes = in.Sub(codeTable, in.Size());
  for (size_t i = 0; i < font->glyphs.size() && count > 0; ++i)
    font->codes.push_back(wideCodes ? codes.ReadWord() : codes.ReadByte());
  if (in.Overrun()) Warn("font " + std::to_string(font->id) + " is truncated");
  AddCharacter(std::move(font));
}

void TMovieReader::ReadText(TSwfBitReader& in, bool withAlpha) {
  auto text = std::make_unique<TTextDef>();
  text->id = in.ReadWord();
  text->bounds = ReadRect(in);
  text->matrix = ReadMatrix(in);
  const unsigned glyphBits = in.ReadByte();
  const unsigned advanceBits = in.ReadByte();
  const TFontDef* font = nullptr;
  double height = 0;
  double x = 0, y = 0;
  TRgba color;
  bool warnedFont = false;
  const size_t maxElements = std::min(kMaxTextPathElements, outlineLeft_);
  size_t elements = 0;
  bool cut = false;
  while (!in.Overrun() && !in.AtEnd()) {
    const uint8_t flags = in.ReadByte();
    if (flags == 0) break;
    if (flags & 0x08) {
      const uint16_t fontId = in.ReadWord();
      const TCharacter* c = movie_.Find(fontId);
      font = c && c->kind == TCharacterKind::ckFont ? static_cast<const TFontDef*>(c) : nullptr;
      if (!font && !warnedFont) {
        Warn("text " + std::to_string(text->id) + " uses the undefined font " + std::to_string(fontId));
        warnedFont = true;
      }
    }
    if (flags & 0x04) color = withAlpha ? ReadRgba(in) : ReadRgb(in);
    if (flags & 0x01) x = in.ReadSignedWord();
    if (flags & 0x02) y = in.ReadSignedWord();
    if (flags & 0x08) height = in.ReadWord();
    const unsigned glyphCount = in.ReadByte();
    if (text->runs.empty() || !(text->runs.back().color == color)) text->runs.push_back({QPainterPath(), color});
    QPainterPath& path = text->runs.back().path;
    path.setFillRule(Qt::OddEvenFill);
    const double scale = height / 1024.0;
    for (unsigned i = 0; i < glyphCount && !in.Overrun(); ++i) {
      const uint32_t index = in.ReadBits(glyphBits);
      const int32_t advance = in.ReadSignedBits(advanceBits);
      if (font && index < font->glyphs.size() && !font->glyphs[index].isEmpty()) {
        const size_t glyphElements = static_cast<size_t>(font->glyphs[index].elementCount());
        if (elements + glyphElements <= maxElements) {
          elements += glyphElements;
          path.addPath(QTransform(scale, 0, 0, scale, x, y).map(font->glyphs[index]));
        } else {
          cut = true;
        }
      }
      x += advance;
    }
    in.AlignByte();
  }
  outlineLeft_ -= elements;
  if (cut)
    Warn("text " + std::to_string(text->id) + " repeats more glyph outline than the player draws; the rest is left out");
  QRectF glyphBounds;
  for (const TTextRun& run : text->runs) glyphBounds |= run.path.boundingRect();
  const TSwfMatrix& m = text->matrix;
  text->pathBounds = QTransform(m.sx, m.r0, m.r1, m.sy, m.tx, m.ty).mapRect(glyphBounds);
  AddCharacter(std::move(text));
}

void TMovieReader::ReadButton(TSwfBitReader& in) {
  auto button = std::make_unique<TButtonDef>();
  button->id = in.ReadWord();
  while (!in.Overrun()) {
    const uint8_t flags = in.ReadByte();
    if (flags == 0) break;
    TButtonRecord r;
    r.states = flags & 0x0F;
    r.characterId = in.ReadWord();
    r.depth = in.ReadWord();
    r.matrix = ReadMatrix(in);
    button->records.push_back(r);
  }
  TButtonCondAction release;
  release.conditions = 1u << bcOverDownToOverUp;
  release.actions = ReadActionRecords(in);
  if (!release.actions.empty()) button->condActions.push_back(std::move(release));
  AddCharacter(std::move(button));
}

uint16_t ConditionsFromFile(uint8_t first, uint8_t second) {
  uint16_t c = 0;
  for (int bit = 0; bit < 8; ++bit)
    if (first & (0x80 >> bit)) c |= uint16_t(1u << kCondActionFirstByte[bit]);
  if (second & 0x01) c |= uint16_t(1u << bcOverDownToIdle);
  return c;
}

void TMovieReader::ReadButton2(TSwfBitReader& in) {
  auto button = std::make_unique<TButtonDef>();
  button->id = in.ReadWord();
  button->trackAsMenu = in.ReadByte() & 0x01;
  const size_t offsetPos = in.Position();
  const uint16_t actionOffset = in.ReadWord();
  while (!in.Overrun()) {
    const uint8_t flags = in.ReadByte();
    if (flags == 0) break;
    TButtonRecord r;
    r.states = flags & 0x0F;
    r.characterId = in.ReadWord();
    r.depth = in.ReadWord();
    r.matrix = ReadMatrix(in);
    r.colorTransform = ReadColorTransform(in, true);
    button->records.push_back(r);
  }
  if (actionOffset != 0) {
    size_t pos = offsetPos + actionOffset;
    // Each record's size field points at the next; 0 marks the last. Sizes
    // only go forward, so the walk ends.
    while (pos < in.Size()) {
      TSwfBitReader rec = in.Sub(pos, in.Size());
      const uint16_t size = rec.ReadWord();
      TButtonCondAction ca;
      const uint8_t first = rec.ReadByte();
      const uint8_t second = rec.ReadByte();
      ca.conditions = ConditionsFromFile(first, second);
      ca.keyCode = second >> 1;
      TSwfBitReader actions = size == 0 ? rec : rec.Sub(rec.Position(), size_t{size});
      ca.actions = ReadActionRecords(actions);
      if (rec.Overrun()) break;
      button->condActions.push_back(std::move(ca));
      if (size == 0) break;
      pos += size;
    }
  }
  if (in.Overrun()) Warn("button " + std::to_string(button->id) + " is truncated");
  AddCharacter(std::move(button));
}

void TMovieReader::ReadSprite(TSwfBitReader& in) {
  auto sprite = std::make_unique<TSpriteDef>();
  sprite->id = in.ReadWord();
  in.ReadWord();  // frame count: the ShowFrame tags decide
  TSwfBitReader tags = in.Sub(in.Position(), in.Size());
  ReadTags(tags, sprite->timeline, true);
  AddCharacter(std::move(sprite));
}

std::vector<uint8_t> Uncompressed(std::span<const uint8_t> file, bool compressed, uint32_t declaredLength) {
  if (!compressed) {
    if (file.size() > kMaxMovieBytes)
      throw TSwfReadError("the movie is larger than " + std::to_string(kMaxMovieBytes >> 20) + " MB");
    return std::vector<uint8_t>(file.begin(), file.end());
  }
  if (declaredLength > kMaxMovieBytes)
    throw TSwfReadError("the movie declares " + std::to_string(declaredLength) +
                        " uncompressed bytes, more than the limit of " + std::to_string(kMaxMovieBytes >> 20) +
                        " MB");
  std::vector<uint8_t> body;
  const bool ok = InflateBounded(file.subspan(8), kMaxMovieBytes - 8, body);
  if (!ok && body.size() >= kMaxMovieBytes - 8)
    throw TSwfReadError("the compressed movie inflates to more than " + std::to_string(kMaxMovieBytes >> 20) +
                        " MB");
  if (body.empty()) throw TSwfReadError("the compressed movie data is corrupt");
  std::vector<uint8_t> whole(file.begin(), file.begin() + 8);
  whole.insert(whole.end(), body.begin(), body.end());
  return whole;
}

}  // namespace

std::unique_ptr<TMovieDef> ReadMovie(std::span<const uint8_t> file) {
  if (file.size() < 8) throw TSwfReadError("not an SWF movie: the file is too short");
  const bool compressed = file[0] == 'C';
  if ((file[0] != 'F' && file[0] != 'C') || file[1] != 'W' || file[2] != 'S')
    throw TSwfReadError("not an SWF movie: the signature is neither FWS nor CWS");
  auto movie = std::make_unique<TMovieDef>();
  movie->compressed = compressed;
  movie->version = file[3];
  movie->declaredLength = uint32_t{file[4]} | uint32_t{file[5]} << 8 | uint32_t{file[6]} << 16 |
                          uint32_t{file[7]} << 24;
  const std::vector<uint8_t> data = Uncompressed(file, compressed, movie->declaredLength);
  if (data.size() != movie->declaredLength)
    movie->warnings.push_back("the header's file length " + std::to_string(movie->declaredLength) +
                              " differs from the " + std::to_string(data.size()) + " bytes present");
  TSwfBitReader in(data);
  in.Skip(8);
  movie->frameSize = ReadRect(in);
  const uint16_t rate = in.ReadWord();
  movie->frameRate = (rate >> 8) + (rate & 0xFF) / 256.0;
  movie->declaredFrameCount = in.ReadWord();
  if (in.Overrun()) throw TSwfReadError("not an SWF movie: the header is truncated");
  const int64_t width = (int64_t{movie->frameSize.xmax} - movie->frameSize.xmin) / 20;
  const int64_t height = (int64_t{movie->frameSize.ymax} - movie->frameSize.ymin) / 20;
  if (width > kMaxStageSide || height > kMaxStageSide || width * height > kMaxStagePixels)
    throw TSwfReadError("the movie's frame size " + std::to_string(width) + "x" + std::to_string(height) +
                        " pixels is too large (at most " + std::to_string(kMaxStageSide) + " per side)");
  TMovieReader reader(*movie);
  TSwfBitReader tags = in.Sub(in.Position(), in.Size());
  reader.ReadTags(tags, movie->timeline, false);
  return movie;
}

}  // namespace tessaly::player
