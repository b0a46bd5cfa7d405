// Test helper: takes the instance lock on PATH and keeps it until killed.
// Prints "held" (with the pid of a child it started, given --child) or
// "busy" and exits 3 when another process holds the lock.
#include <spawn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "shell/instance_lock.h"

extern char** environ;

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  gub::InstanceLock lock;
  if (!lock.acquire(argv[1])) {
    std::puts("busy");
    return 3;
  }
  if (argc > 2 && std::strcmp(argv[2], "--child") == 0) {
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
