#include "shell/ItemTestSupport.h"

namespace tessaly::shell::test {

TItemBench::TItemBench() {
  Player.SetLoop(false);
  Document.SetListener(this);
  Document.NewDocument({});
  Rebuilds = 0;
}

TItemBench::~TItemBench() { Document.SetListener(nullptr); }

void TItemBench::PreviewRebuildRequested() {
  ++Rebuilds;
  Pipeline.BuildPreviewMovie();
  if (!Host.Movie.empty()) Player.LoadMovie(Host.Movie);
}

void TItemBench::Drag(double fromX, double fromY, double toX, double toY) {
  Player.MouseMove(fromX, fromY);
  Player.MouseDown(fromX, fromY);
  for (int step = 1; step <= 4; ++step)
    Player.MouseMove(fromX + (toX - fromX) * step / 4, fromY + (toY - fromY) * step / 4);
  Player.MouseUp(toX, toY);
}

}  // namespace tessaly::shell::test
