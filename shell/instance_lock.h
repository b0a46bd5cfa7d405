// SPDX-License-Identifier: MIT
// The single-instance lock "Gub Cards": an flock on a file in a folder only
// this user can write, which the kernel drops however the holding process
// ends (even by kill -9).
#pragma once

#include <string>
#include <vector>

namespace gub {

// A folder the lock file may live in; `create` makes it (mode 0700) when it
// does not exist yet.
struct LockFolder {
  std::string path;
  bool create = false;
};

class InstanceLock {
 public:
  enum class Outcome {
    Held,        // this process holds the lock now
    Busy,        // another process holds it
    Unavailable  // no folder would take a lock file
  };

  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock in the first of `folders` that is this user's own (owned
  // by this user, writable by nobody else) and holds a lock file that can be
  // opened. A folder that fails is passed over for the next, so every copy
  // meets in the same place as long as nothing changes between their starts.
  Outcome tryAcquire(const std::vector<LockFolder>& folders);

  // The game's rule: true when this process may run. False only when another
  // copy holds the lock; when no lock can be had at all the game says so on
  // standard error and runs.
  bool acquire(const std::vector<LockFolder>& folders);
  bool acquire() { return acquire(defaultFolders()); }

  // $XDG_RUNTIME_DIR, then a folder of the user's own in `tmpBase`
  // ("gub-cards-<uid>"), then "$HOME/.cache/gub-cards". Empty or relative
  // places are left out.
  static std::vector<LockFolder> lockFolders(const char* runtimeDir, const char* tmpBase,
                                             const char* home);
  static std::vector<LockFolder> defaultFolders();

  static constexpr const char* FileName = "Gub Cards.lock";

 private:
  int fd_ = -1;
};

}  // namespace gub
