#pragma once
// The movie container: file header, the tag stream (body), compression and
// output.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "swf/SWFFormat.h"
#include "swf/SWFTools.h"

namespace tessaly::swf {

// Whether callers give a movie coordinates in twips or in pixels.
enum TMovieUnits : uint8_t { muTwips, muPixels };

class TBasedSWFStream {
 public:
  // Sender, percent, phase (1 = writing objects, 2 = compressing).
  using TProgressEvent = std::function<void(TBasedSWFStream& sender, int percent, int phase)>;

  TBasedSWFStream();
  virtual ~TBasedSWFStream() = default;
  TBasedSWFStream(const TBasedSWFStream&) = delete;
  TBasedSWFStream& operator=(const TBasedSWFStream&) = delete;

  // Builds BodyStream: the tag stream of the movie.
  virtual void WriteObjects() = 0;

  uint8_t Version() const { return version_; }
  // At least 6 when the movie is compressed.
  void SetVersion(uint8_t v);
  bool Compressed() const { return compressed_; }
  // Compression needs version 6 or later; a lower version is raised.
  void SetCompressed(bool b);

  double FrameRate() const { return Fixed8ToFloat(frameRate_); }
  uint16_t FrameRateWord() const { return frameRate_; }
  void SetFrameRate(double fps) { frameRate_ = FloatToFixed8(fps); }

  bool PixelUnits() const { return pixelUnits_; }
  // 20 when callers give pixels, else 1. Objects added afterwards use it;
  // FrameSize is not rescaled.
  void SetPixelUnits(bool b);
  uint8_t UnitsFactor() const { return unitsFactor_; }

  // Movie rectangle in twips.
  const TRect& FrameSize() const { return frameSize_; }
  void SetFrameSize(const TRect& r) { frameSize_ = r; }
  uint16_t FrameCount() const { return frameCount_; }

  // "FWS" or "CWS", as set by the last SaveToStream.
  std::string Signature() const { return std::string(signature_.begin(), signature_.end()); }
  uint32_t FileLength() const { return fileLength_; }

  // 12 + the bytes of the frame-size RECT.
  uint32_t HeaderSize() const;
  // part 0 writes the whole header; 1: signature, version and file length (8
  // bytes); 2: frame size, frame rate and frame count.
  void WriteHeader(TStream& dest, int part = 0) const;
  // Writes the movie file; WriteObjects must have run.
  void SaveToStream(TStream& dest);
  void SaveToFile(const std::string& fileName);

  TMemoryStream& BodyStream() { return bodyStream_; }
  const TMemoryStream& BodyStream() const { return bodyStream_; }

  TProgressEvent OnProgress;

 protected:
  void SetFrameCount(uint16_t count) { frameCount_ = count; }
  void ReportProgress(int percent, int phase);

 private:
  TMemoryStream bodyStream_;
  bool compressed_ = false;
  uint8_t unitsFactor_ = 1;
  bool pixelUnits_ = false;
  std::array<char, 3> signature_{'F', 'W', 'S'};
  uint8_t version_ = 5;
  uint32_t fileLength_ = 0;
  TRect frameSize_;
  uint16_t frameRate_ = 0;
  uint16_t frameCount_ = 0;
};

}  // namespace tessaly::swf
