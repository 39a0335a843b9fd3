#include "swf/SWFStreams.h"

#include <algorithm>
#include <cmath>

namespace tessaly::swf {

TBasedSWFStream::TBasedSWFStream() = default;

void TBasedSWFStream::SetVersion(uint8_t v) { version_ = compressed_ ? std::max<uint8_t>(v, 6) : v; }

void TBasedSWFStream::SetCompressed(bool b) {
  compressed_ = b;
  if (b && version_ < 6) version_ = 6;
}

void TBasedSWFStream::SetPixelUnits(bool b) {
  pixelUnits_ = b;
  unitsFactor_ = b ? 20 : 1;
}

uint32_t TBasedSWFStream::HeaderSize() const {
  TSWFRect r(frameSize_);
  uint8_t n = std::max({GetSignedBitsCount(r.Xmin()), GetSignedBitsCount(r.Xmax()), GetSignedBitsCount(r.Ymin()),
                        GetSignedBitsCount(r.Ymax())});
  return 12 + (4 * n + 5 + 7) / 8;
}

void TBasedSWFStream::WriteHeader(TStream& dest, int part) const {
  TBitsEngine be(dest);
  TBitsEngine::TRecordScope scope(be, "the movie header");
  if (part == 0 || part == 1) {
    be.WriteBuffer(signature_.data(), signature_.size());
    be.WriteByte(version_);
    be.WriteDWord(fileLength_);
  }
  if (part == 0 || part == 2) {
    be.WriteRect(frameSize_);
    be.WriteWord(frameRate_);
    be.WriteWord(frameCount_);
  }
}

void TBasedSWFStream::ReportProgress(int percent, int phase) {
  if (OnProgress) OnProgress(*this, percent, phase);
}

void TBasedSWFStream::SaveToStream(TStream& dest) {
  const uint64_t fileLength = uint64_t{HeaderSize()} + bodyStream_.Size();
  bodyStream_.Seek(0);
  const uint8_t* body = bodyStream_.Data();
  const size_t size = bodyStream_.Size();
  const std::string_view signature = compressed_ ? kSignatureCompressed : kSignatureUncompressed;
  std::copy(signature.begin(), signature.end(), signature_.begin());
  if (compressed_ && version_ < 6) version_ = 6;
  // The header is made first, so that a value it cannot hold (a frame
  // rectangle too large for its RECT, a file of 4 GB) fails before
  // anything reaches Dest.
  TMemoryStream header;
  {
    TBitsEngine be(header);
    TBitsEngine::TRecordScope scope(be, "the movie header");
    be.CheckFits(fileLength, 32, "the file length");
  }
  fileLength_ = static_cast<uint32_t>(fileLength);
  WriteHeader(header, 0);
  if (compressed_) {
    dest.Write(header.Data(), kHeaderRectOffset);
    TZCompressionStream z(dest);
    z.Write(header.Data() + kHeaderRectOffset, header.Size() - kHeaderRectOffset);
    // Compressed in slices so that progress can be reported.
    constexpr size_t kSlice = 64 * 1024;
    for (size_t done = 0; done < size;) {
      size_t n = std::min(kSlice, size - done);
      z.Write(body + done, n);
      done += n;
      ReportProgress(static_cast<int>(std::lround(100.0 * done / size)), 2);
    }
    z.Finish();
  } else {
    dest.Write(header.Data(), header.Size());
    dest.Write(body, size);
  }
}

void TBasedSWFStream::SaveToFile(const std::string& fileName) {
  TFileStream file(fileName);
  SaveToStream(file);
  file.Close();
}

}  // namespace tessaly::swf
