#include "platform/FontSource.h"

#include <fontconfig/fontconfig.h>

#include FT_BBOX_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <unordered_map>

#include "platform/CodePage.h"
#include "platform/Rounding.h"

namespace tessaly::platform {
namespace {

struct TPatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct TFontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct TObjectSetDeleter {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct TCharSetDeleter {
  void operator()(FcCharSet* c) const { FcCharSetDestroy(c); }
};
struct TFaceDeleter {
  void operator()(FT_Face f) const { FT_Done_Face(f); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;
using TFontSet = std::unique_ptr<FcFontSet, TFontSetDeleter>;
using TObjectSet = std::unique_ptr<FcObjectSet, TObjectSetDeleter>;
using TCharSet = std::unique_ptr<FcCharSet, TCharSetDeleter>;
using TFace = std::unique_ptr<FT_FaceRec_, TFaceDeleter>;

// Synthesised oblique: the slant FreeType uses for fonts without an italic.
constexpr FT_Fixed kObliqueShear = 0x0366A;

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string FreeTypeError(FT_Error error) {
  const char* text = FT_Error_String(error);
  return text ? text : "FreeType error " + std::to_string(error);
}

// One installed scalable face as fontconfig lists it.
struct TInstalledFace {
  std::vector<std::string> Families;
  std::vector<std::string> FamilyLangs;
  std::string Style;
  int Weight = FC_WEIGHT_REGULAR;
  int Slant = FC_SLANT_ROMAN;
  int Width = FC_WIDTH_NORMAL;
  std::string File;
  int Index = 0;
  TCharSet Charset;

  bool HasFamily(const std::string& lowerName) const {
    for (const std::string& f : Families)
      if (AsciiLower(f) == lowerName) return true;
    return false;
  }
};

// A face with the style synthesis a request needs; a FontHandle indexes these.
struct TStyledFace {
  size_t Face = 0;
  bool Embolden = false;
  bool Oblique = false;
  bool WantBold = false;  // the request, for choosing fallback faces alike
  bool WantItalic = false;
  auto Key() const { return std::tuple(Face, Embolden, Oblique, WantBold, WantItalic); }
};

// Face names of other systems that belong to one language: a name that is not
// installed then maps to an installed face of that language.
const char* LanguageOfKnownName(const std::string& lower) {
  static const std::map<std::string, const char*> kNames = {
      {"simsun", "zh-cn"},          {"nsimsun", "zh-cn"},          {"simhei", "zh-cn"},
      {"fangsong", "zh-cn"},        {"fangsong_gb2312", "zh-cn"},  {"kaiti", "zh-cn"},
      {"kaiti_gb2312", "zh-cn"},    {"microsoft yahei", "zh-cn"},  {"microsoft yahei ui", "zh-cn"},
      {"dengxian", "zh-cn"},        {"lisu", "zh-cn"},             {"youyuan", "zh-cn"},
      {"stsong", "zh-cn"},          {"stheiti", "zh-cn"},          {"stkaiti", "zh-cn"},
      {"stfangsong", "zh-cn"},      {"stxihei", "zh-cn"},          {"stzhongsong", "zh-cn"},
      {"mingliu", "zh-tw"},         {"pmingliu", "zh-tw"},         {"mingliu_hkscs", "zh-tw"},
      {"microsoft jhenghei", "zh-tw"}, {"dfkai-sb", "zh-tw"},      {"細明體", "zh-tw"},
      {"新細明體", "zh-tw"},        {"標楷體", "zh-tw"},           {"微軟正黑體", "zh-tw"},
      {"ms gothic", "ja"},          {"ms pgothic", "ja"},          {"ms ui gothic", "ja"},
      {"ms mincho", "ja"},          {"ms pmincho", "ja"},          {"meiryo", "ja"},
      {"meiryo ui", "ja"},          {"yu gothic", "ja"},           {"yu mincho", "ja"},
      {"gulim", "ko"},              {"gulimche", "ko"},            {"dotum", "ko"},
      {"dotumche", "ko"},           {"batang", "ko"},              {"batangche", "ko"},
      {"gungsuh", "ko"},            {"gungsuhche", "ko"},          {"malgun gothic", "ko"},
  };
  auto it = kNames.find(lower);
  return it == kNames.end() ? nullptr : it->second;
}

// The language a face name is written in, judged by its script.
const char* LanguageOfScript(std::string_view name) {
  bool han = false;
  size_t pos = 0;
  while (pos < name.size()) {
    const long cp = DecodeUtf8(name, pos);
    if ((cp >= 0x1100 && cp <= 0x11FF) || (cp >= 0x3130 && cp <= 0x318F) || (cp >= 0xAC00 && cp <= 0xD7AF))
      return "ko";
    if (cp >= 0x3040 && cp <= 0x30FF) return "ja";
    if ((cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xF900 && cp <= 0xFAFF))
      han = true;
  }
  return han ? "zh-cn" : nullptr;
}

const char* LanguageOfCharset(uint8_t charset) {
  switch (charset) {
    case kShiftJisCharset: return "ja";
    case kHangeulCharset: return "ko";
    case kGb2312Charset: return "zh-cn";
    case kChineseBig5Charset: return "zh-tw";
    default: return nullptr;
  }
}

}  // namespace

struct FontSource::TImpl {
  FcConfig* Config = nullptr;
  FT_Library Library = nullptr;
  std::vector<TInstalledFace> Faces;
  std::vector<std::string> FaceNames;
  std::map<std::pair<std::string, int>, size_t> FaceByFile;
  std::vector<TFace> FtFaces;  // opened on first use, by face index
  std::vector<TStyledFace> Styled;
  std::map<decltype(TStyledFace{}.Key()), uint32_t> StyledIds;
  std::map<std::tuple<std::string, bool, bool, uint8_t>, FontHandle> Matches;
  std::unordered_map<uint32_t, std::vector<size_t>> FallbackFaces;  // by styled id
  std::unordered_map<uint32_t, FontTextMetrics> Metrics;            // by styled id
  std::unordered_map<uint64_t, GlyphInfo> Glyphs;                   // by styled id and code
  uint64_t Loads = 0;

