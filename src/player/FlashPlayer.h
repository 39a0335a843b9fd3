#pragma once
// The player core that a host drives: load a movie from bytes, play and
// stop it, advance it frame by frame, feed it the mouse, ask and set what
// its scripts see, and draw it into an image of any size. It needs no
// window and no application object, so tests drive it headless.

#include "player/Avm1.h"
#include "player/DisplayList.h"
#include "player/Renderer.h"
#include "player/SwfMovieReader.h"

#include <QImage>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::player {

class TFlashPlayer : private TAvmHost {
 public:
  TFlashPlayer();
  ~TFlashPlayer() override;

  // Reads the movie and enters its first frame; throws TSwfReadError when
  // the bytes are no movie or one that would need too much memory. The
  // pairs of flashVars (a page's FlashVars parameter, see ParseFlashVars)
  // are variables of the root before its first frame runs.
  void LoadMovie(std::span<const uint8_t> bytes, std::string_view flashVars = {});
  bool IsLoaded() const { return movie_ != nullptr; }
  const TMovieDef* Movie() const { return movie_.get(); }

  void Play();
  void Stop();
  bool IsPlaying() const;
  // A looping movie starts again after its last frame (as in a browser);
  // otherwise it stops there (the editing preview plays once).
  void SetLoop(bool loop) { loop_ = loop; }
  bool Loop() const { return loop_; }

  // Advances one frame at the movie's rate: timelines step, then the
  // frame actions run.
  void Tick();
  // Goes to a frame of the main timeline (1-based) and runs its actions.
  void GotoFrame(int frame);
  int CurrentFrame() const;  // 1-based
  int FrameCount() const;
  double FrameRate() const;
  int Width() const;  // movie size in pixels
  int Height() const;

  // The mouse, in movie pixels (see ToMovie for a view's pixels). Buttons
  // change state and run their condition actions; a drag follows moves.
  void MouseMove(double x, double y);
  void MouseDown(double x, double y);
  void MouseUp(double x, double y);
  // A point of a width x height view ("ShowAll") in movie pixels.
  void ToMovie(int width, int height, double vx, double vy, double& x, double& y) const;
  // Whether the mouse is over a button that answers it: one it rolled over,
  // or the pressed one while the mouse is on it. The host shows a pointing
  // hand then.
  bool OverButton() const;

  // The scripting calls of the host. A variable by name or path ("CurrentObj",
  // "/clip:v"); nothing when it is undefined or no movie is loaded.
  std::optional<std::string> GetVariable(const std::string& name);
  // Sets a variable by name or path to a string; nothing when no movie is
  // loaded or the path names no instance.
  void SetVariable(const std::string& name, const std::string& value);
  // A property of the instance a target path names ("but1", "/a/b", "" for
  // the root) as text; nothing when the instance or the index is unknown.
  std::optional<std::string> TGetProperty(const std::string& target, int index);
  // Sets a property from text (0 and 1 move the instance at once); false
  // when the instance is unknown or the property cannot be set.
  bool TSetProperty(const std::string& target, int index, const std::string& value);

  // Draws the current frame into target ("ShowAll", centred).
  void Render(QImage& target);
  QImage RenderImage(int width, int height);

  // Called for GetURL actions with the URL and the target window.
  std::function<void(const std::string& url, const std::string& target)> onGetUrl;
  // Called after the movie handled a mouse release (its actions ran).
  std::function<void()> onMouseReleased;

  // What the reader, the display list and the scripts found wrong.
  std::vector<std::string> Warnings() const;

 private:
  void GetUrl(const std::string& url, const std::string& target) override;
  void StartDrag(TDisplayObject& target, bool lockCenter, bool constrained, double left, double top, double right,
                 double bottom) override;
  void EndDrag() override;

  void RunQueuedActions();
  void ScriptWarning(const std::string& text);
  TDisplayObjectPtr ButtonAt(double x, double y) const;
  // Runs the actions of every condition of button that holds the transition.
  void ButtonEvent(const TDisplayObjectPtr& button, swf::TSWFButtonCondition transition, uint8_t newState);
  void FollowDrag();

  std::unique_ptr<TMovieDef> movie_;
  std::unique_ptr<TDisplayList> display_;
  std::unique_ptr<TRenderer> renderer_;
  std::unique_ptr<TAvm1> avm_;
  bool loop_ = true;
  std::vector<std::string> scriptWarnings_;

  double mouseX_ = 0, mouseY_ = 0;  // twips
  bool mouseDown_ = false;
  std::weak_ptr<TDisplayObject> hovered_, pressed_;

  struct TDrag {
    std::weak_ptr<TDisplayObject> target;
    bool lockCenter = false, constrained = false;
    double left = 0, top = 0, right = 0, bottom = 0;  // pixels
    double offsetX = 0, offsetY = 0;                  // twips
  } drag_;
};

}  // namespace tessaly::player
