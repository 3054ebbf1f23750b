#include "Fonts.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cstdlib>

#include "ShiftJis.h"

namespace platform {

double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

int ScaleDesign(int DesignPixels) {
  return static_cast<int>(std::lround(DesignPixels * ScreenDpi() / kDesignDpi));
}

QString SubstituteFontFamily(const std::string& Name) {
  if (Name == "ＭＳ Ｐゴシック") return QStringLiteral("IPAPGothic");
  if (Name == "Terminal") return QStringLiteral("IPAGothic");
  if (Name == "ＭＳ明朝") return QStringLiteral("IPAMincho");
  return QString::fromStdString(SjisToUtf8(Name));
}

QFont DesignFont(const std::string& Name, int Height) {
  QFont font(SubstituteFontFamily(Name));
  if (Name == "Terminal") {
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
  }
  // Qt's pixel size is the em height, which is what a negative height gives.
  font.setPixelSize(std::max(1, ScaleDesign(std::abs(Height))));
  return font;
}

}  // namespace platform
