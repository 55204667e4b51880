// What the builder window's model asks of a view: the file field's text, the Build button's
// state, the folder chooser and the message box. The Qt builder and the Win32 builder
// implement it; neither decides anything itself.
#pragma once

#include <string>

#include "app/model/main_window_view.h"

namespace app::model {

class BuilderView {
 public:
  virtual ~BuilderView() = default;
  // The file field's text, as bytes of a path on this system.
  virtual std::string FileFieldText() = 0;
  virtual void EnableBuild(bool enabled) = 0;
  // Asks the user for the edition's folder; empty when the user cancels.
  virtual std::string ChooseOutputFolder() = 0;
  // Shows the build's message modally; returns once it has been closed.
  virtual void ShowMessage(const WindowMessage& message) = 0;
};

}  // namespace app::model
