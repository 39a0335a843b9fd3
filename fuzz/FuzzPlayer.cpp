// The SWF player: any bytes either load or raise TSwfReadError; a loaded
// movie draws its first frame, advances and draws again without faults.
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
  player.Tick();
  player.RenderImage(40, 40);
  return 0;
}
