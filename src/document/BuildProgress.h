#pragma once
// How far a build has come, for a progress display, and how it is
// abandoned. A build reports one percent for the whole of it, rising from 0
// to 100 and never falling, with the stage it is in. The receiver may throw
// TBuildCancelled from a report: the build then ends at once and nothing it
// made is shown or written.

#include <array>
#include <functional>
#include <stdexcept>

namespace tessaly::document {

// The stages of a build in the order they run: the effect frames of an
// animated build, the objects written as tags, the file made of them
// (compressed when the movie is).
enum class TBuildPhase { bpEffects, bpObjects, bpFile };

using TBuildProgressEvent = std::function<void(int percent, TBuildPhase phase)>;

class TBuildCancelled : public std::runtime_error {
 public:
  TBuildCancelled() : std::runtime_error("build cancelled") {}
};

// Turns how far each stage has come into the build's percent. Each stage
// owns a share of the hundred in proportion to the time it usually takes; a
// stage the build does not have owns nothing. A report goes out when the
// percent or the stage changes.
class TBuildProgressMeter {
 public:
  // A meter that reports nothing until Start.
  TBuildProgressMeter() = default;
  // A new build: with an effect stage when animated, with compression in
  // the file stage when compressed; reports 0 in the first stage.
  void Start(TBuildProgressEvent event, bool animated, bool compressed);
  // The stage has done fraction (0 .. 1) of its work.
  void Report(TBuildPhase phase, double fraction);
  // The build is complete: 100 in the file stage.
  void Finish() { Report(TBuildPhase::bpFile, 1.0); }
  // Reports nothing any more.
  void Stop() { event_ = nullptr; }

 private:
  TBuildProgressEvent event_;
  std::array<double, 3> shares_{};
  int percent_ = -1;
  TBuildPhase phase_ = TBuildPhase::bpEffects;
};

}  // namespace tessaly::document
