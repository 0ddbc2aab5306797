#include "support/ChildProcess.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vt::test {

int RunInChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) _exit(body());
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

bool DropRootRights() {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) return false;
  }
  return geteuid() != 0;
}

}  // namespace vt::test
