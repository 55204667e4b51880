#include "platform/sim/fixture_values.h"

#include <cctype>
#include <cstdio>

#include "platform/sim/fixture_loader.h"

namespace sim::fixture {

void Fail(const std::string& where, const std::string& what) {
  throw FixtureError(where + ": " + what);
}

int64_t Integer(const json& value, const std::string& where) {
  if (value.is_number_integer()) return value.get<int64_t>();
  if (value.is_string()) {
    const std::string text = value.get<std::string>();
    try {
      size_t used = 0;
      const int64_t parsed = std::stoll(text, &used, 0);
      if (used == text.size()) return parsed;
    } catch (const std::exception&) {
    }
  }
  Fail(where, "expected an integer (decimal or 0x hexadecimal)");
}

int64_t Ranged(const json& value, const std::string& where, int64_t low, int64_t high) {
  const int64_t n = Integer(value, where);
  if (n < low || n > high) {
    Fail(where, "value " + std::to_string(n) + " outside " + std::to_string(low) + ".." +
                    std::to_string(high));
  }
  return n;
}

// A byte string: plain text as its ASCII bytes, or "hex:" followed by hexadecimal pairs.
std::vector<uint8_t> Bytes(const json& value, const std::string& where) {
  if (!value.is_string()) Fail(where, "expected a text or \"hex:...\" string");
  const std::string text = value.get<std::string>();
  if (text.rfind("hex:", 0) != 0) return {text.begin(), text.end()};
  std::vector<uint8_t> bytes;
  std::string digits;
  for (char c : text.substr(4)) {
    if (c == ' ') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) Fail(where, "bad hexadecimal digit");
    digits += c;
  }
  if (digits.size() % 2 != 0) Fail(where, "odd number of hexadecimal digits");
  for (size_t i = 0; i < digits.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

Msf MsfTime(const json& value, const std::string& where) {
  if (!value.is_string()) Fail(where, "expected a time MM:SS:FF");
  const std::string text = value.get<std::string>();
  unsigned m = 0, s = 0, f = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u:%u:%u%c", &m, &s, &f, &tail) != 3 || m > 255 || s > 255 ||
      f > 255) {
    Fail(where, "expected a time MM:SS:FF with each part 0..255");
  }
  return {static_cast<uint8_t>(m), static_cast<uint8_t>(s), static_cast<uint8_t>(f)};
}

std::map<std::string, std::vector<uint8_t>> RawAnswers(const json& value,
                                                       const std::string& where) {
  if (!value.is_object()) Fail(where, "expected an object of opcode keys");
  std::map<std::string, std::vector<uint8_t>> raw;
  for (const auto& item : value.items()) {
    std::string key = item.key();
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string at = where + "." + item.key();
    if (!item.value().is_string()) Fail(at, "expected hexadecimal bytes");
    std::string bytes = item.value().get<std::string>();
    if (bytes.rfind("hex:", 0) != 0) bytes = "hex:" + bytes;
    raw[key] = Bytes(json(bytes), at);
  }
  return raw;
}

std::string Element(const std::string& where, size_t i) {
  return where + "[" + std::to_string(i) + "]";
}

}  // namespace sim::fixture
