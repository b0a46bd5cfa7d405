// SPDX-License-Identifier: MIT
// The single-instance lock: a second holder is turned away at once, the lock
// goes with its holder however it ends (even by kill -9), it lives only in a
// folder no other account can write, and with no such folder the game says so
// and runs.
#include "shell/instance_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace gub {
namespace {

namespace fs = std::filesystem;

struct Holder {
  pid_t pid = -1;
  int out = -1;
};

Holder startHolder(const std::vector<std::string>& folders, bool withChild = false) {
  int pipeFds[2];
  EXPECT_EQ(pipe(pipeFds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::string program = GUB_LOCK_HOLDER;
  std::string childFlag = "--child";
  std::vector<char*> argv{program.data()};
  if (withChild) argv.push_back(childFlag.data());
  for (const std::string& folder : folders) argv.push_back(const_cast<char*>(folder.c_str()));
  argv.push_back(nullptr);
  Holder holder;
  EXPECT_EQ(posix_spawn(&holder.pid, program.c_str(), &actions, nullptr, argv.data(), environ), 0);
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

std::vector<LockFolder> existing(const std::vector<std::string>& paths) {
  std::vector<LockFolder> folders;
  for (const std::string& path : paths) folders.push_back({path, false});
  return folders;
}

class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/gub-lock-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;  // mode 0700, this user's own
    path_ = dir_.string();
    lockFile_ = (dir_ / InstanceLock::FileName).string();
  }
  void TearDown() override {
    killHard(first_);
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }

  // A folder of the given mode inside the scratch folder.
  std::string folder(const std::string& name, mode_t mode = 0700) {
    const fs::path path = dir_ / name;
    EXPECT_EQ(mkdir(path.c_str(), mode), 0) << path;
    EXPECT_EQ(chmod(path.c_str(), mode), 0) << path;  // past the umask
    return path.string();
  }

  fs::path dir_;
  std::string path_;
  std::string lockFile_;
  Holder first_;
};

TEST_F(InstanceLockTest, SecondCopyIsTurnedAwayAtOnceAndSilently) {
  first_ = startHolder({path_});
  ASSERT_EQ(readLine(first_), "held");

  auto start = std::chrono::steady_clock::now();
  Holder second = startHolder({path_});
  EXPECT_EQ(readLine(second), "busy");
  EXPECT_EQ(waitForExit(second.pid, 2000), 3);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  close(second.out);

  // In-process too: a new open file description conflicts like a new process.
  InstanceLock mine;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(mine.acquire(existing({path_})));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  // The first holder is undisturbed.
  EXPECT_EQ(waitForExit(first_.pid, 100), -1);
}

TEST_F(InstanceLockTest, KillNineReleasesTheLock) {
  first_ = startHolder({path_});
  ASSERT_EQ(readLine(first_), "held");
  killHard(first_);

  Holder next = startHolder({path_});
  EXPECT_EQ(readLine(next), "held") << "a stale lock survived kill -9";
  killHard(next);
}

TEST_F(InstanceLockTest, ChildProcessesDoNotKeepTheLock) {
  first_ = startHolder({path_}, /*withChild=*/true);
  std::string line = readLine(first_);
  ASSERT_EQ(line.rfind("held ", 0), 0u) << line;
  pid_t child = static_cast<pid_t>(std::stoi(line.substr(5)));
  killHard(first_);

  InstanceLock mine;
  EXPECT_EQ(mine.tryAcquire(existing({path_})), InstanceLock::Outcome::Held)
      << "the holder's child inherited the lock";
  kill(child, SIGKILL);
}

TEST_F(InstanceLockTest, ReleasedWhenTheHolderGoesOutOfScope) {
  {
    InstanceLock lock;
    ASSERT_EQ(lock.tryAcquire(existing({path_})), InstanceLock::Outcome::Held);
    EXPECT_EQ(lock.tryAcquire(existing({path_})), InstanceLock::Outcome::Held)
        << "asking again while holding is no conflict";
    InstanceLock other;
    EXPECT_EQ(other.tryAcquire(existing({path_})), InstanceLock::Outcome::Busy);
  }
  InstanceLock again;
  EXPECT_EQ(again.tryAcquire(existing({path_})), InstanceLock::Outcome::Held);
}

TEST_F(InstanceLockTest, UnusableFoldersArePassedOverAndCopiesStillMeet) {
  // Each first folder is one the lock must not use: another account could
  // write there, or a lock file can't be opened in it. The lock lands in the
  // second folder, and a second copy is still turned away.
  const std::string privateOne = folder("private");
  const std::string linkPath = (dir_ / "link").string();
  fs::create_directory_symlink(privateOne, linkPath);
  const std::string dirAtLock = folder("dir-at-lock");
  fs::create_directory(fs::path(dirAtLock) / InstanceLock::FileName);
  const std::string fifoAtLock = folder("fifo-at-lock");
  ASSERT_EQ(mkfifo((fs::path(fifoAtLock) / InstanceLock::FileName).c_str(), 0600), 0);
  const std::string plainFile = (dir_ / "plain").string();
  close(open(plainFile.c_str(), O_CREAT | O_WRONLY, 0600));
  std::vector<std::string> firsts = {folder("group-writable", 0770),
                                     folder("other-writable", 01777),
                                     linkPath,
                                     dirAtLock,
                                     fifoAtLock,
                                     plainFile,
                                     (dir_ / "missing").string()};
  if (geteuid() == 0) {
    // Only root can make a folder that belongs to someone else.
    const std::string foreign = folder("foreign");
    EXPECT_EQ(chown(foreign.c_str(), 65534, 65534), 0);
    firsts.push_back(foreign);
  }
  for (const std::string& first : firsts) {
    SCOPED_TRACE(first);
    const std::string second = folder("second");
    first_ = startHolder({first, second});
    ASSERT_EQ(readLine(first_), "held");
    EXPECT_TRUE(fs::is_regular_file(fs::path(second) / InstanceLock::FileName));
    Holder again = startHolder({first, second});
    EXPECT_EQ(readLine(again), "busy");
    EXPECT_EQ(waitForExit(again.pid, 2000), 3);
    close(again.out);
    killHard(first_);
    fs::remove_all(second);
  }
  for (const char* name : {"group-writable", "other-writable", "private"}) {
    EXPECT_FALSE(fs::exists(dir_ / name / InstanceLock::FileName)) << name;
  }
}

TEST_F(InstanceLockTest, WithNoLockAnywhereTheGameSaysSoAndRuns) {
  const std::vector<LockFolder> none = existing({(dir_ / "missing").string(), "relative"});
  InstanceLock lock;
  EXPECT_EQ(lock.tryAcquire(none), InstanceLock::Outcome::Unavailable);
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(lock.acquire(none));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("single-instance lock"),
            std::string::npos);
}

TEST_F(InstanceLockTest, PlacesRunFromTheRuntimeFolderToTmpToTheHomeCache) {
  // "+" marks a folder the game makes when missing; the runtime folder is the
  // session's and never made by the game.
  const std::string tmp = "+/tmp/gub-cards-" + std::to_string(geteuid());
  const std::string cache = "+/home/u/.cache/gub-cards";
  struct Case {
    const char* runtimeDir;
    const char* home;
    std::vector<std::string> folders;
  };
  const Case cases[] = {
      {"/run/user/7", "/home/u", {"/run/user/7", tmp, cache}},
      {nullptr, "/home/u", {tmp, cache}},
      {"relative/dir", nullptr, {tmp}},
      {"", "", {tmp}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> folders;
    for (const LockFolder& f : InstanceLock::lockFolders(c.runtimeDir, "/tmp", c.home)) {
      folders.push_back((f.create ? "+" : "") + f.path);
    }
    EXPECT_EQ(folders, c.folders);
  }
}

TEST_F(InstanceLockTest, FolderTakenByAnotherAccountSendsTheLockHome) {
  // Without a runtime folder: the per-user folder in the shared temporary
  // folder is made private, or, when someone else got there first, passed
  // over for one made under the home folder.
  const std::string tmp = folder("tmp", 01777);
  const std::string home = folder("home");
  const auto folders = InstanceLock::lockFolders(nullptr, tmp.c_str(), home.c_str());
  {
    InstanceLock lock;
    ASSERT_EQ(lock.tryAcquire(folders), InstanceLock::Outcome::Held);
    struct stat info;
    ASSERT_EQ(stat(folders[0].path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(fs::exists(fs::path(folders[0].path) / InstanceLock::FileName));
  }
  fs::remove_all(folders[0].path);
  ASSERT_EQ(mkdir(folders[0].path.c_str(), 0777), 0);
  ASSERT_EQ(chmod(folders[0].path.c_str(), 0777), 0);  // as if another account made it
  InstanceLock lock;
  ASSERT_EQ(lock.tryAcquire(folders), InstanceLock::Outcome::Held);
  EXPECT_EQ(folders[1].path, home + "/.cache/gub-cards");
  EXPECT_TRUE(fs::exists(fs::path(folders[1].path) / InstanceLock::FileName))
      << "~/.cache and its folder are made when missing";
  EXPECT_FALSE(fs::exists(fs::path(folders[0].path) / InstanceLock::FileName));
}

}  // namespace
}  // namespace gub
