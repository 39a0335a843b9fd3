// Building and writing a text of 40 characters with its embedded font in a
// fresh movie: cold (the face has not been used yet, so its glyphs are read
// from FreeType) and warm (the glyphs come from the font source's cache).

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/FontSource.h"
#include "swf/FlashObjects.h"

namespace {

using namespace tessaly::swf;

const std::u16string kText = u"Tessaly banners: 欢迎光临, fonts embedded!!!";  // 40 UTF-16 units

size_t BuildAndWrite(tessaly::platform::FontSource& fonts) {
  TFlashMovie movie(0, 0, 468, 60, 35, muPixels);
  TFlashFont* font = movie.AddFont(TFontDescription{"Arial", -24}, foEmbedded);
  font->SetFontSource(fonts);
  font->SetHasLayout(true);
  font->SetSize(24);
  movie.AddText(kText, 0xFF000000, font, 234, 10, taCenter);
  movie.ShowFrame();
  movie.WriteObjects();
  TMemoryStream out;
  movie.SaveToStream(out);
  return out.Bytes().size();
}

void BM_TextCold(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto fonts = std::make_unique<tessaly::platform::FontSource>();
    state.ResumeTiming();
    benchmark::DoNotOptimize(BuildAndWrite(*fonts));
    state.PauseTiming();
    fonts.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TextCold)->Unit(benchmark::kMillisecond);

void BM_TextWarm(benchmark::State& state) {
  tessaly::platform::FontSource fonts;
  BuildAndWrite(fonts);
  for (auto _ : state) benchmark::DoNotOptimize(BuildAndWrite(fonts));
}
BENCHMARK(BM_TextWarm)->Unit(benchmark::kMillisecond);

}  // namespace