  TImpl() {
    Config = FcInitLoadConfigAndFonts();
    if (!Config) throw std::runtime_error("fontconfig cannot load its configuration");
    if (FT_Error error = FT_Init_FreeType(&Library)) {
      FcConfigDestroy(Config);
      throw std::runtime_error("FreeType cannot start: " + FreeTypeError(error));
    }
    ListFaces();
  }

  ~TImpl() {
    Glyphs.clear();
    FtFaces.clear();
    Faces.clear();
    FT_Done_FreeType(Library);
    FcConfigDestroy(Config);
  }

  void ListFaces() {
    TPattern pattern(FcPatternCreate());
    FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    TObjectSet objects(FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_FILE,
                                        FC_INDEX, FC_CHARSET, nullptr));
    TFontSet set(FcFontList(Config, pattern.get(), objects.get()));
    if (!set) return;
    for (int i = 0; i < set->nfont; ++i) {
      FcPattern* font = set->fonts[i];
      TInstalledFace face;
      FcChar8* s = nullptr;
      for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &s) == FcResultMatch; ++n)
        face.Families.emplace_back(reinterpret_cast<const char*>(s));
      for (int n = 0; FcPatternGetString(font, FC_FAMILYLANG, n, &s) == FcResultMatch; ++n)
        face.FamilyLangs.emplace_back(reinterpret_cast<const char*>(s));
      if (FcPatternGetString(font, FC_STYLE, 0, &s) == FcResultMatch) face.Style = reinterpret_cast<const char*>(s);
      if (FcPatternGetString(font, FC_FILE, 0, &s) != FcResultMatch || face.Families.empty()) continue;
      face.File = reinterpret_cast<const char*>(s);
      FcPatternGetInteger(font, FC_INDEX, 0, &face.Index);
      FcPatternGetInteger(font, FC_WEIGHT, 0, &face.Weight);
      FcPatternGetInteger(font, FC_SLANT, 0, &face.Slant);
      FcPatternGetInteger(font, FC_WIDTH, 0, &face.Width);
      FcCharSet* charset = nullptr;
      if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch)
        face.Charset.reset(FcCharSetCopy(charset));
      else
        face.Charset.reset(FcCharSetCreate());
      Faces.push_back(std::move(face));
    }
    // fontconfig lists in no fixed order; sort by file so that every run
    // chooses among equal candidates alike.
    std::sort(Faces.begin(), Faces.end(), [](const TInstalledFace& a, const TInstalledFace& b) {
      return std::tie(a.File, a.Index) < std::tie(b.File, b.Index);
    });
    for (size_t i = 0; i < Faces.size(); ++i) FaceByFile[{Faces[i].File, Faces[i].Index}] = i;
    FtFaces.resize(Faces.size());
    ListFaceNames();
  }

