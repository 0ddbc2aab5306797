#pragma once

#include <QString>

#include "platform/CommandQueue.h"
#include "link/Communication.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "settings/Global.h"
#include "station/Graphic.h"

namespace vt {

// Everything program-wide: the three modules' variables, the queue of the
// operator's commands to the indicator and the PLC, the program folder and
// the platform services. The main window owns one and hands it by
// reference to the windows it opens.
struct Program {
  Program(QString folder, Dialogs& dialogsIn, Clock& clockIn)
      : programFolder(std::move(folder)), dialogs(dialogsIn), clock(clockIn) {}

  QString programFolder;
  Dialogs& dialogs;
  Clock& clock;
  Global global;
  Communication comm;
  Graphic graphic;
  CommandQueue commandQueue;
};

}  // namespace vt
