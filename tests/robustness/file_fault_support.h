// What the file fault tests need beyond GoogleTest: a run without root's privileges, a picture
// of a folder tree to compare before and after, and the file seams put back after each case.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace file_faults {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs `body` in a child process and returns what it returned. When the test runs as root,
// the child first becomes user and group 65534, so permission bits bind it as they bind any
// user; as a normal user they bind already. A child that crashes gives status -2 and the
// signal in `err`.
Outcome RunUnprivileged(const std::function<Outcome()>& body);

// Every entry under `root`, by relative path: its kind and permissions, and a file's bytes
// or a link's text. A named pipe is never opened.
using Tree = std::map<std::string, std::string>;
Tree Snapshot(const std::filesystem::path& root);

// The names under `root` that start with a dot: the atomic writers' temporary files.
std::string HiddenNames(const std::filesystem::path& root);

// Gives every folder under `root` its owner's rights back, so that it can be removed.
void RestorePermissions(const std::filesystem::path& root);

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  // Sets it to `value`, or unsets it for none.
  ScopedEnv(const char* name, const std::optional<std::string>& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

// Clears the file seams (platform::TestHooks) when the case ends, however it ends.
class ScopedHooks {
 public:
  ScopedHooks();
  ~ScopedHooks();
  ScopedHooks(const ScopedHooks&) = delete;
  ScopedHooks& operator=(const ScopedHooks&) = delete;
};

}  // namespace file_faults
