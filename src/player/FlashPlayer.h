#pragma once
// The player core that a host drives: load a movie from bytes, play and
// stop it, advance it frame by frame, and draw it into an image of any size.
// It needs no window and no application object.

#include "player/DisplayList.h"
#include "player/Renderer.h"
#include "player/SwfMovieReader.h"

#include <QImage>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessaly::player {

class TFlashPlayer {
 public:
  TFlashPlayer();
  ~TFlashPlayer();

  // Reads the movie and enters its first frame; throws TSwfReadError when
  // the bytes are no movie or one that would need too much memory.
  void LoadMovie(std::span<const uint8_t> bytes);
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
  int Width() const;   // movie size in pixels
  int Height() const;

  // Draws the current frame into target ("ShowAll", centred).
  void Render(QImage& target);
  QImage RenderImage(int width, int height);

  // Called for GetURL actions with the URL and the target window.
  std::function<void(const std::string& url, const std::string& target)> onGetUrl;

  // What the reader and the display list found wrong, for a log.
  std::vector<std::string> Warnings() const;

  TDisplayList* DisplayList() { return display_.get(); }

 private:
  void RunQueuedActions();
  void RunActions(TDisplayObject& target, const TActionList& actions);

  std::unique_ptr<TMovieDef> movie_;
  std::unique_ptr<TDisplayList> display_;
  std::unique_ptr<TRenderer> renderer_;
  bool loop_ = true;
};

}  // namespace tessaly::player