  void ListFaceNames() {
    for (const TInstalledFace& face : Faces) {
      auto lang = [&](size_t n) { return n < face.FamilyLangs.size() ? face.FamilyLangs[n] : std::string("en"); };
      const std::string* chinese = nullptr;
      for (size_t n = 0; n < face.Families.size() && !chinese; ++n)
        if (lang(n) == "zh-cn") chinese = &face.Families[n];
      if (chinese) {
        FaceNames.push_back(*chinese);
        continue;
      }
      bool any = false;
      for (size_t n = 0; n < face.Families.size(); ++n)
        if (lang(n) == "en") {
          FaceNames.push_back(face.Families[n]);
          any = true;
        }
      if (!any) FaceNames.push_back(face.Families.front());
    }
    std::sort(FaceNames.begin(), FaceNames.end(), [](const std::string& a, const std::string& b) {
      const std::string la = AsciiLower(a), lb = AsciiLower(b);
      return la != lb ? la < lb : a < b;
    });
    FaceNames.erase(std::unique(FaceNames.begin(), FaceNames.end()), FaceNames.end());
  }

  // The faces carrying the family name.
  std::vector<size_t> FacesNamed(const std::string& name) const {
    const std::string lower = AsciiLower(name);
    std::vector<size_t> result;
    for (size_t i = 0; i < Faces.size(); ++i)
      if (Faces[i].HasFamily(lower)) result.push_back(i);
    return result;
  }

  TPattern RequestPattern(const std::string& family, bool bold, bool italic, const char* language) const {
    TPattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(pattern.get(), FC_WIDTH, FC_WIDTH_NORMAL);
    FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (language) FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(language));
    FcConfigSubstitute(Config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
  }

  std::optional<size_t> FaceOf(FcPattern* font) const {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    auto it = FaceByFile.find({reinterpret_cast<const char*>(file), index});
    if (it == FaceByFile.end()) return std::nullopt;
    return it->second;
  }

