// The program's settings as a small per-user file, organised like registry keys:
//   [SOFTWARE\Quillrate\]
//   Width=dword:479
//   UserDefinedFule=sz:/home/me/media.txt
// Writes replace the file atomically; a damaged file reads as absent values. A file that is
// there but cannot be read (no permission, a folder, a link to nothing, changed while it was
// read) reads as absent values too, and is never replaced by a write. A read-modify-write
// holds a lock on the settings folder, so two programs writing at once both keep their value.
// A symbolic link (at the file, or for its folder) is followed only when the link and what
// it names belong to the user the program runs as.
#pragma once

#include <string>

#include "platform/system.h"

namespace platform {

// Where the settings live, or why there is no such place.
struct SettingsLocation {
  std::string path;
  std::string problem;  // when `path` is empty: why, in plain words
};

class SettingsFile : public Registry {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}
  explicit SettingsFile(const SettingsLocation& location)
      : path_(location.path), noPlace_(location.problem) {}
  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, Access access) override;
  std::unique_ptr<RegistryKey> CreateKey(const std::string& path) override;
  std::string WriteFailure() const override { return failure_; }
  const std::string& Path() const { return path_; }

  // $XDG_CONFIG_HOME/quillrate/settings.ini, else ~/.config/quillrate/settings.ini with the
  // home folder from HOME or, where HOME is not set, from the account. A relative path is no
  // place for them: it would depend on the folder the program was started from.
  static SettingsLocation DefaultLocation();

 private:
  std::string path_;
  std::string noPlace_;
  std::string failure_;
};

}  // namespace platform
