#include "platform/linux/settings_file.h"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "platform/files/atomic_file.h"
#include "platform/files/file_kind.h"
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
  std::istringstream in(std::string(contents.bytes.begin(), contents.bytes.end()));
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
  if (const int error = MakeParent(path); error != 0) {
    failure = path + ": its folder cannot be made: " + std::strerror(error);
    return false;
  }
  const std::string bytes = text.str();
  const AtomicWriteResult written = WriteFileAtomically(
      path, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, kSettingsMode);
  if (!written.ok()) failure = path + ": " + written.reason;
  return written.ok();
}

// A file that is there but cannot be read is never replaced: its values would be lost.
bool Unreadable(const std::string& path, const Loaded& loaded, std::string& failure) {
  if (loaded.problem.empty()) return false;
  failure = path + ": " + loaded.problem + " (left as it was)";
  return true;
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
    Loaded loaded = Load(file_);
    if (Unreadable(file_, loaded, failure_)) return false;
    loaded.keys[key_][Fold(name)] = {type, data};
    return Save(file_, loaded.keys, failure_);
  }

 private:
  std::string file_;
  std::string key_;
  bool writable_;
  std::string& failure_;
};

}  // namespace

std::unique_ptr<RegistryKey> SettingsFile::OpenKey(const std::string& path, Access access) {
  const Keys keys = Load(path_).keys;
  if (keys.count(Fold(path)) == 0) return nullptr;
  return std::make_unique<FileKey>(path_, Fold(path), access == Access::All, failure_);
}

std::unique_ptr<RegistryKey> SettingsFile::CreateKey(const std::string& path) {
  Loaded loaded = Load(path_);
  if (Unreadable(path_, loaded, failure_)) return nullptr;
  if (loaded.keys.count(Fold(path)) == 0) {
    loaded.keys[Fold(path)];
    if (!Save(path_, loaded.keys, failure_)) return nullptr;
  }
  return std::make_unique<FileKey>(path_, Fold(path), true, failure_);
}

std::string SettingsFile::DefaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/quillrate/settings.ini";
}

}  // namespace platform
