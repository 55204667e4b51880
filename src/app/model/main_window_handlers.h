// The main window's event handlers that hand their event to the model as it is, under the
// handlers' own names. The Qt and the Win32 window both inherit them and connect their
// controls to them; a handler that reads a control (the drive list) stays with its window.
#pragma once

#include "app/model/main_window_model.h"

namespace app::model {

// `Window` gives its model with Model().
template <typename Window>
class MainWindowHandlers {
 public:
  void cmdRefreshClick() { Handled().cmdRefreshClick(); }
  void cmdCancelQueryClick() { Handled().CancelQuery(); }
  void btnSetQRAbilityClick() { Handled().PressFeature(0); }
  void btnSetTWAbilityClick() { Handled().PressFeature(1); }
  void btnSetPLAbilityClick() { Handled().PressFeature(2); }
  void cmdShowQRClick() { Handled().cmdShowQRClick(); }
  void cmdAddUserFileClick() { Handled().cmdAddUserFileClick(); }

 protected:
  MainWindowHandlers() = default;
  ~MainWindowHandlers() = default;

 private:
  MainWindowModel& Handled() { return static_cast<Window&>(*this).Model(); }
};

}  // namespace app::model
