#include "export/ExportTestSupport.h"

#include <gif_lib.h>
#include <webp/demux.h>
#include <zip.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "export/FrameTiming.h"
#include "platform/ProgramFolder.h"
#include "player/FlashPlayer.h"

namespace tessaly::exports::test {

namespace {

// The rotate-and-shrink effect.
constexpr int RotateAndShrink = 26;

struct TGifSource {
  const std::vector<std::uint8_t>* Bytes;
  std::size_t Position = 0;
};

int ReadGif(GifFileType* gif, GifByteType* out, int length) {
  auto* source = static_cast<TGifSource*>(gif->UserData);
  const std::size_t n = std::min(std::size_t(length), source->Bytes->size() - source->Position);
  std::memcpy(out, source->Bytes->data() + source->Position, n);
  source->Position += n;
  return int(n);
}

// The NETSCAPE2.0 repeat count among the extensions before the first image.
std::optional<int> NetscapeLoop(const SavedImage& image) {
  for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
    const ExtensionBlock& block = image.ExtensionBlocks[i];
    const ExtensionBlock& next = image.ExtensionBlocks[i + 1];
    if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
        std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount >= 3 && next.Bytes[0] == 1)
      return next.Bytes[1] | (next.Bytes[2] << 8);
  }
  return std::nullopt;
}

void Accumulate(const QImage& a, const QImage& b, double sum[3], int worst[3]) {
  for (int y = 0; y < a.height(); ++y) {
    const std::uint8_t* p = a.constScanLine(y);
    const std::uint8_t* q = b.constScanLine(y);
    for (int x = 0; x < a.width() * 4; x += 4)
      for (int c = 0; c < 3; ++c) {
        const int d = std::abs(int(p[x + c]) - int(q[x + c]));
        sum[c] += d;
        worst[c] = std::max(worst[c], d);
      }
  }
}

}  // namespace

TBannerFixture::TBannerFixture() : Engine(Random, platform::ProgramFolder()) {}

void TBannerFixture::ChooseEffect(int speed, int loop) {
  Settings().AnimationType = RotateAndShrink;
  Settings().AnimationSpeed = speed;
  Settings().AnimationLoop = loop;
}

TBannerMovie TBannerFixture::Movie() {
  Random.RandomSeed = 0;
  return BuildBannerMovie(Banner.Document, &Engine, Banner.Folder.Path());
}

std::vector<QImage> PlayerFrames(const TBannerMovie& movie) {
  player::TFlashPlayer player;
  player.LoadMovie(movie.Swf);
  std::vector<QImage> frames;
  for (int f = 1; f <= player.FrameCount(); ++f) {
    if (f > 1) player.Tick();
    frames.push_back(player.RenderImage(movie.Width, movie.Height).convertToFormat(QImage::Format_RGBA8888));
  }
  return frames;
}

TDecodedAnimation DecodeGif(const std::vector<std::uint8_t>& bytes) {
  TGifSource source{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, ReadGif, &error);
  if (gif == nullptr) throw std::runtime_error("not a GIF");
  std::unique_ptr<GifFileType, void (*)(GifFileType*)> closer(gif, [](GifFileType* g) { DGifCloseFile(g, nullptr); });
  if (DGifSlurp(gif) != GIF_OK) throw std::runtime_error(GifErrorString(gif->Error));

  TDecodedAnimation out;
  out.Width = gif->SWidth;
  out.Height = gif->SHeight;
  if (gif->ImageCount > 0) out.Loop = NetscapeLoop(gif->SavedImages[0]);
  QImage canvas(out.Width, out.Height, QImage::Format_RGBA8888);
  canvas.fill(Qt::transparent);
  std::int64_t time = 0;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, i, &control);
    EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT) << "image " << i;
    const ColorMapObject* map = image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : gif->SColorMap;
    const GifImageDesc& d = image.ImageDesc;
    for (int y = 0; y < d.Height; ++y)
      for (int x = 0; x < d.Width; ++x) {
        const int index = image.RasterBits[y * d.Width + x];
        if (index == control.TransparentColor) continue;
        const GifColorType c = map->Colors[index];
        std::uint8_t* p = canvas.scanLine(d.Top + y) + (d.Left + x) * 4;
        p[0] = c.Red;
        p[1] = c.Green;
        p[2] = c.Blue;
        p[3] = 255;
      }
    time += control.DelayTime;
    out.Canvases.push_back(canvas.copy());
    out.Ends.push_back(time);
  }
  return out;
}

TDecodedAnimation DecodeWebp(const std::vector<std::uint8_t>& bytes) {
  WebPData data{bytes.data(), bytes.size()};
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_RGBA;
  std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(WebPAnimDecoderNew(&data, &options),
                                                                       WebPAnimDecoderDelete);
  if (!decoder) throw std::runtime_error("not a WebP");
  WebPAnimInfo info;
  WebPAnimDecoderGetInfo(decoder.get(), &info);
  TDecodedAnimation out;
  out.Width = int(info.canvas_width);
  out.Height = int(info.canvas_height);
  out.Loop = int(info.loop_count);
  while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
    std::uint8_t* pixels = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &pixels, &timestamp)) throw std::runtime_error("bad WebP frame");
    out.Canvases.push_back(QImage(pixels, out.Width, out.Height, QImage::Format_RGBA8888).copy());
    out.Ends.push_back(timestamp);
  }
  return out;
}

