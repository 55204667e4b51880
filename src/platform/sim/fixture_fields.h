// The fields of one JSON object of a fixture, each named once: its name, where its value
// goes and how the value is read. Reading an object first refuses any field that was not
// named, then reads the named fields it has in the order they were named. A field the
// object leaves out leaves its target as it was, so the model's own defaults stand.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/fixture_values.h"

namespace sim::fixture {

// Most elements a list may have, and what they are called when it has more.
struct ListLimit {
  size_t most = SIZE_MAX;
  const char* what = "";
};

class Fields {
 public:
  // Reads a value found at `where` ("drives[0].disc.type").
  using Reader = std::function<void(const json& value, const std::string& where)>;

  Fields& Field(std::string name, Reader read);
  // Read even when the object leaves it out: then `read` is given a value that is_discarded(),
  // which no fixture text can hold.
  Fields& Required(std::string name, Reader read);
  // Allowed and not read, such as a comment.
  Fields& Ignored(std::string name);

  template <typename T>
  Fields& Number(std::string name, T& target, int64_t low, int64_t high) {
    return Field(std::move(name), [&target, low, high](const json& value, const std::string& at) {
      target = static_cast<T>(Ranged(value, at, low, high));
    });
  }
  template <typename T>
  Fields& Number(std::string name, std::optional<T>& target, int64_t low, int64_t high) {
    return Field(std::move(name), [&target, low, high](const json& value, const std::string& at) {
      target = static_cast<T>(Ranged(value, at, low, high));
    });
  }
  // A whole number of `unitNs` nanoseconds, up to 2^40 of them.
  Fields& Duration(std::string name, uint64_t& targetNs, uint64_t unitNs);
  Fields& Flag(std::string name, bool& target);
  Fields& Text(std::string name, std::string& target);
  template <size_t N>
  Fields& Bytes(std::string name, std::array<uint8_t, N>& target) {
    return Field(std::move(name), [&target](const json& value, const std::string& at) {
      target = FixedBytes<N>(value, at);
    });
  }
  // Into an Msf or an optional one.
  template <typename T>
  Fields& Time(std::string name, T& target) {
    return Field(std::move(name), [&target](const json& value, const std::string& at) {
      target = MsfTime(value, at);
    });
  }
  // One of a few words; any other is refused with "expected a, b or c".
  template <typename T>
  Fields& Choice(std::string name, T& target, std::vector<std::pair<std::string, T>> choices) {
    return Field(std::move(name),
                 [&target, choices = std::move(choices)](const json& value, const std::string& at) {
                   const std::string word = value.get<std::string>();
                   for (const auto& [choice, meaning] : choices) {
                     if (choice == word) {
                       target = meaning;
                       return;
                     }
                   }
                   std::vector<std::string> words;
                   for (const auto& choice : choices) words.push_back(choice.first);
                   Fail(at, "expected " + Alternatives(words));
                 });
  }
  // An array, each element read by `readOne(element, "name[i]")`, which returns it.
  template <typename T, typename ReadOne>
  Fields& List(std::string name, std::vector<T>& target, ReadOne readOne, ListLimit limit = {}) {
    return Field(std::move(name),
                 [&target, readOne, limit](const json& value, const std::string& at) {
                   if (!value.is_array()) Fail(at, "expected an array");
                   if (value.size() > limit.most) {
                     Fail(at, "at most " + std::to_string(limit.most) + " " + limit.what);
                   }
                   for (size_t i = 0; i < value.size(); ++i)
                     target.push_back(readOne(value[i], Element(at, i)));
                 });
  }

  void Read(const json& object, const std::string& where) const;
  // The same, for the outermost object: its own place is `where`, its fields' places have
  // no prefix ("drives", not "machine.drives").
  void ReadOutermost(const json& object, const std::string& where) const;

  // "a", "a or b", "a, b or c".
  static std::string Alternatives(const std::vector<std::string>& words);

 private:
  struct Entry {
    std::string name;
    Reader read;  // empty: ignored
    bool required = false;
  };
  void Read(const json& object, const std::string& where, const std::string& prefix) const;

  std::vector<Entry> entries_;
};

}  // namespace sim::fixture
