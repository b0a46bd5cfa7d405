// SPDX-License-Identifier: MIT
// The single-instance lock on flock(2). The lock file lives only where no
// other account can reach it: a file another user may create (in a shared
// /tmp, say) would let that user keep the game from ever starting.
#include "shell/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace gub {

namespace {

bool isAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// The folder as a descriptor when it is a real folder (no link) owned by this
// user and writable by nobody else, else -1.
int openPrivateFolder(const LockFolder& folder) {
  if (folder.create && mkdir(folder.path.c_str(), 0700) != 0 && errno == ENOENT) {
    // Its parent is missing too (~/.cache on a fresh account).
    const std::string parent = folder.path.substr(0, folder.path.rfind('/'));
    if (!parent.empty() && mkdir(parent.c_str(), 0700) == 0) mkdir(folder.path.c_str(), 0700);
  }
  const int dir = open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return -1;
  struct stat info;
  if (fstat(dir, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != geteuid() ||
      (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    close(dir);
    return -1;
  }
  return dir;
}

}  // namespace

InstanceLock::~InstanceLock() {
  // Closing the descriptor releases the lock; the file itself stays, so there
  // is never a window in which two copies see different files.
  if (fd_ >= 0) close(fd_);
}

InstanceLock::Outcome InstanceLock::tryAcquire(const std::vector<LockFolder>& folders) {
  if (fd_ >= 0) return Outcome::Held;
  for (const LockFolder& folder : folders) {
    const int dir = openPrivateFolder(folder);
    if (dir < 0) continue;
    // O_CLOEXEC: a child started by the toolkit must not keep the lock alive
    // after the game is gone. O_NONBLOCK: a FIFO at the name must not hold
    // up the start.
    const int fd =
        openat(dir, FileName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    close(dir);
    if (fd < 0) continue;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      close(fd);
      continue;
    }
    int result;
    do {
      result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
      fd_ = fd;
      return Outcome::Held;
    }
    const bool heldByOther = errno == EWOULDBLOCK;
    close(fd);
    if (heldByOther) return Outcome::Busy;
  }
  return Outcome::Unavailable;
}

bool InstanceLock::acquire(const std::vector<LockFolder>& folders) {
  switch (tryAcquire(folders)) {
    case Outcome::Held:
      return true;
    case Outcome::Busy:
      return false;
    case Outcome::Unavailable:
      break;
  }
  // Refusing to start over this would be worse than two copies at once.
  std::fputs(
      "Gub Cards: no private folder would take the single-instance lock "
      "(tried $XDG_RUNTIME_DIR, /tmp and ~/.cache); running without it.\n",
      stderr);
  return true;
}

std::vector<LockFolder> InstanceLock::lockFolders(const char* runtimeDir, const char* tmpBase,
                                                  const char* home) {
  std::vector<LockFolder> folders;
  if (isAbsolute(runtimeDir)) folders.push_back({runtimeDir, false});
  const std::string perUser = "gub-cards-" + std::to_string(geteuid());
  if (isAbsolute(tmpBase)) folders.push_back({std::string(tmpBase) + "/" + perUser, true});
  if (isAbsolute(home)) folders.push_back({std::string(home) + "/.cache/gub-cards", true});
  return folders;
}

std::vector<LockFolder> InstanceLock::defaultFolders() {
  return lockFolders(std::getenv("XDG_RUNTIME_DIR"), "/tmp", std::getenv("HOME"));
}

}  // namespace gub
