// SPDX-License-Identifier: MIT
// Runs a file operation on a path where a FIFO sits and tells whether it came
// back within a time. An operation that opens the FIFO for reading would wait
// for a writer forever; after the time is up this opens and closes the FIFO for
// writing until the operation ends, so the test fails instead of hanging.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>

namespace gub::testing {

inline bool makeFifo(const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }

template <typename Operation>
bool returnsWithin(const std::string& fifoPath, Operation operation,
                   std::chrono::milliseconds limit = std::chrono::milliseconds(2000)) {
  std::future<void> done = std::async(std::launch::async, operation);
  if (done.wait_for(limit) == std::future_status::ready) return true;
  // Release every open() that waits for a writer (the operation may open the
  // FIFO more than once) and let its reads see the end of the data at once.
  while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
    const int writer = open(fifoPath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (writer >= 0) close(writer);
  }
  return false;
}

}  // namespace gub::testing
