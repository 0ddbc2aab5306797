#pragma once

#include <QString>
#include <QStringList>

namespace vt::test {

// Files that are no regular files, which every reading refuses at once: in
// `folder` a FIFO that nothing writes to ("fifo"), a socket's name
// ("socket") and a link to the FIFO ("fifo-link"); and the character
// devices /dev/null and /dev/zero. Their paths, or nothing when one cannot
// be made.
QStringList MakeNoRegularFiles(const QString& folder);

}  // namespace vt::test
