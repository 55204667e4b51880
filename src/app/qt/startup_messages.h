// Message boxes of the start-up: the device layer's own messages (through the platform's
// message sink) and the main window's errors. They are modal, centred on the screen, and
// never hide behind the always-on-top splash window.
#pragma once

#include <QString>
#include <string>

#include "platform/system.h"

namespace app {

// Shows a message box on the window thread (blocking the calling thread until it closes,
// when called from another thread).
void ShowStartupMessage(const QString& text, const QString& caption, unsigned flags);

// The device layer's messages as message boxes.
class QtMessageSink : public platform::MessageSink {
 public:
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t flags) override;
};

// Program text (8-bit bytes) as the windows show it, line feeds kept.
QString DisplayText(const std::string& text);

}  // namespace app
