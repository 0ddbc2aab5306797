#include "indicator-sim/SerialFrameReader.h"

namespace vt::sim {

namespace {

constexpr int kMaxAsciiFrame = 513;  // ":" + 2 x 255 hex digits + CR LF
constexpr int kMaxRtuFrame = 256;

}  // namespace

std::vector<Adu> SerialFrameReader::Feed(const QByteArray& chunk) {
  buffer_.append(chunk);
  return mode_ == Transport::Ascii ? TakeAsciiFrames() : TakeRtuFrames();
}

std::vector<Adu> SerialFrameReader::GapElapsed() {
  if (mode_ == Transport::Ascii || buffer_.isEmpty()) return {};
  std::vector<Adu> requests;
  if (std::optional<Adu> request = DecodeRtu(buffer_)) {
    requests.push_back(*request);
  } else {
    ++badFrames_;
  }
  buffer_.clear();
  return requests;
}

std::vector<Adu> SerialFrameReader::TakeAsciiFrames() {
  std::vector<Adu> requests;
  while (true) {
    // A frame starts at the last ":" before its line end; anything before
    // that is noise or an aborted frame.
    const int end = buffer_.indexOf('\n');
    const int search = end < 0 ? buffer_.size() - 1 : end;
    const int start = buffer_.lastIndexOf(':', search);
    if (end < 0) {
      if (start < 0)
        buffer_.clear();
      else
        buffer_.remove(0, start);
      if (buffer_.size() > kMaxAsciiFrame) buffer_.clear();  // no line end will ever make this valid
      return requests;
    }
    if (start < 0) {  // a line end with no frame start
      buffer_.remove(0, end + 1);
      continue;
    }
    QByteArray text = buffer_.mid(start + 1, end - start - 1);
    if (text.endsWith('\r')) text.chop(1);
    buffer_.remove(0, end + 1);
    if (std::optional<Adu> request = DecodeAscii(text)) {
      requests.push_back(*request);
    } else {
      ++badFrames_;
    }
  }
}

int SerialFrameReader::RtuRequestLength() const {
  // Address, function, then a fixed body for the single-item functions
  // 01 to 06, or a byte count at offset 6 for the multiple writes 0Fh and
  // 10h; 0 while the length cannot be known yet, -1 for other functions.
  if (buffer_.size() < 2) return 0;
  const quint8 function = quint8(buffer_[1]);
  if (function >= 0x01 && function <= 0x06) return 8;
  if (function == 0x0F || function == 0x10) return buffer_.size() < 7 ? 0 : 9 + quint8(buffer_[6]);
  return -1;
}

std::vector<Adu> SerialFrameReader::TakeRtuFrames() {
  std::vector<Adu> requests;
  while (true) {
    const int length = RtuRequestLength();
    if (length <= 0 || buffer_.size() < length) break;  // wait for more or for the gap
    std::optional<Adu> request = DecodeRtu(buffer_.left(length));
    if (!request) break;  // a bad frame: the gap ends it
    requests.push_back(*request);
    buffer_.remove(0, length);
  }
  if (buffer_.size() > kMaxRtuFrame) {
    ++badFrames_;
    buffer_.clear();
  }
  return requests;
}

}  // namespace vt::sim
