#pragma once
// Sizes and fonts of the forms. Forms are designed at 120 pixels per inch and scaled to the
// screen; the Windows fonts they name are drawn with IPA fonts.

#include <QFont>
#include <QString>
#include <string>

namespace platform {

constexpr int kDesignDpi = 120;

// Logical pixels per inch of the primary screen (96 when there is no screen).
double ScreenDpi();

// A length in design pixels, scaled to the screen and rounded.
int ScaleDesign(int DesignPixels);

// The family that stands in for a Windows font name (Shift-JIS): "ＭＳ Ｐゴシック" becomes
// IPAPGothic, "Terminal" IPAGothic (fixed pitch), "ＭＳ明朝" IPAMincho. Other names stay.
QString SubstituteFontFamily(const std::string& Name);

// The font of a form or control: Name as the form names it, Height as the form gives it
// (a negative height is the character height in design pixels without internal leading).
QFont DesignFont(const std::string& Name, int Height);

}  // namespace platform
