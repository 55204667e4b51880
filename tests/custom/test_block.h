// Blocks and rows built in memory for the tests.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>

#include "custom/customization_block.h"
#include "text/fixed_text.h"

namespace custom_test {

// A block with every byte zero.
inline std::unique_ptr<custom::CustomizationBlock> EmptyBlock() {
  return std::make_unique<custom::CustomizationBlock>();
}

inline custom::CdMediaEntry CdRow(std::string_view leadIn, std::string_view leadOut,
                                  std::string_view text) {
  custom::CdMediaEntry row{};
  std::memcpy(row.LeadInKey.data(), leadIn.data(), std::min(leadIn.size(), size_t{6}));
  std::memcpy(row.LeadOutKey.data(), leadOut.data(), std::min(leadOut.size(), size_t{6}));
  text::SetText(row.DisplayText, text);
  return row;
}

inline custom::DvdMediaEntry DvdRow(std::string_view key, std::string_view text) {
  custom::DvdMediaEntry row{};
  std::memcpy(row.MediaIdKey.data(), key.data(), std::min(key.size(), size_t{12}));
  text::SetText(row.DisplayText, text);
  return row;
}

inline custom::DvdKey DvdKeyOf(std::string_view text) {
  custom::DvdKey key{};
  std::memcpy(key.data(), text.data(), std::min(text.size(), key.size()));
  return key;
}

}  // namespace custom_test
