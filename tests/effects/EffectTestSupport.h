#pragma once
// A small banner built by hand for the effect tests: a movie with a
// background shape and item buttons placed as the builders leave them, the
// build context that describes them, and a view of the frames the effect
// engine appended.

#include <memory>
#include <string>
#include <vector>

#include "document/BuildContext.h"
#include "effects/unit_OneStepAnim.h"
#include "support/TestPictures.h"
#include "swf/FlashObjects.h"

namespace tessaly::test {

// One main-timeline frame: the placements made in it, in order.
struct TEffectFrame {
  std::vector<swf::TFlashPlaceObject*> Places;
  // The placement at Depth in this frame, or null.
  swf::TFlashPlaceObject* AtDepth(int depth) const;
};

class TEffectBanner {
 public:
  explicit TEffectBanner(int width = 468, int height = 60);

  document::TBannerSettings& Settings() { return Document.BannerSettings; }

  // Items with a button, as the item builders leave them.
  int AddShape();
  int AddImage();
  int AddText(bool shadow);
  // Records the builders made no button for.
  int AddDeleted();
  int AddBlankText();

  // Every pass of the animated build, then the closing Stop frame when
  // AnimationLoop > 0 (as the pipeline does).
  void Run(effects::TOneStepAnim& engine);
  // One pass.
  void RunPass(effects::TOneStepAnim& engine, int loopIndex);

  // The frames appended after the builders' objects.
  std::vector<TEffectFrame> Frames() const;
  // The movie written to bytes (uncompressed).
  std::vector<std::uint8_t> Bytes();
  // Objects of type T that the effects added to the movie.
  template <class T>
  std::vector<T*> Added() const {
    std::vector<T*> out;
    const auto& list = Movie->ObjectList();
    for (std::size_t i = builderObjects_; i < list.size(); ++i)
      if (auto* p = dynamic_cast<T*>(list[i].get())) out.push_back(p);
    return out;
  }

  document::TBannerDocument Document;
  document::TBuildContext Context;
  std::unique_ptr<swf::TFlashMovie> Movie;

 private:
  int AddItem(document::ItemKind kind, bool withButton);
  std::size_t builderObjects_ = 0;
};

// The matrix of a placement (the identity when it has none).
swf::TSWFMatrix MatrixOf(swf::TFlashPlaceObject& place);
// The matrix the engine should have made: translation (x, y) pixels, then
// the scale, then the rotation, each as the placement's own operations do.
swf::TSWFMatrix ExpectedMatrix(int x, int y, std::optional<std::pair<float, float>> scale,
                               std::optional<float> angle);
bool SameMatrix(const swf::TSWFMatrix& a, const swf::TSWFMatrix& b);
std::string Describe(const swf::TSWFMatrix& m);

// A folder of five leaf and five balloon GIFs, 12 x 12, white background
// declared transparent.
class TParticleFolder {
 public:
  TParticleFolder();
  std::string Path() const { return Dir.Path().string() + "/"; }
  TTempDir Dir;
};

}  // namespace tessaly::test
