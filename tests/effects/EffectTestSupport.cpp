#include "EffectTestSupport.h"

#include <sstream>

namespace tessaly::test {

using document::ItemKind;

swf::TFlashPlaceObject* TEffectFrame::AtDepth(int depth) const {
  for (auto* p : Places)
    if (p->Depth() == depth) return p;
  return nullptr;
}

TEffectBanner::TEffectBanner(int width, int height) {
  Settings().BannerWidth = width;
  Settings().BannerHeight = height;
  Movie = std::make_unique<swf::TFlashMovie>(0, 0, width * 20, height * 20, 35);
  Movie->SetPixelUnits(true);
  Context.Document = &Document;
  Context.Kind = document::TBuildKind::bkAnimated;
  Context.BannerWidth = width;
  Context.BannerHeight = height;
  Context.CentreX = width / 2;
  Context.CentreY = height / 2;
  Context.BackgroundCharacter = Movie->AddRectangle(-width / 2, -height / 2, width - width / 2, height - height / 2);
  Context.BackgroundCharacter->SetSolidColor(200, 220, 255, 255);
  Movie->PlaceObject(Context.BackgroundCharacter, 0);
  builderObjects_ = Movie->ObjectList().size();
}

int TEffectBanner::AddItem(ItemKind kind, bool withButton) {
  document::TFlashObjects& item = Document.ItemTable.Append();
  const int i = Document.ItemTable.Count();
  item.Kind = kind;
  Context.ItemCount = i;
  if (withButton) {
    swf::TFlashShape* shape = Movie->AddRectangle(-10, -10, 10, 10);
    shape->SetSolidColor(255, 0, 0, 255);
    swf::TFlashButton* button = Movie->AddButton();
    button->AddRecord(*shape, 15, 1);
    Context.ItemButtons[i] = button;
    Movie->PlaceObject(button, document::ItemDepth(i));
  }
  builderObjects_ = Movie->ObjectList().size();
  return i;
}

int TEffectBanner::AddShape() { return AddItem(ItemKind::ikShape, true); }
int TEffectBanner::AddImage() { return AddItem(ItemKind::ikImage, true); }

int TEffectBanner::AddText(bool shadow) {
  const int i = AddItem(ItemKind::ikText, true);
  Document.ItemTable[i].Text = "Text";
  if (shadow) {
    Document.ItemTable[i].ShadowAltitude = 2;
    swf::TFlashShape* shape = Movie->AddRectangle(-10, -10, 10, 10);
    shape->SetSolidColor(128, 128, 128, 255);
    swf::TFlashButton* button = Movie->AddButton();
    button->AddRecord(*shape, 15, 1);
    Context.ShadowButtons[i] = button;
    Context.ShadowButton = button;
    Movie->PlaceObject(button, document::ShadowDepth(i));
    builderObjects_ = Movie->ObjectList().size();
  }
  return i;
}

int TEffectBanner::AddDeleted() {
  const int i = AddItem(ItemKind::ikShape, false);
  Document.ItemTable[i].Deleted = true;
  return i;
}

int TEffectBanner::AddBlankText() {
  const int i = AddItem(ItemKind::ikText, false);
  Document.ItemTable[i].Text = "   ";
  return i;
}

void TEffectBanner::RunPass(effects::TOneStepAnim& engine, int loopIndex) {
  engine.AddEffectFrames(*Movie, Context, Context.CentreX, Context.CentreY, loopIndex, Context.ItemCount);
}

void TEffectBanner::Run(effects::TOneStepAnim& engine) {
  const int loops = Settings().AnimationLoop;
  for (int pass = 0; pass < (loops > 0 ? loops : 1); ++pass) RunPass(engine, pass);
  if (loops > 0) {
    Movie->FrameActions().Stop();
    Movie->ShowFrame(1);
  }
}

std::vector<TEffectFrame> TEffectBanner::Frames() const {
  std::vector<TEffectFrame> frames(1);
  const auto& list = Movie->ObjectList();
  for (std::size_t i = builderObjects_; i < list.size(); ++i) {
    if (auto* place = dynamic_cast<swf::TFlashPlaceObject*>(list[i].get())) {
      frames.back().Places.push_back(place);
    } else if (auto* tag = dynamic_cast<swf::TSWFObject*>(list[i].get());
               tag != nullptr && tag->TagID() == swf::tagShowFrame) {
      frames.emplace_back();
    }
  }
  frames.pop_back();  // the frame still open after the last ShowFrame
  return frames;
}

std::vector<std::uint8_t> TEffectBanner::Bytes() {
  Movie->WriteObjects();
  swf::TMemoryStream stream;
  Movie->SaveToStream(stream);
  const auto bytes = stream.Bytes();
  return {bytes.begin(), bytes.end()};
}

swf::TSWFMatrix MatrixOf(swf::TFlashPlaceObject& place) {
  if (!place.PlaceObject2().HasMatrix()) return {};
  return place.PlaceObject2().Matrix();
}

swf::TSWFMatrix ExpectedMatrix(int x, int y, std::optional<std::pair<float, float>> scale, std::optional<float> angle) {
  swf::TSWFMatrix m;
  m.SetTranslate(x * 20, y * 20);
  if (scale) m.SetScale(scale->first, scale->second);
  if (angle) m.SetRotate(*angle);
  return m;
}

bool SameMatrix(const swf::TSWFMatrix& a, const swf::TSWFMatrix& b) {
  return a.HasScale() == b.HasScale() && a.HasRotate() == b.HasRotate() && a.ScaleX() == b.ScaleX() &&
         a.ScaleY() == b.ScaleY() && a.RotateSkew0() == b.RotateSkew0() && a.RotateSkew1() == b.RotateSkew1() &&
         a.TranslateX() == b.TranslateX() && a.TranslateY() == b.TranslateY();
}

std::string Describe(const swf::TSWFMatrix& m) {
  std::ostringstream out;
  out << "scale " << m.HasScale() << " (" << m.ScaleX() << ", " << m.ScaleY() << ") rotate " << m.HasRotate() << " ("
      << m.RotateSkew0() << ", " << m.RotateSkew1() << ") translate (" << m.TranslateX() << ", " << m.TranslateY()
      << ")";
  return out.str();
}

TParticleFolder::TParticleFolder() {
  const std::vector<platform::TRgb> colours = {{255, 255, 255}, {200, 80, 20}, {240, 160, 30}, {120, 60, 20}};
  for (const char* prefix : {"leaf", "balloon"})
    for (int k = 1; k <= 5; ++k)
      Dir.Write(std::string(prefix) + std::to_string(k) + ".gif", SimpleGif(12, 12, colours, 0));
}

}  // namespace tessaly::test
