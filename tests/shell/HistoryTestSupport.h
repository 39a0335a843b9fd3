#pragma once
// Helpers of the undo and recovery tests: a clock the test moves by hand,
// a record with every field away from its default, and the design of a
// state as field lines, so that a failed comparison names the field.

#include <chrono>
#include <string>
#include <vector>

#include "shell/core/DocumentState.h"
#include "shell/core/UndoHistory.h"

namespace tessaly::shell::test {

class TManualClock {
 public:
  std::chrono::steady_clock::time_point Now{};
  void Advance(std::chrono::milliseconds step) { Now += step; }
  TClock Clock() {
    return [this] { return Now; };
  }
};

// Every field set, none to its default; seed makes records differ.
document::TFlashObjects FullRecord(int seed);
// Settings with every field away from a new banner's.
document::TBannerSettings FullSettings();

// "item 2 X=5", "settings BannerWidth=468", "state LastDeletedItem=-1", ...
// for the design (what the preview writes into items left out) and the
// deletion state.
std::vector<std::string> DesignLines(const TDocumentState& state);
// The design lines of actual that expected lacks ("- ...") and those of
// expected that actual lacks ("+ ..."): empty when the designs are equal.
std::vector<std::string> Differences(const TDocumentState& actual, const TDocumentState& expected);
// Every field of the state, the preview's included.
std::vector<std::string> AllLines(const TDocumentState& state);

}  // namespace tessaly::shell::test
