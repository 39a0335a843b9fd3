#include "export/VideoEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <memory>

#include "export/FrameTiming.h"

namespace tessaly::exports {

namespace {

constexpr int IoBufferSize = 64 * 1024;

std::string AvError(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return text;
}

void Check(int result, const char* what) {
  if (result < 0) throw TExportError(std::string("the video could not be written: ") + what + ": " + AvError(result));
}

// The muxer's output in memory; MP4 seeks back to fill in sizes.
struct TMemoryOutput {
  std::vector<std::uint8_t> Bytes;
  std::size_t Position = 0;

  static int Write(void* opaque, uint8_t* data, int size) {
    auto* out = static_cast<TMemoryOutput*>(opaque);
    const std::size_t end = out->Position + std::size_t(size);
    if (end > out->Bytes.size()) out->Bytes.resize(end);
    std::memcpy(out->Bytes.data() + out->Position, data, std::size_t(size));
    out->Position = end;
    return size;
  }
  static int64_t Seek(void* opaque, int64_t offset, int whence) {
    auto* out = static_cast<TMemoryOutput*>(opaque);
    if (whence & AVSEEK_SIZE) return int64_t(out->Bytes.size());
    int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
      case SEEK_SET: base = 0; break;
      case SEEK_CUR: base = int64_t(out->Position); break;
      case SEEK_END: base = int64_t(out->Bytes.size()); break;
      default: return AVERROR(EINVAL);
    }
    if (base + offset < 0) return AVERROR(EINVAL);
    out->Position = std::size_t(base + offset);
    return int64_t(out->Position);
  }
};

struct TFormatDeleter {
  void operator()(AVFormatContext* p) const { avformat_free_context(p); }
};
struct TIoDeleter {
  void operator()(AVIOContext* p) const {
    av_freep(&p->buffer);
    avio_context_free(&p);
  }
};
struct TCodecDeleter {
  void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct TFrameDeleter {
  void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct TPacketDeleter {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct TScaleDeleter {
  void operator()(SwsContext* p) const { sws_freeContext(p); }
};

// Everything one encoding holds.
class TVideoWriter {
 public:
  TVideoWriter(const TVideoOptions& options, int width, int height) : width_(EvenSize(width)), height_(EvenSize(height)) {
    const bool mp4 = options.Format == TVideoFormat::vfMp4;
    const AVCodec* codec = avcodec_find_encoder_by_name(VideoEncoderName(options.Format).c_str());
    if (codec == nullptr)
      throw TExportError("this system's FFmpeg (libavcodec " LIBAVCODEC_IDENT ") has no encoder \"" +
                         VideoEncoderName(options.Format) + "\" for " + (mp4 ? "MP4 (H.264)" : "WebM (VP9)"));
    AVFormatContext* raw = nullptr;
    Check(avformat_alloc_output_context2(&raw, nullptr, mp4 ? "mp4" : "webm", nullptr), "no muxer");
    format_.reset(raw);
    unsigned char* buffer = static_cast<unsigned char*>(av_malloc(IoBufferSize));
    if (buffer == nullptr) throw TExportError("the video could not be written: out of memory");
    io_.reset(avio_alloc_context(buffer, IoBufferSize, 1, &output_, nullptr, &TMemoryOutput::Write,
                                 &TMemoryOutput::Seek));
    if (!io_) {
      av_free(buffer);
      throw TExportError("the video could not be written: out of memory");
    }
    format_->pb = io_.get();
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;

    codec_.reset(avcodec_alloc_context3(codec));
    codec_->width = width_;
    codec_->height = height_;
    codec_->time_base = {1, ExportFrameRate};
    codec_->framerate = {ExportFrameRate, 1};
    codec_->pix_fmt = AV_PIX_FMT_YUV420P;
    codec_->gop_size = ExportFrameRate * 2;
    codec_->color_range = AVCOL_RANGE_MPEG;
    codec_->colorspace = AVCOL_SPC_SMPTE170M;
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (mp4) {
      av_opt_set(codec_->priv_data, "preset", "medium", 0);
      av_opt_set(codec_->priv_data, "crf", "20", 0);
    } else {
      codec_->bit_rate = 0;  // constant quality
      av_opt_set(codec_->priv_data, "crf", "30", 0);
      av_opt_set(codec_->priv_data, "deadline", "good", 0);
      av_opt_set(codec_->priv_data, "cpu-used", "4", 0);
    }
    Check(avcodec_open2(codec_.get(), codec, nullptr), "the encoder did not open");
    stream_ = avformat_new_stream(format_.get(), nullptr);
    if (stream_ == nullptr) throw TExportError("the video could not be written: out of memory");
    stream_->time_base = codec_->time_base;
    stream_->avg_frame_rate = codec_->framerate;
    Check(avcodec_parameters_from_context(stream_->codecpar, codec_.get()), "the stream");
    Check(avformat_write_header(format_.get(), nullptr), "the header");

    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!frame_ || !packet_) throw TExportError("the video could not be written: out of memory");
    frame_->format = AV_PIX_FMT_YUV420P;
    frame_->width = width_;
    frame_->height = height_;
    Check(av_frame_get_buffer(frame_.get(), 0), "a frame");
    scale_.reset(sws_getContext(width_, height_, AV_PIX_FMT_RGBA, width_, height_, AV_PIX_FMT_YUV420P, SWS_BICUBIC,
                                nullptr, nullptr, nullptr));
    if (!scale_) throw TExportError("the video could not be written: no colour conversion");
  }

  void Add(const QImage& picture, std::int64_t index) {
    const QImage padded = Padded(picture);
    Check(av_frame_make_writable(frame_.get()), "a frame");
    const uint8_t* source[1] = {padded.constBits()};
    const int stride[1] = {int(padded.bytesPerLine())};
    sws_scale(scale_.get(), source, stride, 0, height_, frame_->data, frame_->linesize);
    frame_->pts = index;
    Send(frame_.get());
  }

  std::vector<std::uint8_t> Finish() {
    Send(nullptr);
    Check(av_write_trailer(format_.get()), "the end of the file");
    avio_flush(io_.get());
    return std::move(output_.Bytes);
  }

 private:
  // The picture grown to the even size by repeating its last column and row.
  QImage Padded(const QImage& picture) const {
    if (picture.width() == width_ && picture.height() == height_) return picture;
    QImage padded(width_, height_, QImage::Format_RGBA8888);
    for (int y = 0; y < height_; ++y) {
      const auto* from = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(std::min(y, picture.height() - 1)));
      auto* to = reinterpret_cast<std::uint32_t*>(padded.scanLine(y));
      for (int x = 0; x < width_; ++x) to[x] = from[std::min(x, picture.width() - 1)];
    }
    return padded;
  }

  // Sends a frame (nullptr: the end) and writes every packet that is ready.
  void Send(AVFrame* frame) {
    Check(avcodec_send_frame(codec_.get(), frame), "encoding");
    for (;;) {
      const int received = avcodec_receive_packet(codec_.get(), packet_.get());
      if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
      Check(received, "encoding");
      av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
      packet_->stream_index = stream_->index;
      Check(av_interleaved_write_frame(format_.get(), packet_.get()), "a packet");
    }
  }

  int width_, height_;
  TMemoryOutput output_;
  std::unique_ptr<AVFormatContext, TFormatDeleter> format_;
  std::unique_ptr<AVIOContext, TIoDeleter> io_;
  std::unique_ptr<AVCodecContext, TCodecDeleter> codec_;
  AVStream* stream_ = nullptr;
  std::unique_ptr<AVFrame, TFrameDeleter> frame_;
  std::unique_ptr<AVPacket, TPacketDeleter> packet_;
  std::unique_ptr<SwsContext, TScaleDeleter> scale_;
};

}  // namespace

std::string VideoEncoderName(TVideoFormat format) {
  return format == TVideoFormat::vfMp4 ? "libx264" : "libvpx-vp9";
}

bool HasVideoEncoder(TVideoFormat format) {
  return avcodec_find_encoder_by_name(VideoEncoderName(format).c_str()) != nullptr;
}

int VideoLoopCount(int requested) { return std::clamp(requested, 1, MaxVideoLoops); }

int EvenSize(int size) { return size + (size & 1); }

std::vector<std::uint8_t> EncodeVideo(TMovieFrames& frames, const TVideoOptions& options,
                                      const TExportProgress& progress) {
  // The encoders' chatter stays out of the caller's output; failures come
  // back as errors.
  av_log_set_level(AV_LOG_ERROR);
  TVideoWriter writer(options, frames.Width(), frames.Height());
  const int loops = VideoLoopCount(options.Loops);
  const int count = frames.Count();
  const int total = count * loops;
  std::int64_t index = 0;
  for (int loop = 0; loop < loops; ++loop)
    for (int f = 1; f <= count; ++f, ++index) {
      progress.Step(int(index), total);
      writer.Add(frames.Frame(f), index);
    }
  std::vector<std::uint8_t> bytes = writer.Finish();
  progress.Step(total, total);
  return bytes;
}

}  // namespace tessaly::exports
