// Writes the seed projects of the project reader's fuzz target into
// <folder>: each file is one byte of answers for the target's questions
// followed by a project written by our writer (every background type and
// target choice, every item kind and fill), then a few odd files: line ends
// other than CR LF, a file without its opening or closing marker, a short
// file.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "project/ProjectWriter.h"

namespace {

using namespace tessaly;

void Save(const std::filesystem::path& folder, const std::string& name, char answers, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary) << answers << bytes;
}

document::TBannerDocument Banner(document::TBackgroundType background, std::int32_t targetChoice) {
  document::TBannerDocument doc;
  doc.NewDocument({});
  auto& s = doc.BannerSettings;
  s.URL = "http://shop.example/折扣";
  s.TargetChoice = targetChoice;
  s.TargetWindowName = targetChoice == document::tcNamedWindow ? "frame1" : "";
  s.BackgroundType = background;
  s.BackgroundColor = 0x123456;
  s.BackgroundImage = "/proc/self/exe";
  s.BackgroundShape = 5;
  s.BorderWidth = 3;
  s.AnimationType = 7;
  s.AnimationLoop = 2;

  for (std::int32_t type = document::stRectangle; type <= document::stRing; ++type) {
    doc.AddShapeItem({.ShapeType = type});
    doc.ItemTable[doc.ItemTable.Count()].FillType = static_cast<std::uint8_t>(type % 3);
  }
  doc.ItemTable[3].FillImage = "/proc/self/exe";
  doc.AddTextItem("deleted", {});
  doc.DeleteCurrentItem();
  doc.AddTextItem("横幅 Sale", {.FontSize = 24, .Style = 3, .FontName = "宋体", .ShadowAltitude = 2});
  doc.AddTextItem("plain", {});
  doc.AddImageItem("/proc/self/exe", {.Width = 40, .Height = 20});
  doc.AddImageItem("/no/such/picture.gif", {.Width = 10, .Height = 10});
  return doc;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::filesystem::path folder = argv[1];
  using document::TBackgroundType;
  const TBackgroundType backgrounds[] = {TBackgroundType::btColor, TBackgroundType::btGradient,
                                         TBackgroundType::btImage};
  std::string full;
  for (int k = 0; k < 3; ++k) {
    const std::string bytes =
        project::ProjectFileBytes(project::ProjectLines(Banner(backgrounds[k], k), "/movies/banner.swf"));
    Save(folder, "banner" + std::to_string(k) + ".bwf", static_cast<char>(k * 7), bytes);
    if (k == 2) full = bytes;
  }
  Save(folder, "lf.bwf", 0x06, Replace(full, "\r\n", "\n"));
  Save(folder, "cr.bwf", 0x1F, Replace(full, "\r\n", "\r"));
  Save(folder, "no-opening.bwf", 0, full.substr(full.find("\r\n") + 2));
  Save(folder, "no-closing.bwf", 0, full.substr(0, full.rfind("</BWF>")));
  Save(folder, "short.bwf", 0, "<BWF>\r\nBWF Version 1.00\r\nFileName=a.swf\r\nHeight=9");
  return 0;
}
