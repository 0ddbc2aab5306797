#pragma once

#include <QByteArray>
#include <vector>

#include "indicator-sim/Framing.h"

namespace vt::sim {

// Finds the master's requests in the bytes of a serial line, which may
// arrive in chunks of any size. Frames whose check fails are dropped and
// counted, as a slave on a Modbus line does.
class SerialFrameReader {
 public:
  explicit SerialFrameReader(Transport mode) : mode_(mode) {}

  // Takes the next chunk; returns the requests it completed.
  std::vector<Adu> Feed(const QByteArray& chunk);
  // The line has been quiet for an inter-frame gap. In RTU mode whatever is
  // buffered is one whole frame (a request of a function whose length is
  // not known in advance, or the remains of a bad frame); in ASCII mode a
  // frame waits for its line end, so nothing happens.
  std::vector<Adu> GapElapsed();

  bool Pending() const { return !buffer_.isEmpty(); }
  int BadFrames() const { return badFrames_; }

 private:
  std::vector<Adu> TakeAsciiFrames();
  std::vector<Adu> TakeRtuFrames();
  int RtuRequestLength() const;

  Transport mode_;
  QByteArray buffer_;
  int badFrames_ = 0;
};

}  // namespace vt::sim
