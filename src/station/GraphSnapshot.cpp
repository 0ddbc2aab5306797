#include "station/GraphSnapshot.h"

#include <QBuffer>

#include "platform/Presses.h"
#include "platform/WholeFile.h"

namespace vt {

GraphSnapshot::GraphSnapshot(Program& program, TestPage& testPage) : program_(program), page_(testPage) {
  OnPress(program_.commandQueue, page_.Graph, &GraphBox::KeyPress, this,
          [this](int keyAscii) { Graph_KeyPress(keyAscii); });
}

QString GraphSnapshot::SnapshotPath(const QString& programFolder, const QDateTime& when) {
  return programFolder + QLatin1Char('/') + when.toString(QStringLiteral("ddMMyyyyHHmm")) + QStringLiteral(".BMP");
}

void GraphSnapshot::Graph_KeyPress(int keyAscii) {
  constexpr int kEnter = 13;
  if (keyAscii != kEnter) return;
  const QString path = SnapshotPath(program_.programFolder, program_.clock.Now());
  // The bitmap is made whole in memory and then replaces the file in one
  // step, so a full disk leaves no cut-short picture and an earlier snapshot
  // of the same minute as it was.
  QByteArray bitmap;
  QBuffer buffer(&bitmap);
  if (!page_.Graph->Picture().save(&buffer, "BMP") || !WriteWholeFile(path, bitmap)) {
    program_.dialogs.MsgBox(QStringLiteral("Cannot save graph picture"), MsgStyle::OkOnly,
                            QStringLiteral("File System Error"));
  }
}

}  // namespace vt
