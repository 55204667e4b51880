#include "file_fault_support.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/files/file_test_hooks.h"

namespace file_faults {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

void WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  return text;
}

// status, then out and err, each after its length.
std::string Encode(const Outcome& outcome) {
  std::ostringstream text;
  text << outcome.status << ' ' << outcome.out.size() << ' ' << outcome.err.size() << '\n'
       << outcome.out << outcome.err;
  return text.str();
}

Outcome Decode(const std::string& text) {
  std::istringstream in(text);
  Outcome outcome;
  size_t outSize = 0;
  size_t errSize = 0;
  if (!(in >> outcome.status >> outSize >> errSize) || in.get() != '\n') {
    return {-3, "", "the child's answer cannot be read: " + text};
  }
  const size_t start = static_cast<size_t>(in.tellg());
  if (start + outSize + errSize != text.size()) return {-3, "", "the child's answer is cut short"};
  outcome.out = text.substr(start, outSize);
  outcome.err = text.substr(start + outSize, errSize);
  return outcome;
}

}  // namespace

Outcome RunUnprivileged(const std::function<Outcome()>& body) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {-3, "", "no pipe"};
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return {-3, "", "no child process"};
  if (child == 0) {
    ::close(pipeFds[0]);
    Outcome outcome;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
      outcome = {-3, "", "root could not be given up"};
    } else {
      outcome = body();
    }
    WriteAll(pipeFds[1], Encode(outcome));
    // Skips the parent's exit handlers, the test framework's among them.
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  const std::string answer = ReadAll(pipeFds[0]);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return {-2, "", "the child crashed: status " + std::to_string(status)};
  }
  return Decode(answer);
}

Tree Snapshot(const fs::path& root) {
  Tree tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const fs::file_status status = entry.symlink_status();
    std::ostringstream text;
    text << std::oct << static_cast<unsigned>(status.permissions()) << ' ';
    switch (status.type()) {
      case fs::file_type::regular: {
        std::ifstream file(entry.path(), std::ios::binary);
        if (file) {
          text << "file " << std::string(std::istreambuf_iterator<char>(file), {});
        } else {
          text << "file that cannot be read";
        }
        break;
      }
      case fs::file_type::directory:
        text << "folder";
        break;
      case fs::file_type::symlink:
        text << "link to " << fs::read_symlink(entry.path()).string();
        break;
      case fs::file_type::fifo:
        text << "named pipe";
        break;
      default:
        text << "something else";
    }
    tree[fs::relative(entry.path(), root).string()] = text.str();
  }
  return tree;
}

std::string HiddenNames(const fs::path& root) {
  std::string names;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path().filename().string().front() == '.') names += entry.path().string() + ' ';
  }
  return names;
}

void RestorePermissions(const fs::path& root) {
  std::error_code error;
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, error);
  for (const auto& entry : fs::recursive_directory_iterator(root, error)) {
    if (entry.symlink_status().type() == fs::file_type::directory) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
  }
}

ScopedEnv::ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    had_ = true;
    old_ = old;
  }
  if (value) {
    ::setenv(name, value->c_str(), 1);
  } else {
    ::unsetenv(name);
  }
}

ScopedEnv::~ScopedEnv() {
  if (had_) {
    ::setenv(name_, old_.c_str(), 1);
  } else {
    ::unsetenv(name_);
  }
}

ScopedHooks::ScopedHooks() {
  platform::TestHooks() = {};
}
ScopedHooks::~ScopedHooks() {
  platform::TestHooks() = {};
}

}  // namespace file_faults
