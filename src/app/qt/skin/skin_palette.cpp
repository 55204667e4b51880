#include "app/qt/skin/skin_palette.h"

#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <memory>

namespace skin {

QPalette SkinPalette() {
  static const QPalette palette = [] {
    // The light palette every control of the skin was drawn against: Fusion's own, which no
    // desktop theme changes, with the skin's colours where it has its own.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QPalette p = fusion != nullptr ? fusion->standardPalette() : QPalette(kFrameColor);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::ToolTipBase, ToQColor(app::look::kToolTip));
    p.setColor(QPalette::ToolTipText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      p.setColor(QPalette::Disabled, role, kDisabledText);
    }
    return p;
  }();
  return palette;
}

void UseSkinPalette(QWidget& window) {
  window.setPalette(SkinPalette());
}

}  // namespace skin
