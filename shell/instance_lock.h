// The single-instance lock "Gub Cards": an flock on a per-user file, which the
// kernel drops however the holding process ends (even by kill -9).
#pragma once

#include <string>

namespace gub {

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process now holds the lock, or when no lock file can be
  // made at all (a game that refuses to start over that would be worse).
  // False only when another process holds it.
  bool acquire(const std::string& path);
  bool acquire() { return acquire(defaultPath()); }

  // "$XDG_RUNTIME_DIR/Gub Cards.lock", else "/tmp/Gub Cards-<uid>.lock".
  static std::string defaultPath();

 private:
  int fd_ = -1;
};

}  // namespace gub
