// The kernel's own termios structures, which the C library's <termios.h>
// would clash with: this file includes nothing else of the terminal.
#include "platform/SerialCustomRate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vt {

void SetCustomBitRate(int fd, qint32 bitRate) {
  termios2 line{};
  if (ioctl(fd, TCGETS2, &line) != 0) return;
  // BOTHER: the rate is the number given; the input rate follows the output
  // rate (no input rate bits).
  line.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  line.c_cflag |= BOTHER;
  line.c_ispeed = static_cast<speed_t>(bitRate);
  line.c_ospeed = static_cast<speed_t>(bitRate);
  ioctl(fd, TCSETS2, &line);
}

}  // namespace vt
