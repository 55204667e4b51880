// Running a piece of formatting in the "C" locale on this thread only, whatever locale the
// program or its user chose.
#pragma once

#include <functional>
#include <string>

namespace text {

std::string InCLocale(const std::function<std::string()>& format);

}  // namespace text
