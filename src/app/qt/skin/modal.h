// Every modal window and popup menu of the program opens through here. A test sets an
// answer hook that is called in place of the window's own modal loop, with the window, and
// answers it as a user would: deterministic, with no timer polling for the active window.
#pragma once

#include <QPoint>
#include <functional>

class QAction;
class QDialog;
class QMenu;

namespace app {

// Answers a modal window instead of its modal loop; returns the window's result.
using ModalAnswer = std::function<int(QDialog& window)>;
// Picks an entry of a popup menu instead of the user; null for none.
using MenuAnswer = std::function<QAction*(QMenu& menu)>;

// Sets (or, with an empty function, clears) the hooks; for tests and the screenshot tool.
void SetModalAnswer(ModalAnswer answer);
void SetMenuAnswer(MenuAnswer answer);

// Shows `window` modally and returns its result.
int RunModal(QDialog& window);
// Shows `menu` at `position` (global coordinates) and returns the chosen entry.
QAction* RunMenu(QMenu& menu, const QPoint& position);

}  // namespace app
