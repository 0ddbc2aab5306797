#pragma once

#include <sys/types.h>

#include <functional>
#include <vector>

namespace vt::test {

// Runs `body` in a forked copy of this process and gives its result (0 to
// 255), or -1 when the child could not be started or did not end normally.
// What the child changes (its user, its root folder) stays with the child.
int RunInChild(const std::function<int()>& body);

// Runs `body` in a forked copy of this process that then stays, keeping
// what `body` took, until it is killed. Gives the copy's process id once
// `body` has returned true; -1 when it returned false (the copy has ended
// then) or the copy could not be started.
pid_t StartInChild(const std::function<bool()>& body);
// Kills the copy outright (SIGKILL) and waits for its end.
void KillChild(pid_t child);

// Runs `body` in `count` forked copies of this process at once: each starts
// it when all are there, and ends only when all have run it, so that what
// one keeps to its end (a lock) stands while the others run. Gives their
// results as RunInChild does, one for each copy.
std::vector<int> RunTogether(int count, const std::function<int()>& body);

// Whether the process `pid` handles ("SigCgt") or ignores ("SigIgn") the
// signal, as /proc tells.
bool SignalIn(const char* mask, pid_t pid, int signal);

constexpr uid_t kNobody = 65534;
constexpr uid_t kDaemon = 1;

// In a child run by root: gives up root's rights for those of `user` and the
// group of the same number, so that file permissions hold as for an
// operator. True when the process runs without root's rights afterwards.
bool DropRootRights(uid_t user = kNobody);

// In a child: from now on every call of the system call numbered `call`
// (__NR_...) fails with `error`. True when the refusal is in place.
bool RefuseCall(long call, int error);

// In a child: from now on every fallocate call of the process fails with
// EOPNOTSUPP, as on a file system that cannot claim space (ext2, NFSv3, FUSE
// mounts), so posix_fallocate takes the C library's stand-in, which reads
// and writes the file's blocks. True when the refusal is in place.
bool RefuseFallocate();

}  // namespace vt::test
