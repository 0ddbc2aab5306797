#include "support/ChildProcess.h"

#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <QFile>
#include <cerrno>
#include <cstddef>
#include <iterator>

namespace vt::test {

namespace {

int ResultOf(pid_t child) {
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Waits until every process has closed its write end of the pipe.
void WaitForAll(int readEnd) {
  char byte = 0;
  while (read(readEnd, &byte, 1) > 0) {
  }
}

}  // namespace

int RunInChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  return ResultOf(child);
}

pid_t StartInChild(const std::function<bool()>& body) {
  int took[2];
  if (pipe(took) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    close(took[0]);
    const char taken = 1;
    if (!body() || write(took[1], &taken, 1) != 1) _exit(1);
    for (;;) pause();
  }
  close(took[1]);
  char taken = 0;
  const bool holding = child > 0 && read(took[0], &taken, 1) == 1;
  close(took[0]);
  if (holding) return child;
  ResultOf(child);
  return -1;
}

void KillChild(pid_t child) {
  if (child <= 0) return;
  kill(child, SIGKILL);
  ResultOf(child);
}

std::vector<int> RunTogether(int count, const std::function<int()>& body) {
  // Three gates, each a pipe: a process passes one by closing its write
  // end, and the read end reaches its end once every process has.
  int start[2];
  int ran[2];
  int end[2];
  if (pipe(start) != 0 || pipe(ran) != 0 || pipe(end) != 0) return std::vector<int>(count, -1);
  std::vector<pid_t> children;
  for (int i = 0; i < count; ++i) {
    children.push_back(fork());
    if (children.back() == 0) {
      close(start[1]);
      close(end[1]);
      WaitForAll(start[0]);
      const int result = body();
      close(ran[1]);
      WaitForAll(end[0]);
      _exit(result);
    }
  }
  close(start[1]);
  close(ran[1]);
  WaitForAll(ran[0]);
  close(end[1]);
  for (const int unused : {start[0], ran[0], end[0]}) close(unused);
  std::vector<int> results;
  for (const pid_t child : children) results.push_back(ResultOf(child));
  return results;
}

bool DropRootRights(uid_t user) {
  if (geteuid() == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(user) != 0 || setuid(user) != 0) return false;
  }
  return geteuid() != 0;
}

bool RefuseCall(long call, int error) {
  sock_filter program[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call), 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<__u32>(error)),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  const sock_fprog filter{static_cast<unsigned short>(std::size(program)), program};
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

bool RefuseFallocate() { return RefuseCall(__NR_fallocate, EOPNOTSUPP); }

bool SignalIn(const char* mask, pid_t pid, int signal) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  const QByteArray field = QByteArray(mask) + ':';
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith(field)) return (line.mid(field.size()).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
  }
  return false;
}

}  // namespace vt::test
