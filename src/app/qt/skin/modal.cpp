#include "app/qt/skin/modal.h"

#include <QDialog>
#include <QMenu>

#include "app/qt/skin/skin_palette.h"

namespace app {
namespace {

ModalAnswer& Answer() {
  static ModalAnswer answer;
  return answer;
}

MenuAnswer& MenuPick() {
  static MenuAnswer pick;
  return pick;
}

}  // namespace

void SetModalAnswer(ModalAnswer answer) {
  Answer() = std::move(answer);
}

void SetMenuAnswer(MenuAnswer answer) {
  MenuPick() = std::move(answer);
}

int RunModal(QDialog& window) {
  if (Answer()) {
    // The window is set up as it would be shown, then answered.
    window.setModal(true);
    return Answer()(window);
  }
  return window.exec();
}

QAction* RunMenu(QMenu& menu, const QPoint& position) {
  // A popup is a window of its own: it takes no colours from the window it opens over.
  skin::UseSkinPalette(menu);
  if (MenuPick()) return MenuPick()(menu);
  return menu.exec(position);
}

}  // namespace app
