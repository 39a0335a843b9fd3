#pragma once
// A banner document wired as the window wires it: every rebuild request
// builds the editing preview, which our player then runs, so the placement
// commands read a real movie's instances.

#include <memory>
#include <string>
#include <vector>

#include "document/BuildPipeline.h"
#include "player/FlashPlayer.h"
#include "shell/core/ItemCommands.h"
#include "shell/core/PlacementCommands.h"
#include "support/ReferenceBanner.h"
#include "support/TestPictures.h"

namespace tessaly::shell::test {

class TPlayerScripting : public TPreviewScripting {
 public:
  explicit TPlayerScripting(player::TFlashPlayer& player) : player_(player) {}
  std::optional<std::string> GetVariable(const std::string& name) override { return player_.GetVariable(name); }
  std::optional<std::string> TGetProperty(const std::string& target, int index) override {
    return player_.TGetProperty(target, index);
  }
  bool TSetProperty(const std::string& target, int index, const std::string& value) override {
    return player_.TSetProperty(target, index, value);
  }

 private:
  player::TFlashPlayer& player_;
};

// Answers the frame dialog with Frame and keeps every message.
class TScriptedDialogs : public TItemDialogs {
 public:
  std::int32_t ChooseGifFrame(int frameCount) override {
    FrameCounts.push_back(frameCount);
    return Frame;
  }
  void ShowMessage(const std::string& message) override { Messages.push_back(message); }

  std::int32_t Frame = -1;
  std::vector<int> FrameCounts;
  std::vector<std::string> Messages;
};

class TItemBench : public document::TDocumentListener {
 public:
  TItemBench();
  ~TItemBench() override;

  void PreviewRebuildRequested() override;
  void CommandsChanged(bool, bool) override {}

  // Drags in the running preview, in movie pixels.
  void Drag(double fromX, double fromY, double toX, double toY);

  document::TBannerDocument Document;
  tessaly::test::TMemoryPreviewHost Host;
  document::TBuildPipeline Pipeline{Document, Host};
  player::TFlashPlayer Player;
  TPlayerScripting Scripting{Player};
  TItemCommands Items{Document, Pipeline};
  TPlacementCommands Placement{Document, Pipeline, Scripting, Items};
  tessaly::test::TTempDir Folder;
  int Rebuilds = 0;
};

}  // namespace tessaly::shell::test
