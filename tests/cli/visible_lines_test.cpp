// The terminal companion's message stream: each line shown visibly, nothing lost or reordered
// when a line is flushed early or the stream ends without a line feed.
#include "cli/visible_lines.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(VisibleLines, LinesAreShownVisiblyAndNothingIsLost) {
  const struct {
    const char* what;
    void (*write)(std::ostream&);
    std::string shown;
  } cases[] = {
      {"plain lines", [](std::ostream& s) { s << "one\ntwo\n"; }, "one\ntwo\n"},
      {"controls in a line", [](std::ostream& s) { s << "a\x1b]0;t\x07z\n"; },
       "a\u241b]0;t\u2407z\n"},
      {"a carriage return cannot take a line back", [](std::ostream& s) { s << "ok\rforged\n"; },
       "ok\u240dforged\n"},
      {"a line without its line feed", [](std::ostream& s) { s << "end\x1b"; }, "end\u241b"},
      {"a flush in the middle of a line", [](std::ostream& s) { s << "ab" << std::flush << "c\n"; },
       "abc\n"},
      {"UTF-8 and Windows-1252 lines",
       [](std::ostream& s) { s << "d\xC3\xA9j\xC3\xA0\n\xE9t\xE9\n"; },
       "d\xC3\xA9j\xC3\xA0\n\xC3\xA9t\xC3\xA9\n"},
  };
  for (const auto& c : cases) {
    std::ostringstream target;
    {
      cli::VisibleLines lines(target);
      c.write(lines);
      EXPECT_TRUE(lines.good()) << c.what;
    }
    EXPECT_EQ(target.str(), c.shown) << c.what;
  }
}

}  // namespace