  // The installed family that stands in for a name that is not installed.
  std::vector<size_t> SubstituteFaces(const FontDescription& d) const {
    const std::string lower = AsciiLower(d.FaceName);
    const char* language = LanguageOfKnownName(lower);
    if (!language) language = LanguageOfScript(d.FaceName);
    if (!language) language = LanguageOfCharset(d.Charset);
    TPattern pattern = RequestPattern(d.FaceName, d.Bold, d.Italic, language);
    FcResult result = FcResultNoMatch;
    TPattern match(FcFontMatch(Config, pattern.get(), &result));
    if (match) {
      if (std::optional<size_t> face = FaceOf(match.get())) return FacesNamed(Faces[*face].Families.front());
    }
    std::vector<size_t> all(Faces.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    return all;
  }

  // The candidate closest to the requested style: normal width first, then
  // weight, then slant.
  size_t BestStyle(const std::vector<size_t>& candidates, bool bold, bool italic) const {
    const int wantWeight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
    auto score = [&](size_t i) {
      const TInstalledFace& f = Faces[i];
      const bool slanted = f.Slant != FC_SLANT_ROMAN;
      return std::tuple(std::abs(f.Width - FC_WIDTH_NORMAL), std::abs(f.Weight - wantWeight), slanted != italic, i);
    };
    return *std::min_element(candidates.begin(), candidates.end(),
                             [&](size_t a, size_t b) { return score(a) < score(b); });
  }

  FontHandle StyledFont(size_t face, bool bold, bool italic) {
    TStyledFace styled;
    styled.Face = face;
    styled.Embolden = bold && Faces[face].Weight < FC_WEIGHT_DEMIBOLD;
    styled.Oblique = italic && Faces[face].Slant == FC_SLANT_ROMAN;
    styled.WantBold = bold;
    styled.WantItalic = italic;
    auto [it, added] = StyledIds.try_emplace(styled.Key(), static_cast<uint32_t>(Styled.size()));
    if (added) Styled.push_back(styled);
    return FontHandle{it->second};
  }

  FontHandle Match(const FontDescription& d) {
    const auto key = std::tuple(AsciiLower(d.FaceName), d.Bold, d.Italic, d.Charset);
    if (auto it = Matches.find(key); it != Matches.end()) return it->second;
    if (Faces.empty()) throw std::runtime_error("no scalable font is installed");
    std::vector<size_t> candidates = FacesNamed(d.FaceName);
    if (candidates.empty()) candidates = SubstituteFaces(d);
    const FontHandle handle = StyledFont(BestStyle(candidates, d.Bold, d.Italic), d.Bold, d.Italic);
    Matches.emplace(key, handle);
    return handle;
  }

  const TStyledFace& StyledOf(FontHandle font) const {
    if (font.Id >= Styled.size()) throw std::out_of_range("unknown font handle");
    return Styled[font.Id];
  }

  FT_Face FtFace(size_t face) {
    if (!FtFaces[face]) {
      FT_Face opened = nullptr;
      if (FT_Error error = FT_New_Face(Library, Faces[face].File.c_str(), Faces[face].Index, &opened))
        throw std::runtime_error(Faces[face].File + ": " + FreeTypeError(error));
      FtFaces[face].reset(opened);
      if (opened->units_per_EM == 0) throw std::runtime_error(Faces[face].File + ": not a scalable font");
    }
    return FtFaces[face].get();
  }

  FontTextMetrics TextMetrics(FontHandle font) {
    if (auto it = Metrics.find(font.Id); it != Metrics.end()) return it->second;
    FT_Face face = FtFace(StyledOf(font).Face);
    const double scale = static_cast<double>(kFontEm) / face->units_per_EM;
    double ascent = face->ascender;
    double descent = -face->descender;
    auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
      ascent = os2->usWinAscent;
      descent = os2->usWinDescent;
    }
    FontTextMetrics m;
    m.Ascent = RoundHalfEven(ascent * scale);
    m.Descent = RoundHalfEven(descent * scale);
    m.InternalLeading = m.Ascent + m.Descent - kFontEm;
    Metrics.emplace(font.Id, m);
    return m;
  }

  // Faces in the order fontconfig would fall back from the font's family.
  const std::vector<size_t>& FallbackOrder(FontHandle font) {
    auto it = FallbackFaces.find(font.Id);
    if (it != FallbackFaces.end()) return it->second;
    const TStyledFace& styled = StyledOf(font);
    std::vector<size_t> order;
    TPattern pattern = RequestPattern(Faces[styled.Face].Families.front(), styled.WantBold, styled.WantItalic, nullptr);
    FcResult result = FcResultNoMatch;
    TFontSet set(FcFontSort(Config, pattern.get(), FcFalse, nullptr, &result));
    if (set) {
      for (int i = 0; i < set->nfont; ++i)
        if (std::optional<size_t> face = FaceOf(set->fonts[i]); face && *face != styled.Face) order.push_back(*face);
    }
    return FallbackFaces.emplace(font.Id, std::move(order)).first->second;
  }

