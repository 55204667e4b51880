// How every command prints its JSON document: indented by two, controls escaped, one line
// feed after it.
#pragma once

#include <ostream>

#include <nlohmann/json.hpp>

#include "text/text_encoding.h"

namespace cli {

inline void PrintJson(std::ostream& out, const nlohmann::ordered_json& document) {
  out << text::EscapeJsonControls(document.dump(2)) << '\n';
}

}  // namespace cli
