// The skinned message box: caption, icon, text and one "OK" button, centred on the screen.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

class QLabel;

namespace skin {

class SkinButton;
class SkinForm;

class SkinMessageBox : public QDialog {
  Q_OBJECT
 public:
  enum class Icon { Information, Warning, Error };

  explicit SkinMessageBox(QWidget* parent = nullptr);

  void SetCaption(const QString& caption);
  QString Caption() const;
  void SetText(const QString& text);
  QString Text() const;
  void SetIcon(Icon icon);
  Icon IconKind() const { return icon_; }

  // Shows the box modally and returns QDialog::Accepted for "OK".
  int Execute();

 private:
  void Layout();

  SkinForm* frame_;
  QLabel* iconLabel_;
  QLabel* textLabel_;
  SkinButton* okButton_;
  QString text_;  // as set; the label shows it with break opportunities added
  Icon icon_ = Icon::Information;
};

// The icon that a message box flag value asks for (MB_ICONERROR and friends).
SkinMessageBox::Icon IconOfFlags(unsigned flags);
// The box's picture for an icon, 32 x 32.
QPixmap MessageIconPicture(SkinMessageBox::Icon icon);

}  // namespace skin
