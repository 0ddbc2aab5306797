#pragma once

#include <QtGlobal>

namespace vt {

// Sets a bit rate that has no B constant of its own (14400, 250000) on the
// open terminal `fd`, both ways, as Linux allows through termios2. A device
// that refuses it keeps the rate it had.
void SetCustomBitRate(int fd, qint32 bitRate);

}  // namespace vt
