#include "platform/win32/registry.h"

#include "platform/windows_api.h"

#include <cstring>

#include "platform/files/win32/wide_text.h"

namespace platform::win32 {
namespace {

constexpr const char* kRootName = "HKEY_LOCAL_MACHINE\\";

// The program names its key "SOFTWARE\Quillrate\"; the key is the same without the
// trailing separator, which not every registry implementation takes.
std::wstring KeyName(const std::string& path) {
  std::string name = path;
  while (!name.empty() && name.back() == '\\') name.pop_back();
  return Widen(name);
}

class Win32Key : public RegistryKey {
 public:
  Win32Key(HKEY key, std::string name, std::string& failure)
      : key_(key), name_(std::move(name)), failure_(failure) {}
  ~Win32Key() override { RegCloseKey(key_); }
  Win32Key(const Win32Key&) = delete;
  Win32Key& operator=(const Win32Key&) = delete;

  bool QueryValue(const std::string& name, uint8_t* data, uint32_t& size) override {
    const std::wstring value = Widen(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key_, value.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
      return false;
    }
    std::vector<BYTE> raw(bytes + sizeof(wchar_t));
    if (RegQueryValueExW(key_, value.c_str(), nullptr, &type, raw.data(), &bytes) !=
        ERROR_SUCCESS) {
      return false;
    }
    std::vector<uint8_t> stored;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      std::wstring text(bytes / sizeof(wchar_t), L'\0');
      std::memcpy(text.data(), raw.data(), text.size() * sizeof(wchar_t));
      text.resize(std::wcslen(text.c_str()));
      const std::string utf8 = Narrow(text);
      stored.assign(utf8.begin(), utf8.end());
      stored.push_back(0);
    } else {
      stored.assign(raw.begin(), raw.begin() + bytes);
    }
    const uint32_t capacity = size;
    size = static_cast<uint32_t>(stored.size());
    if (size > capacity) return false;
    std::memcpy(data, stored.data(), size);
    return true;
  }

  bool SetValue(const std::string& name, RegType type, const std::vector<uint8_t>& data) override {
    LSTATUS status = ERROR_SUCCESS;
    if (type == RegType::String) {
      const std::string text(reinterpret_cast<const char*>(data.data()),
                             strnlen(reinterpret_cast<const char*>(data.data()), data.size()));
      const std::wstring wide = Widen(text);
      status = RegSetValueExW(key_, Widen(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(wide.c_str()),
                              static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    } else {
      status = RegSetValueExW(key_, Widen(name).c_str(), 0, static_cast<DWORD>(type), data.data(),
                              static_cast<DWORD>(data.size()));
    }
    if (status == ERROR_SUCCESS) return true;
    failure_ = kRootName + name_ + ": " + name +
               " cannot be written: " + Win32ErrorText(static_cast<DWORD>(status));
    return false;
  }

 private:
  HKEY key_;
  std::string name_;
  std::string& failure_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(const std::string& path, Access access) {
  HKEY key = nullptr;
  const REGSAM rights = access == Access::All ? KEY_ALL_ACCESS : KEY_QUERY_VALUE;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyName(path).c_str(), 0, rights, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32Key>(key, Narrow(KeyName(path)), failure_);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(const std::string& path) {
  HKEY key = nullptr;
  const LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyName(path).c_str(), 0, nullptr, 0,
                                         KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    failure_ = kRootName + Narrow(KeyName(path)) +
               " cannot be created: " + Win32ErrorText(static_cast<DWORD>(status));
    return nullptr;
  }
  return std::make_unique<Win32Key>(key, Narrow(KeyName(path)), failure_);
}

}  // namespace platform::win32
