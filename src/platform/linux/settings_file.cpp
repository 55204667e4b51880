#include "platform/linux/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace platform {
namespace {

struct StoredValue {
  RegType type = RegType::String;
  std::vector<uint8_t> data;
};
using Keys = std::map<std::string, std::map<std::string, StoredValue>>;

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

// Reads what can be read; lines that make no sense are skipped.
Keys Load(const std::string& path) {
  Keys keys;
  std::ifstream in(path, std::ios::binary);
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
  return keys;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool MakeParent(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return true;
  const std::string dir = path.substr(0, slash);
  struct stat info {};
  if (::stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  if (!MakeParent(dir)) return false;
  return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

// Replaces the file in one step: a crash leaves the old file or the new one, never half.
bool Save(const std::string& path, const Keys& keys) {
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
  if (!MakeParent(path)) return false;
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, text.str()) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

class FileKey : public RegistryKey {
 public:
  FileKey(std::string file, std::string key, bool writable)
      : file_(std::move(file)), key_(std::move(key)), writable_(writable) {}

  bool QueryValue(const std::string& name, uint8_t* data, uint32_t& size) override {
    const Keys keys = Load(file_);
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
    if (!writable_) return false;
    Keys keys = Load(file_);
    keys[key_][Fold(name)] = {type, data};
    return Save(file_, keys);
  }

 private:
  std::string file_;
  std::string key_;
  bool writable_;
};

}  // namespace

std::unique_ptr<RegistryKey> SettingsFile::OpenKey(const std::string& path, Access access) {
  const Keys keys = Load(path_);
  if (keys.count(Fold(path)) == 0) return nullptr;
  return std::make_unique<FileKey>(path_, Fold(path), access == Access::All);
}

std::unique_ptr<RegistryKey> SettingsFile::CreateKey(const std::string& path) {
  Keys keys = Load(path_);
  if (keys.count(Fold(path)) == 0) {
    keys[Fold(path)];
    if (!Save(path_, keys)) return nullptr;
  }
  return std::make_unique<FileKey>(path_, Fold(path), true);
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
