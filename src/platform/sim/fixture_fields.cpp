#include "platform/sim/fixture_fields.h"

#include <algorithm>

namespace sim::fixture {

Fields& Fields::Field(std::string name, Reader read) {
  entries_.push_back({std::move(name), std::move(read), false});
  return *this;
}

Fields& Fields::Required(std::string name, Reader read) {
  entries_.push_back({std::move(name), std::move(read), true});
  return *this;
}

Fields& Fields::Ignored(std::string name) {
  entries_.push_back({std::move(name), nullptr, false});
  return *this;
}

Fields& Fields::Duration(std::string name, uint64_t& targetNs, uint64_t unitNs) {
  return Field(std::move(name), [&targetNs, unitNs](const json& value, const std::string& at) {
    targetNs = static_cast<uint64_t>(Ranged(value, at, 0, 1LL << 40)) * unitNs;
  });
}

Fields& Fields::Flag(std::string name, bool& target) {
  return Field(std::move(name),
               [&target](const json& value, const std::string&) { target = value.get<bool>(); });
}

Fields& Fields::Text(std::string name, std::string& target) {
  return Field(std::move(name), [&target](const json& value, const std::string&) {
    target = value.get<std::string>();
  });
}

void Fields::Read(const json& object, const std::string& where) const {
  Read(object, where, where + ".");
}

void Fields::ReadOutermost(const json& object, const std::string& where) const {
  Read(object, where, "");
}

void Fields::Read(const json& object, const std::string& where, const std::string& prefix) const {
  if (!object.is_object()) Fail(where, "expected an object");
  for (const auto& item : object.items()) {
    const bool named = std::any_of(entries_.begin(), entries_.end(),
                                   [&](const Entry& entry) { return entry.name == item.key(); });
    if (!named) Fail(where, "unknown field \"" + item.key() + "\"");
  }
  for (const Entry& entry : entries_) {
    if (!entry.read) continue;
    const auto found = object.find(entry.name);
    if (found != object.end()) {
      try {
        entry.read(*found, prefix + entry.name);
      } catch (const json::type_error& e) {
        // "[json.exception.type_error.302] type must be string, but is number": the field
        // is named, the library's code is not.
        const std::string what = e.what();
        const size_t start = what.find("] ");
        Fail(prefix + entry.name, start == std::string::npos ? what : what.substr(start + 2));
      }
    } else if (entry.required) {
      entry.read(json(json::value_t::discarded), prefix + entry.name);
    }
  }
}

std::string Fields::Alternatives(const std::vector<std::string>& words) {
  std::string text;
  for (size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? " or " : ", ";
    text += words[i];
  }
  return text;
}

}  // namespace sim::fixture
