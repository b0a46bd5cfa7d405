// SPDX-License-Identifier: MIT
// Test helper: takes the instance lock in the first usable of the FOLDERs,
// as the game does, and keeps it until killed. Prints "held" (with the pid of
// a child it started, given --child), or "busy" and exits 3 when another
// process holds the lock.
#include <spawn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/instance_lock.h"

extern char** environ;

int main(int argc, char** argv) {
  bool withChild = false;
  std::vector<gub::LockFolder> folders;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--child") == 0) {
      withChild = true;
    } else {
      folders.push_back({argv[i], false});
    }
  }
  gub::InstanceLock lock;
  if (!lock.acquire(folders)) {
    std::puts("busy");
    return 3;
  }
  if (withChild) {
    // A long-lived child, as a toolkit might start one: it must not inherit
    // the lock.
    // posix_spawn returns once the child has run exec, so the test can't
    // look before close-on-exec has done its work.
    pid_t child = -1;
    char program[] = "sleep";
    char seconds[] = "120";
    char* childArgv[] = {program, seconds, nullptr};
    if (posix_spawnp(&child, program, nullptr, nullptr, childArgv, environ) != 0) return 4;
    std::printf("held %d\n", static_cast<int>(child));
  } else {
    std::puts("held");
  }
  std::fflush(stdout);
  for (;;) pause();
}
