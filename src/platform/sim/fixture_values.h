// Readers of single fixture values: integers written as numbers or as decimal or 0x text,
// byte strings, MM:SS:FF times. Each names the value's place when it refuses it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/sim/machine_model.h"

namespace sim::fixture {

using nlohmann::json;

// Throws FixtureError("where: what").
[[noreturn]] void Fail(const std::string& where, const std::string& what);

int64_t Integer(const json& value, const std::string& where);
int64_t Ranged(const json& value, const std::string& where, int64_t low, int64_t high);

// Plain text as its ASCII bytes, or "hex:" followed by hexadecimal pairs.
std::vector<uint8_t> Bytes(const json& value, const std::string& where);

// At most N bytes, zero-filled after them.
template <size_t N>
std::array<uint8_t, N> FixedBytes(const json& value, const std::string& where) {
  const std::vector<uint8_t> bytes = Bytes(value, where);
  if (bytes.size() > N) Fail(where, "longer than " + std::to_string(N) + " bytes");
  std::array<uint8_t, N> out{};
  std::copy(bytes.begin(), bytes.end(), out.begin());
  return out;
}

Msf MsfTime(const json& value, const std::string& where);

// Answers keyed by opcode ("12", "5A2A"), upper-cased, each hexadecimal bytes with or
// without the "hex:" prefix.
std::map<std::string, std::vector<uint8_t>> RawAnswers(const json& value, const std::string& where);

// "where[i]", the place of an element of a list.
std::string Element(const std::string& where, size_t i);

}  // namespace sim::fixture
