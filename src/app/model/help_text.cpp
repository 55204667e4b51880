#include "app/model/help_text.h"

namespace app::model {
namespace {

// Short lines: the box is about 60 characters of its font wide.
constexpr const char* kControls =
    "Step 1     The drive list: the writer to ask.\n"
    "Step 2     The \"?\" button (F5) asks the drive about the\n"
    "           disc and writes the report. While it waits\n"
    "           for the drive, Cancel (Esc) stops it; the\n"
    "           drive is sent nothing more.\n"
    "Step 3     The pages (Ctrl+Tab): Information holds the\n"
    "           report; Quillrate and Trimwave show and\n"
    "           switch the drive's three vendor features.\n"
    "QUILL-RATE This edition's version, drive models and\n"
    "           remarks.\n"
    "Report     Ctrl+S or a right-click on the report: copy\n"
    "           it, save it as text (.txt) or as JSON (.json).\n"
    "Details    Ctrl+D or the report's menu: the disc's\n"
    "           status, free space and write speeds.\n"
    "New disc   A disc that becomes ready in the chosen drive\n"
    "           is asked about by itself; the report's menu\n"
    "           turns that off. Plugged drives join the list.\n"
    "Keys       Tab moves between the controls, Space\n"
    "           presses a button, Alt+Space opens the window\n"
    "           menu, Alt+F4 closes, F1 shows this help.\n"
    "\n";

#ifdef _WIN32
constexpr const char* kWhereToLook =
    "The terminal companion quillrate-cli.exe, beside this\n"
    "program, prints the same report (quillrate-cli report)\n"
    "and every command and option with --help. Manual.txt,\n"
    "installed beside the programs, is the manual.\n";
#else
constexpr const char* kWhereToLook =
    "The manual: man quillrate. The terminal companion\n"
    "quillrate-cli prints the same report (quillrate-cli\n"
    "report), as JSON too; man quillrate-cli or\n"
    "quillrate-cli --help lists its commands and options.\n";
#endif

}  // namespace

std::string HelpText() {
  return std::string(kControls) + kWhereToLook;
}

}  // namespace app::model