std::string TChannelDifference::Text() const {
  std::ostringstream text;
  text.precision(2);
  text << std::fixed << "mean R " << Mean[0] << " G " << Mean[1] << " B " << Mean[2] << ", worst R " << Worst[0]
       << " G " << Worst[1] << " B " << Worst[2];
  return text.str();
}

TChannelDifference CompareAnimation(const TDecodedAnimation& animation, const std::vector<QImage>& frames,
                                    int unitsPerSecond) {
  TChannelDifference result;
  double sum[3] = {0, 0, 0};
  std::size_t image = 0;
  for (std::size_t f = 0; f < frames.size(); ++f) {
    const std::int64_t start = unitsPerSecond == 100 ? FrameEndCentiseconds(std::int64_t(f))
                                                     : FrameEndMilliseconds(std::int64_t(f));
    while (image + 1 < animation.Ends.size() && animation.Ends[image] <= start) ++image;
    Accumulate(animation.Canvases[image], frames[f], sum, result.Worst);
  }
  const double pixels = double(frames.size()) * frames.front().width() * frames.front().height();
  for (int c = 0; c < 3; ++c) result.Mean[c] = sum[c] / pixels;
  return result;
}

TChannelDifference ComparePictures(const QImage& a, const QImage& b) {
  TChannelDifference result;
  double sum[3] = {0, 0, 0};
  Accumulate(a.convertToFormat(QImage::Format_RGBA8888), b.convertToFormat(QImage::Format_RGBA8888), sum,
             result.Worst);
  for (int c = 0; c < 3; ++c) result.Mean[c] = sum[c] / (double(a.width()) * a.height());
  return result;
}

TDecodedVideo DecodeVideo(const std::vector<std::uint8_t>& bytes, const std::string& extension) {
  tessaly::test::TTempDir folder;
  const std::string path = folder.Write("video." + extension, bytes);
  AVFormatContext* raw = nullptr;
  if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) throw std::runtime_error("not a video");
  std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> format(raw, [](AVFormatContext* f) {
    avformat_close_input(&f);
  });
  avformat_find_stream_info(format.get(), nullptr);
  const AVCodec* codec = nullptr;
  const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
  if (stream < 0 || codec == nullptr) throw std::runtime_error("no video stream");
  const AVStream* s = format->streams[stream];
  std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> context(avcodec_alloc_context3(codec), [](AVCodecContext* c) {
    avcodec_free_context(&c);
  });
  avcodec_parameters_to_context(context.get(), s->codecpar);
  if (avcodec_open2(context.get(), codec, nullptr) < 0) throw std::runtime_error("no decoder");

  TDecodedVideo out;
  out.Width = s->codecpar->width;
  out.Height = s->codecpar->height;
  out.Codec = codec->name;
  std::unique_ptr<AVPacket, void (*)(AVPacket*)> packet(av_packet_alloc(), [](AVPacket* p) { av_packet_free(&p); });
  std::unique_ptr<AVFrame, void (*)(AVFrame*)> frame(av_frame_alloc(), [](AVFrame* f) { av_frame_free(&f); });
  std::int64_t lastEnd = 0;
  auto drain = [&] {
    while (avcodec_receive_frame(context.get(), frame.get()) == 0) {
      ++out.Frames;
      const std::int64_t duration = frame->pkt_duration > 0 ? frame->pkt_duration : 0;
      lastEnd = std::max(lastEnd, frame->best_effort_timestamp + duration);
      QImage picture(frame->width, frame->height, QImage::Format_RGBA8888);
      SwsContext* scale = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                                         frame->height, AV_PIX_FMT_RGBA, SWS_BICUBIC, nullptr, nullptr, nullptr);
      uint8_t* target[1] = {picture.bits()};
      const int stride[1] = {int(picture.bytesPerLine())};
      sws_scale(scale, frame->data, frame->linesize, 0, frame->height, target, stride);
      sws_freeContext(scale);
      out.Pictures.push_back(picture);
    }
  };
  while (av_read_frame(format.get(), packet.get()) >= 0) {
    if (packet->stream_index == stream) {
      avcodec_send_packet(context.get(), packet.get());
      drain();
    }
    av_packet_unref(packet.get());
  }
  avcodec_send_packet(context.get(), nullptr);
  drain();
  const std::int64_t start = s->start_time != AV_NOPTS_VALUE ? s->start_time : 0;
  out.Seconds = double(lastEnd - start) * av_q2d(s->time_base);
  return out;
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> UnzipEntries(const std::vector<std::uint8_t>& bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = source != nullptr ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
  if (archive == nullptr) {
    if (source != nullptr) zip_source_free(source);
    zip_error_fini(&error);
    throw std::runtime_error("not a zip archive");
  }
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
    std::vector<std::uint8_t> data(stat.size);
    zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
    if (file == nullptr || zip_fread(file, data.data(), data.size()) != zip_int64_t(data.size()))
      throw std::runtime_error("unreadable zip entry");
    zip_fclose(file);
    entries.emplace_back(stat.name, std::move(data));
  }
  zip_close(archive);
  return entries;
}

}  // namespace tessaly::exports::test