  GlyphInfo LoadGlyph(FontHandle font, FT_UInt index) {
    const TStyledFace& styled = StyledOf(font);
    FT_Face face = FtFace(styled.Face);
    ++Loads;
    if (FT_Error error = FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP))
      throw std::runtime_error(Faces[styled.Face].File + ": " + FreeTypeError(error));
    FT_GlyphSlot slot = face->glyph;
    const double scale = static_cast<double>(kFontEm) / face->units_per_EM;
    double advance = static_cast<double>(slot->metrics.horiAdvance);
    GlyphInfo info;
    info.Source = font;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_points > 0) {
      FT_Outline& outline = slot->outline;
      if (styled.Embolden) {
        const FT_Pos strength = face->units_per_EM / 24;
        FT_Outline_EmboldenXY(&outline, strength, strength);
        advance += static_cast<double>(strength);
      }
      if (styled.Oblique) {
        FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
        FT_Outline_Transform(&outline, &shear);
      }
      info.Outline = ConvertOutline(outline, scale);
      FT_BBox box{};
      FT_Outline_Get_BBox(&outline, &box);
      info.Abc.A = RoundHalfEven(box.xMin * scale);
      info.Abc.B = RoundHalfEven(box.xMax * scale) - info.Abc.A;
    } else if (styled.Embolden) {
      advance += static_cast<double>(face->units_per_EM / 24);
    }
    info.Abc.C = RoundHalfEven(advance * scale) - info.Abc.A - info.Abc.B;
    return info;
  }

  const GlyphInfo& Glyph(FontHandle font, char16_t code) {
    const uint64_t key = (static_cast<uint64_t>(font.Id) << 16) | code;
    if (auto it = Glyphs.find(key); it != Glyphs.end()) return it->second;
    const TStyledFace styled = StyledOf(font);
    GlyphInfo info;
    if (FT_UInt index = FT_Get_Char_Index(FtFace(styled.Face), code)) {
      info = LoadGlyph(font, index);
    } else if (std::optional<std::pair<FontHandle, FT_UInt>> fallback = FallbackGlyph(font, code)) {
      info = LoadGlyph(fallback->first, fallback->second);
    } else {
      info = LoadGlyph(font, 0);
      info.Missing = true;
    }
    return Glyphs.emplace(key, std::move(info)).first->second;
  }

  // The first face in fallback order that has the character, in the style
  // closest to the font's request.
  std::optional<std::pair<FontHandle, FT_UInt>> FallbackGlyph(FontHandle font, char16_t code) {
    const TStyledFace styled = StyledOf(font);
    for (size_t face : FallbackOrder(font)) {
      if (!FcCharSetHasChar(Faces[face].Charset.get(), code)) continue;
      const size_t best = BestStyle(FacesNamed(Faces[face].Families.front()), styled.WantBold, styled.WantItalic);
      for (size_t candidate : {best, face}) {
        if (FT_UInt index = FT_Get_Char_Index(FtFace(candidate), code))
          return std::pair(StyledFont(candidate, styled.WantBold, styled.WantItalic), index);
      }
    }
    return std::nullopt;
  }
};

FontSource::FontSource() : impl_(std::make_unique<TImpl>()) {}
FontSource::~FontSource() = default;

FontSource& FontSource::System() {
  static FontSource source;
  return source;
}

const std::vector<std::string>& FontSource::FaceNames() const { return impl_->FaceNames; }

bool FontSource::IsInstalled(std::string_view faceName) const { return !impl_->FacesNamed(std::string(faceName)).empty(); }

FontHandle FontSource::Match(const FontDescription& description) { return impl_->Match(description); }

MatchedFace FontSource::Describe(FontHandle font) const {
  const TStyledFace& styled = impl_->StyledOf(font);
  const TInstalledFace& face = impl_->Faces[styled.Face];
  MatchedFace m;
  m.Family = face.Families.front();
  for (size_t n = 0; n < face.Families.size(); ++n)
    if (n < face.FamilyLangs.size() && face.FamilyLangs[n] == "en") {
      m.Family = face.Families[n];
      break;
    }
  m.Style = face.Style;
  m.File = face.File;
  m.Index = face.Index;
  m.SyntheticBold = styled.Embolden;
  m.SyntheticItalic = styled.Oblique;
  return m;
}

FontTextMetrics FontSource::TextMetrics(FontHandle font) { return impl_->TextMetrics(font); }

const GlyphInfo& FontSource::Glyph(FontHandle font, char16_t code) { return impl_->Glyph(font, code); }

TextSize FontSource::TextExtent(FontHandle font, std::u16string_view text) {
  TextSize size;
  for (char16_t unit : text) size.Width += Glyph(font, unit).Abc.Advance();
  const FontTextMetrics m = TextMetrics(font);
  size.Height = m.Ascent + m.Descent;
  return size;
}

uint64_t FontSource::GlyphLoads() const { return impl_->Loads; }

}  // namespace tessaly::platform
