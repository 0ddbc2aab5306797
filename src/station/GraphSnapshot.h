#pragma once

#include <QDateTime>
#include <QObject>

#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// Enter in the graph saves its picture, curve and grid as drawn, as a bitmap
// in the program folder, named after the minute it was taken. The file is
// written whole or not at all; a failure shows "Cannot save graph picture".
class GraphSnapshot : public QObject {
  Q_OBJECT
 public:
  GraphSnapshot(Program& program, TestPage& testPage);

  // Character 13 (Enter) saves the snapshot; other keys do nothing.
  void Graph_KeyPress(int keyAscii);

  // "DDMMYYYYhhmm.BMP" in the program folder; a second snapshot within the
  // same minute replaces the first.
  static QString SnapshotPath(const QString& programFolder, const QDateTime& when);

 private:
  Program& program_;
  TestPage& page_;
};

}  // namespace vt
