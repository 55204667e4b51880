// "Querying Device ...": shown while the drives are found at start-up.
#pragma once

#include <QWidget>

class QLabel;

namespace skin {
class SkinForm;
}

namespace app {

class TfrmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmSplash(QWidget* owner = nullptr);

  skin::SkinForm* suiForm1;
  QLabel* Label1;
};

}  // namespace app
