// Building movies through the movie objects: the shape makers, and an
// animated banner of the effect generator's kind (five buttons placed again
// with a transform in every frame), built, written and saved.

#include <benchmark/benchmark.h>

#include <string>

#include "swf/FlashObjects.h"

namespace {

using namespace tessaly::swf;

void BM_ShapeMakers(benchmark::State& state) {
  for (auto _ : state) {
    TFlashMovie movie(0, 0, 468, 60, 35, muPixels);
    for (int i = 0; i < 10; ++i) {
      movie.AddRectangle(0, 0, 40, 40)->SetSolidColor(255, 0, 0, 255);
      movie.AddRoundRect(0, 0, 40, 40, 5)->SetLinearGradient(0xFF0000FF, 0xFFFF0000, 45);
      movie.AddEllipse(0, 0, 40, 30)->SetRadialGradient(0xFFFFFFFF, 0xFF000000, 50, 50);
      movie.AddPie(20, 20, 20, 30, 300)->SetSolidColor(0, 0, 255, 128);
      movie.AddRing(20, 20, 10, 20)->SetLineStyle(1, 0xFF000000);
      movie.AddStar(20, 20, 20, 8, 5, i % 2 == 0 ? seCurved : seStraight)->SetSolidColor(255, 255, 0, 255);
    }
    movie.ShowFrame();
    movie.WriteObjects();
    benchmark::DoNotOptimize(movie.BodyStream().Data());
  }
  state.SetItemsProcessed(state.iterations() * 60);
}
BENCHMARK(BM_ShapeMakers);

// Frames given by the argument, five items each.
void BM_AnimatedBanner(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TFlashMovie movie(0, 0, 468, 60, 35, muPixels);
    TFlashButton* buttons[5];
    for (int i = 0; i < 5; ++i) {
      TFlashShape* shape = movie.AddRoundRect(i * 90, 10, i * 90 + 80, 50, 8);
      shape->SetLinearGradient(0xFF0000FF, 0xFFFF0000, 90);
      buttons[i] = movie.AddButton();
      buttons[i]->AddRecord(*shape, 15, 1);
      buttons[i]->OnRelease().GetUrl("http://www.example.com/", "_blank");
      movie.PlaceObject(buttons[i], 2 * (i + 1))->SetName("but" + std::to_string(i + 1));
    }
    movie.ShowFrame();
    for (int f = 0; f < frames; ++f) {
      for (int i = 0; i < 5; ++i) {
        TFlashPlaceObject* place = movie.PlaceObject(buttons[i], 2 * (i + 1));
        place->SetName("but" + std::to_string(i + 1));
        place->SetTranslate(f % 40, 0);
        place->SetScale(1 + f % 10 / 10.0, 1);
        place->SetRotate(f * 3.0);
        place->SetMove(true);
      }
      movie.ShowFrame();
    }
    movie.FrameActions().Stop();
    movie.ShowFrame();
    movie.WriteObjects();
    TMemoryStream out;
    movie.SaveToStream(out);
    benchmark::DoNotOptimize(out.Data());
  }
  state.SetItemsProcessed(state.iterations() * frames * 5);
}
BENCHMARK(BM_AnimatedBanner)->Arg(350)->Arg(3500);

}  // namespace
