#include "platform/linux/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/files/atomic_file.h"
#include "platform/files/file_kind.h"
#include "platform/files/file_test_hooks.h"
#include "platform/files/input_file.h"

namespace platform {
namespace {

struct StoredValue {
  RegType type = RegType::String;
  std::vector<uint8_t> data;
};
using Keys = std::map<std::string, std::map<std::string, StoredValue>>;

// The file may hold paths the user would rather keep to themselves.
constexpr mode_t kSettingsMode = 0600;

std::string Fold(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  while (!text.empty() && text.back() == '\\') text.pop_back();
  return text;
}

std::string Escape(const std::vector<uint8_t>& data) {
  std::string out;
  for (uint8_t c : data) {
    if (c == 0) break;
    if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c == 0x7F) {
      static const char* hex = "0123456789ABCDEF";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool Unescape(const std::string& text, std::vector<uint8_t>& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out.push_back(static_cast<uint8_t>(text[i]));
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '\\') {
      out.push_back('\\');
      ++i;
    } else if (i + 3 < text.size() && text[i + 1] == 'x' &&
               std::isxdigit(static_cast<unsigned char>(text[i + 2])) &&
               std::isxdigit(static_cast<unsigned char>(text[i + 3]))) {
      out.push_back(static_cast<uint8_t>(std::stoi(text.substr(i + 2, 2), nullptr, 16)));
      i += 3;
    } else {
      return false;
    }
  }
  out.push_back(0);
  return true;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A settings file is a few hundred bytes; anything much larger is not one.
constexpr uint64_t kMaxSettingsBytes = 1 << 20;

struct Loaded {
  Keys keys;
  std::string problem;  // why the file could not be read; empty when it was, or is not there
};

// Reads what can be read; lines that make no sense are skipped.
Loaded Load(const std::string& path) {
  const FileContents contents = ReadWholeFile(path, kMaxSettingsBytes);
  if (!contents.ok()) {
    // No file yet is no settings yet; a link to nothing is a file that cannot be read.
    if (contents.problem.fault == ReadFault::Missing && !IsSymbolicLink(path)) return {};
    return {{}, contents.problem.reason};
  }
  Loaded loaded;
  Keys& keys = loaded.keys;
  std::string text(contents.bytes.begin(), contents.bytes.end());
  // An editor may have put a byte-order mark before the first header.
  if (text.rfind(kUtf8Bom, 0) == 0) text.erase(0, kUtf8Bom.size());
  std::istringstream in(text);
  std::string line;
  std::string current;
  bool inKey = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = Fold(line.substr(1, line.size() - 2));
      keys[current];
      inKey = true;
      continue;
    }
    const size_t eq = line.find('=');
    if (!inKey || eq == std::string::npos) continue;
    const std::string name = Fold(line.substr(0, eq));
    const std::string value = line.substr(eq + 1);
    StoredValue stored;
    if (value.rfind("dword:", 0) == 0) {
      char* end = nullptr;
      const unsigned long n = std::strtoul(value.c_str() + 6, &end, 10);
      if (end == value.c_str() + 6 || *end != '\0' || n > 0xFFFFFFFFul) continue;
      stored.type = RegType::Dword;
      for (int i = 0; i < 4; ++i) stored.data.push_back(static_cast<uint8_t>(n >> (8 * i)));
    } else if (value.rfind("sz:", 0) == 0) {
      if (!Unescape(value.substr(3), stored.data)) continue;
    } else {
      continue;
    }
    keys[current][name] = std::move(stored);
  }
  return loaded;
}

// Makes the folders above `path`; 0 or the system's error.
int MakeParent(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return 0;
  const std::string dir = path.substr(0, slash);
  struct stat info {};
  if (::stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
  if (const int error = MakeParent(dir); error != 0) return error;
  return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

// Replaces the file in one step: a crash leaves the old file or the new one, never half.
// On failure `failure` says why.
bool Save(const std::string& path, const Keys& keys, std::string& failure) {
  std::ostringstream text;
  for (const auto& [key, values] : keys) {
    text << '[' << key << "]\n";
    for (const auto& [name, value] : values) {
      text << name << '=';
      if (value.type == RegType::Dword && value.data.size() == 4) {
        uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = n << 8 | value.data[static_cast<size_t>(i)];
        text << "dword:" << n << '\n';
      } else {
        text << "sz:" << Escape(value.data) << '\n';
      }
    }
  }
  const std::string bytes = text.str();
  const AtomicWriteResult written =
      WriteFileAtomically(path, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()},
                          kSettingsMode, LinkPolicy::FollowOwnLink);
  if (!written.ok()) failure = path + ": " + written.reason;
  return written.ok();
}

// A file that is there but cannot be read is never replaced: its values would be lost.
bool Unreadable(const std::string& path, const Loaded& loaded, std::string& failure) {
  if (loaded.problem.empty()) return false;
  failure = path + ": " + loaded.problem + " (left as it was)";
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A settings folder that is a symbolic link is followed only when the link and the folder it
// names belong to the user the program runs as: a program run with another user's home
// must not write where that user's link leads.
bool ForeignFolder(const std::string& path, std::string& failure) {
  const std::string folder = FolderOf(path);
  struct stat link {};
  if (::lstat(folder.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return false;
  struct stat named {};
  const bool leads = ::stat(folder.c_str(), &named) == 0;
  const uid_t self = ::geteuid();
  if (link.st_uid == self && (!leads || named.st_uid == self)) return false;
  failure =
      path + ": its folder " + folder + " is " + ForeignLinkText(folder, link.st_uid, named.st_uid);
  return true;
}

// Settings are kept only in a folder and a file of the user's own: another user who could
// hold the folder's lock or plant the file would decide what the program keeps.
bool ForeignFolderOwner(const std::string& path, std::string& failure) {
  const std::string folder = FolderOf(path);
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || info.st_uid == ::geteuid()) return false;
  failure = path + ": its folder " + folder + " belongs to another user (uid " +
            std::to_string(info.st_uid) + "); settings are kept only in a folder of your own";
  return true;
}

// A link is the atomic writer's to judge: it follows only the user's own.
bool ForeignFileOwner(const std::string& path, std::string& failure) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || S_ISLNK(info.st_mode) || info.st_uid == ::geteuid()) {
    return false;
  }
  failure = path + ": it belongs to another user (uid " + std::to_string(info.st_uid) +
            "); settings are kept only in a file of your own";
  return true;
}

// Holds an exclusive lock on the settings folder while it lives, so that read-modify-write
// cycles of several programs follow one another. A lock another program keeps is waited for a
// few seconds only, so that it can never hang a write (and the window's close). Where the
// folder cannot be locked (a file system without locks) the write goes on without.
class FolderLock {
 public:
  FolderLock(const std::string& folder, uint32_t waitMilliseconds)
      : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    constexpr uint32_t kStepMilliseconds = 50;
    for (uint32_t waited = 0;;) {
      if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
      if (errno == EINTR) continue;
      if (errno != EWOULDBLOCK) return;
      if (waited >= waitMilliseconds) break;
      ::usleep(kStepMilliseconds * 1000);
      waited += kStepMilliseconds;
    }
    ::close(fd_);
    fd_ = -1;
    busy_ = true;
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Another program held the lock for the whole wait.
  bool Busy() const { return busy_; }

 private:
  int fd_;
  bool busy_ = false;
};

// How long a write waits for another program's lock on the settings folder.
constexpr uint32_t kLockWaitMilliseconds = 5000;

// Reads the file, lets `change` change the values and writes them back, all under the lock.
// `change` returns false when nothing needs writing. False, with `failure`, when the change
// could not be written.
bool Modify(const std::string& path, std::string& failure,
            const std::function<bool(Keys&)>& change) {
  if (ForeignFolder(path, failure)) return false;
  if (const int error = MakeParent(path); error != 0) {
    failure = path + ": its folder cannot be made: " + std::strerror(error);
    return false;
  }
  if (ForeignFolderOwner(path, failure)) return false;
  const uint32_t wait = TestHooks().lockWaitMilliseconds.value_or(kLockWaitMilliseconds);
  const FolderLock lock(FolderOf(path), wait);
  if (lock.Busy()) {
    failure = path + ": another program holds the lock on its folder " + FolderOf(path) +
              " (waited " + std::to_string(wait / 1000) + " seconds); close it and try again";
    return false;
  }
  Loaded loaded = Load(path);
  if (Unreadable(path, loaded, failure)) return false;
  if (ForeignFileOwner(path, failure)) return false;
  if (!change(loaded.keys)) return true;
  return Save(path, loaded.keys, failure);
}

class FileKey : public RegistryKey {
 public:
  FileKey(std::string file, std::string key, bool writable, std::string& failure)
      : file_(std::move(file)), key_(std::move(key)), writable_(writable), failure_(failure) {}

  bool QueryValue(const std::string& name, uint8_t* data, uint32_t& size) override {
    const Keys keys = Load(file_).keys;
    auto key = keys.find(key_);
    if (key == keys.end()) return false;
    auto value = key->second.find(Fold(name));
    if (value == key->second.end()) return false;
    const uint32_t capacity = size;
    size = static_cast<uint32_t>(value->second.data.size());
    if (size > capacity) return false;
    std::memcpy(data, value->second.data.data(), size);
    return true;
  }

  bool SetValue(const std::string& name, RegType type, const std::vector<uint8_t>& data) override {
    if (!writable_) {
      failure_ = file_ + ": the key was opened for reading only";
      return false;
    }
    return Modify(file_, failure_, [&](Keys& keys) {
      keys[key_][Fold(name)] = {type, data};
      return true;
    });
  }

 private:
  std::string file_;
  std::string key_;
  bool writable_;
  std::string& failure_;
};

}  // namespace

std::unique_ptr<RegistryKey> SettingsFile::OpenKey(const std::string& path, Access access) {
  if (path_.empty()) return nullptr;
  const Keys keys = Load(path_).keys;
  if (keys.count(Fold(path)) == 0) return nullptr;
  return std::make_unique<FileKey>(path_, Fold(path), access == Access::All, failure_);
}

std::unique_ptr<RegistryKey> SettingsFile::CreateKey(const std::string& path) {
  if (path_.empty()) {
    failure_ = noPlace_;
    return nullptr;
  }
  const bool made = Modify(path_, failure_, [&](Keys& keys) {
    if (keys.count(Fold(path)) != 0) return false;
    keys[Fold(path)];
    return true;
  });
  if (!made) return nullptr;
  return std::make_unique<FileKey>(path_, Fold(path), true, failure_);
}

namespace {

// The account's home folder from the password file; empty when it has none. Read directly
// rather than through the name service, which keeps the program linkable as a static binary
// (HOME is set in every login session; this is only for programs started without it).
std::string AccountHome() {
  std::ifstream in("/etc/passwd");
  const std::string uid = std::to_string(::geteuid());
  std::string line;
  while (std::getline(in, line)) {
    // name:password:uid:gid:comment:home:shell
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, ':');) fields.push_back(field);
    if (fields.size() >= 6 && fields[2] == uid) return fields[5];
  }
  return {};
}

}  // namespace

SettingsLocation SettingsFile::DefaultLocation() {
  constexpr const char* kFile = "/quillrate/settings.ini";
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return {config + std::string(kFile), {}};
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    if (home[0] == '/') return {home + std::string("/.config") + kFile, {}};
    return {
        {},
        "HOME is not an absolute path (\"" + std::string(home) + "\"), so no settings are kept"};
  }
  const std::string account = AccountHome();
  if (!account.empty() && account[0] == '/') return {account + "/.config" + kFile, {}};
  return {{}, "HOME is not set and the account has no home folder, so no settings are kept"};
}

}  // namespace platform
