// The single-instance lock on flock(2).
#include "shell/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace gub {

InstanceLock::~InstanceLock() {
  // Closing the descriptor releases the lock; the file itself stays, so there
  // is never a window in which two copies see different files.
  if (fd_ >= 0) close(fd_);
}

bool InstanceLock::acquire(const std::string& path) {
  if (fd_ >= 0) return true;
  // O_CLOEXEC: a child started by the toolkit must not keep the lock alive
  // after the game is gone. O_NOFOLLOW: /tmp is shared with other users.
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return true;
  int result;
  do {
    result = flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    bool heldByOther = errno == EWOULDBLOCK;
    close(fd);
    return !heldByOther;
  }
  fd_ = fd;
  return true;
}

std::string InstanceLock::defaultPath() {
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  struct stat info;
  if (runtimeDir != nullptr && runtimeDir[0] == '/' && stat(runtimeDir, &info) == 0 &&
      S_ISDIR(info.st_mode) && access(runtimeDir, W_OK) == 0) {
    return std::string(runtimeDir) + "/Gub Cards.lock";
  }
  return "/tmp/Gub Cards-" + std::to_string(getuid()) + ".lock";
}

}  // namespace gub
