#include "support/NoRegularFiles.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <cstring>

namespace vt::test {
namespace {

bool MakeSocketName(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (name.size() >= qsizetype(sizeof address.sun_path)) return false;
  std::memcpy(address.sun_path, name.constData(), name.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound = fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (fd >= 0) close(fd);  // the name stays
  return bound;
}

}  // namespace

QStringList MakeNoRegularFiles(const QString& folder) {
  const QString fifo = folder + QStringLiteral("/fifo");
  const QString socketName = folder + QStringLiteral("/socket");
  const QString fifoLink = folder + QStringLiteral("/fifo-link");
  if (mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0 || !MakeSocketName(socketName) ||
      !QFile::link(fifo, fifoLink)) {
    return {};
  }
  return {fifo, socketName, fifoLink, QStringLiteral("/dev/null"), QStringLiteral("/dev/zero")};
}

}  // namespace vt::test
