// The program entry of the window program, callable from tests.
#pragma once

#include <QStringList>

#include "app/model/program_services.h"

class QApplication;

namespace app {

// Parses the command line (`--simulate[=PATH]`, as quillrate-cli takes it), creates the
// windows in their order and runs the event loop. Returns the process's exit status.
int RunQuillrate(QApplication& application, const QStringList& arguments,
                 const model::ProgramServices& services);

}  // namespace app
