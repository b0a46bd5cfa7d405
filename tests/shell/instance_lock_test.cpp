// The single-instance lock: a second holder is turned away at once, and the
// lock goes with its holder however it ends, even by kill -9.
#include "shell/instance_lock.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

extern char** environ;

namespace gub {
namespace {

namespace fs = std::filesystem;

struct Holder {
  pid_t pid = -1;
  int out = -1;
};

Holder startHolder(const std::string& lockPath, bool withChild = false) {
  int pipeFds[2];
  EXPECT_EQ(pipe(pipeFds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::string program = GUB_LOCK_HOLDER;
  std::string childFlag = "--child";
  char* argv[] = {program.data(), const_cast<char*>(lockPath.c_str()),
                  withChild ? childFlag.data() : nullptr, nullptr};
  Holder holder;
  EXPECT_EQ(posix_spawn(&holder.pid, program.c_str(), &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  holder.out = pipeFds[0];
  return holder;
}

// The helper's one line of output, or "" when none comes within the time.
std::string readLine(const Holder& holder, int timeoutMs = 5000) {
  std::string line;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{holder.out, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    char c;
    if (read(holder.out, &c, 1) != 1) break;
    if (c == '\n') return line;
    line += c;
  }
  return line;
}

// Exit status when the process ends within the time, else -1.
int waitForExit(pid_t pid, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    int status;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    usleep(5000);
  }
  return -1;
}

void killHard(Holder& holder) {
  if (holder.pid > 0) {
    kill(holder.pid, SIGKILL);
    waitpid(holder.pid, nullptr, 0);
  }
  if (holder.out >= 0) close(holder.out);
  holder = Holder{};
}

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/gub-lock-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "Gub Cards.lock").string();
  }
  void TearDown() override {
    killHard(first_);
    fs::remove_all(dir_);
  }

  fs::path dir_;
  std::string path_;
  Holder first_;
};

TEST_F(InstanceLockTest, SecondCopyIsTurnedAwayAtOnce) {
  first_ = startHolder(path_);
  ASSERT_EQ(readLine(first_), "held");

  auto start = std::chrono::steady_clock::now();
  Holder second = startHolder(path_);
  EXPECT_EQ(readLine(second), "busy");
  EXPECT_EQ(waitForExit(second.pid, 2000), 3);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  close(second.out);

  // In-process too: a new open file description conflicts like a new process.
  InstanceLock mine;
  EXPECT_FALSE(mine.acquire(path_));
  // The first holder is undisturbed.
  EXPECT_EQ(waitForExit(first_.pid, 100), -1);
}

TEST_F(InstanceLockTest, KillNineReleasesTheLock) {
  first_ = startHolder(path_);
  ASSERT_EQ(readLine(first_), "held");
  killHard(first_);

  Holder next = startHolder(path_);
  EXPECT_EQ(readLine(next), "held") << "a stale lock survived kill -9";
  killHard(next);
}

TEST_F(InstanceLockTest, ChildProcessesDoNotKeepTheLock) {
  first_ = startHolder(path_, /*withChild=*/true);
  std::string line = readLine(first_);
  ASSERT_EQ(line.rfind("held ", 0), 0u) << line;
  pid_t child = static_cast<pid_t>(std::stoi(line.substr(5)));
  killHard(first_);

  InstanceLock mine;
  EXPECT_TRUE(mine.acquire(path_)) << "the holder's child inherited the lock";
  kill(child, SIGKILL);
}

TEST_F(InstanceLockTest, ReleasedWhenTheHolderGoesOutOfScope) {
  {
    InstanceLock lock;
    ASSERT_TRUE(lock.acquire(path_));
    EXPECT_TRUE(lock.acquire(path_)) << "asking again while holding is no conflict";
    InstanceLock other;
    EXPECT_FALSE(other.acquire(path_));
  }
  InstanceLock again;
  EXPECT_TRUE(again.acquire(path_));
}

TEST_F(InstanceLockTest, LockFileLivesInTheRuntimeFolderOrTmp) {
  const char* saved = getenv("XDG_RUNTIME_DIR");
  std::string savedValue = saved != nullptr ? saved : "";

  setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  EXPECT_EQ(InstanceLock::defaultPath(), (dir_ / "Gub Cards.lock").string());

  std::string perUser = "/tmp/Gub Cards-" + std::to_string(getuid()) + ".lock";
  setenv("XDG_RUNTIME_DIR", (dir_ / "missing").c_str(), 1);
  EXPECT_EQ(InstanceLock::defaultPath(), perUser);
  setenv("XDG_RUNTIME_DIR", "relative/dir", 1);
  EXPECT_EQ(InstanceLock::defaultPath(), perUser);
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(InstanceLock::defaultPath(), perUser);

  if (saved != nullptr) setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace gub
