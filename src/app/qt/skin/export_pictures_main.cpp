// Writes the skin's pictures, as the Qt program draws them, into 32-bit bitmaps (premultiplied
// alpha, the layout that the Windows program blends) for the Win32 program's resources, so
// that both programs show the same pictures:
//   quillrate-skin-pictures FOLDER
#include <QApplication>
#include <QFile>
#include <QImage>
#include <cstdio>

#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_pictures.h"

namespace {

void Put16(QByteArray& out, uint16_t value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>(value >> 8));
}

void Put32(QByteArray& out, uint32_t value) {
  Put16(out, static_cast<uint16_t>(value & 0xFFFF));
  Put16(out, static_cast<uint16_t>(value >> 16));
}

// A bottom-up BI_RGB bitmap of 32 bits per pixel, bytes B, G, R, A with premultiplied colour.
QByteArray Bitmap(const QPixmap& picture) {
  const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const uint32_t pixels = static_cast<uint32_t>(image.width() * image.height() * 4);
  QByteArray out;
  out.append("BM", 2);
  Put32(out, 14 + 40 + pixels);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.width()));
  Put32(out, static_cast<uint32_t>(image.height()));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  Put32(out, pixels);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = image.height() - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      out.append(static_cast<char>(qBlue(row[x])));
      out.append(static_cast<char>(qGreen(row[x])));
      out.append(static_cast<char>(qRed(row[x])));
      out.append(static_cast<char>(qAlpha(row[x])));
    }
  }
  return out;
}

bool Write(const QString& folder, const char* name, const QPixmap& picture) {
  QFile file(folder + "/" + name);
  if (!file.open(QIODevice::WriteOnly) || file.write(Bitmap(picture)) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillrate-skin-pictures FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  using skin::ButtonState;
  using Icon = skin::SkinMessageBox::Icon;
  const bool ok =
      Write(folder, "query_normal.bmp", skin::QueryButtonPicture(ButtonState::Normal)) &&
      Write(folder, "query_hover.bmp", skin::QueryButtonPicture(ButtonState::Hover)) &&
      Write(folder, "query_pressed.bmp", skin::QueryButtonPicture(ButtonState::Pressed)) &&
      Write(folder, "maker_logo.bmp", skin::MakerLogoPicture()) &&
      Write(folder, "oem_logo.bmp", skin::OemLogoPicture()) &&
      Write(folder, "icon_information.bmp", skin::MessageIconPicture(Icon::Information)) &&
      Write(folder, "icon_warning.bmp", skin::MessageIconPicture(Icon::Warning)) &&
      Write(folder, "icon_error.bmp", skin::MessageIconPicture(Icon::Error));
  return ok ? 0 : 1;
}
