#pragma once
// The live display tree: instances of characters placed at depths, sprite
// and root timelines that play their frames, and button instances that show
// one state at a time.

#include "player/AvmValue.h"
#include "player/SwfRecords.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tessaly::player {

class TDisplayObject;
using TDisplayObjectPtr = std::shared_ptr<TDisplayObject>;

class TDisplayObject : public std::enable_shared_from_this<TDisplayObject> {
 public:
  TDisplayObject() = default;
  TDisplayObject(const TDisplayObject&) = delete;
  TDisplayObject& operator=(const TDisplayObject&) = delete;
  // Children that outlive their parent (a script still holds them) lose it.
  ~TDisplayObject();
  const TCharacter* character = nullptr;  // null for the root
  const TTimeline* timeline = nullptr;    // root and sprites
  TDisplayObject* parent = nullptr;
  uint16_t depth = 0;
  TSwfMatrix matrix;
  TColorTransform colorTransform;
  uint16_t ratio = 0;
  uint16_t clipDepth = 0;
  std::string name;
  bool visible = true;
  // Set once a script moved or changed the instance: the timeline then no
  // longer sets its matrix and colour transform.
  bool scriptControlled = false;
  uint64_t bornTick = 0;

  // Timeline state (root and sprites); frames are 0-based here.
  int currentFrame = -1;
  bool playing = true;

  // Button state (bsUp, bsOver or bsDown).
  uint8_t buttonState = bsUp;

  std::map<uint16_t, TDisplayObjectPtr> children;
  // Script variables of a clip, by name (lower case below version 7).
  std::map<std::string, TAvmValue> variables;

  bool IsClip() const { return timeline != nullptr; }
  bool IsButton() const { return character && character->kind == TCharacterKind::ckButton; }
  int FrameCount() const { return timeline ? static_cast<int>(timeline->frames.size()) : 1; }
  // The instance's matrix composed with its parents', up to the root.
  TSwfMatrix WorldMatrix() const;
  // "_level0", "_level0.name.name2" ...
  std::string TargetPath() const;
};

// A frame's actions waiting to run, with the clip they run in.
struct TQueuedActions {
  std::weak_ptr<TDisplayObject> target;
  const TActionList* actions = nullptr;
};

// Plays a movie's display tree: placing, moving and removing instances,
// stepping timelines and going to frames. Frame actions are queued; the
// owner runs them.
class TDisplayList {
 public:
  explicit TDisplayList(const TMovieDef& movie);

  TDisplayObject& Root() { return *root_; }
  const TDisplayObject& Root() const { return *root_; }
  TDisplayObjectPtr RootPtr() const { return root_; }

  // Enters the root's first frame (its display list built, its actions queued).
  void Start();
  // One tick: every playing timeline steps one frame, children after their
  // parents; instances placed during this tick wait for the next one.
  void Tick(bool loopRoot);
  // Goes to frame (0-based) of clip, clamped to its frames.
  void GotoFrame(TDisplayObject& clip, int frame);
  // Shows another state of a button instance (its children rebuilt).
  void SetButtonState(TDisplayObject& button, uint8_t state);

  std::vector<TQueuedActions>& Queue() { return queue_; }
  uint64_t CurrentTick() const { return tick_; }
  std::vector<std::string>& Warnings() { return warnings_; }

 private:
  TDisplayObjectPtr Instantiate(const TCharacter* character, TDisplayObject* parent, int nesting);
  void EnterFrame(TDisplayObject& clip, int frame, bool queueActions);
  void Apply(TDisplayObject& clip, const TDisplayCommand& command);
  void Rebuild(TDisplayObject& clip, int frame);
  void Advance(TDisplayObject& object, bool isRoot, bool loopRoot);
  void BuildButtonChildren(TDisplayObject& button);
  void SetProperties(TDisplayObject& object, const TPlaceCommand& p) const;
  int Nesting(const TDisplayObject* object) const;
  void Warn(const std::string& text);

  const TMovieDef& movie_;
  TDisplayObjectPtr root_;
  std::vector<TQueuedActions> queue_;
  uint64_t tick_ = 0;
  int instantiations_ = 0;
  std::vector<std::string> warnings_;
};

// Instances nest at most this deep; deeper placements are ignored.
inline constexpr int kMaxNesting = 64;
// At most this many instances are created in one frame (a sprite placing
// sprites that place sprites multiplies them).
inline constexpr int kMaxInstantiationsPerTick = 20000;

}  // namespace tessaly::player
