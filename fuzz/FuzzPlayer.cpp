// The SWF player: any bytes either load or raise TSwfReadError; a loaded
// movie draws its first frame, takes a click and a drag, advances, answers
// the host's scripting calls and draws again without faults.
#include <cstddef>
#include <cstdint>

#include "player/FlashPlayer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly::player;
  TFlashPlayer player;
  try {
    player.LoadMovie({data, size});
  } catch (const TSwfReadError&) {
    return 0;
  }
  player.RenderImage(64, 48);
  const double x = player.Width() / 2.0, y = player.Height() / 2.0;
  player.MouseDown(x, y);
  player.MouseMove(x + 7, y + 3);
  player.MouseUp(x + 7, y + 3);
  player.Tick();
  player.GetVariable("CurrentObj");
  player.TGetProperty("but1", 8);
  player.TSetProperty("but1", 0, "12.5");
  player.RenderImage(40, 40);
  return 0;
}
