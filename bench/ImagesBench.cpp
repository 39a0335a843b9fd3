// Picture decoding and lossless bitmap data at banner sizes.
#include <benchmark/benchmark.h>

#include "platform/GifDecoder.h"
#include "platform/JpegCodec.h"
#include "support/TestPictures.h"
#include "swf/FlashObjects.h"

namespace {

using namespace tessaly;

// A 468 x 60 banner picture in the given depth, as a BMP file in memory.
test::TBytes BannerBmp(int bitCount) { return test::MakeBmp(test::PatternBitmap(468, 60, bitCount)); }

void BM_ReadBmp(benchmark::State& state) {
  const test::TBytes bmp = BannerBmp(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    swf::TBMPReader reader;
    reader.LoadFromBytes(bmp, "banner.bmp");
    benchmark::DoNotOptimize(reader.CountColors());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bmp.size()));
}
BENCHMARK(BM_ReadBmp)->Arg(8)->Arg(24)->Arg(32);

// Building and compressing the lossless data of a fresh image, then its tag.
void BM_LosslessImageTag(benchmark::State& state) {
  const platform::TBitmap bitmap = test::PatternBitmap(468, 60, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    swf::TFlashImage image;
    image.LoadFromHandle(bitmap);
    swf::TMemoryStream out;
    swf::TBitsEngine be(out);
    image.WriteToStream(be);
    benchmark::DoNotOptimize(out.Size());
  }
}
BENCHMARK(BM_LosslessImageTag)->Arg(8)->Arg(24)->Arg(32);

void BM_DecodeGif(benchmark::State& state) {
  std::vector<platform::TRgb> colors;
  for (int i = 0; i < 256; ++i) colors.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7});
  const test::TBytes gif = test::SimpleGif(468, 60, colors, 3);
  for (auto _ : state) benchmark::DoNotOptimize(platform::TGifImage::LoadFromBytes(gif, "banner.gif").FrameCount());
}
BENCHMARK(BM_DecodeGif);

void BM_DecodeProgressiveJpeg(benchmark::State& state) {
  const test::TBytes jpeg = test::MakeJpeg(test::PatternBitmap(468, 60, 24), true);
  for (auto _ : state) benchmark::DoNotOptimize(platform::DecodeJpeg(jpeg, "banner.jpg").Width());
}
BENCHMARK(BM_DecodeProgressiveJpeg);

// The distinct-colour count of a large true-colour picture (2 MB bit table).
void BM_CountDistinctColors(benchmark::State& state) {
  swf::TBMPReader reader;
  reader.LoadFromHandle(test::PatternBitmap(1000, 1000, 24));
  for (auto _ : state) benchmark::DoNotOptimize(reader.CountColors());
}
BENCHMARK(BM_CountDistinctColors);

}  // namespace
