// SPDX-License-Identifier: MIT
// Regular files only, without ever blocking in open().
#include "render/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace gub {

int openRegularFile(const char* path, int access) {
  // A look before opening keeps devices from being opened at all; the check
  // after opening covers a file swapped in between.
  struct stat info;
  if (stat(path, &info) != 0) return -1;
  if (!S_ISREG(info.st_mode)) {
    errno = ENOENT;
    return -1;
  }
  // O_NONBLOCK: open() on a FIFO waits for a writer without it.
  int fd;
  do {
    fd = open(path, access | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    errno = ENOENT;
    return -1;
  }
  // Reads of a regular file never block anyway; clearing the flag keeps stdio
  // and the sound library from ever seeing EAGAIN.
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

std::FILE* openRegularStream(const char* path, bool forUpdate) {
  const int fd = openRegularFile(path, forUpdate ? O_RDWR : O_RDONLY);
  if (fd < 0) return nullptr;
  std::FILE* stream = fdopen(fd, forUpdate ? "r+b" : "rb");
  if (stream == nullptr) close(fd);
  return stream;
}

}  // namespace gub
