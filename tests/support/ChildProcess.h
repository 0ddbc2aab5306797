#pragma once

#include <functional>

namespace vt::test {

// Runs `body` in a forked copy of this process and gives its result (0 to
// 255), or -1 when the child could not be started or did not end normally.
// What the child changes (its user, its root folder) stays with the child.
int RunInChild(const std::function<int()>& body);

// In a child run by root: gives up root's rights for those of the user
// "nobody", so that file permissions hold as for an operator. True when the
// process runs without root's rights afterwards.
bool DropRootRights();

// In a child: from now on every fallocate call of the process fails with
// EOPNOTSUPP, as on a file system that cannot claim space (ext2, NFSv3, FUSE
// mounts), so posix_fallocate takes the C library's stand-in, which reads
// and writes the file's blocks. True when the refusal is in place.
bool RefuseFallocate();

}  // namespace vt::test
