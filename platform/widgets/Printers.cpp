#include "Printers.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <cmath>

#include "DisplayText.h"
#include "Exceptions.h"
#include "Fonts.h"
#include "ShiftJis.h"

namespace platform {

namespace {

// Messages are kept as UTF-8 here and handed on in Shift-JIS, like every system text.
[[noreturn]] void Fail(const char* Utf8Message) {
  throw Exception(Utf8ToSjis(Utf8Message));
}

constexpr int kDefaultPoints = 10;

}  // namespace

TFont::TFont(QPrinter& Device) : device_(Device), face_(std::make_unique<QFont>()) {
  SetSize(kDefaultPoints);
  name_ = Utf8ToSjis(face_->family().toStdString());
}

TFont::~TFont() = default;

void TFont::SetName(const std::string& Name) {
  name_ = Name;
  // "ＭＳ明朝" becomes IPAMincho: also Mincho and of fixed pitch.
  face_->setFamily(SubstituteFontFamily(Name));
}

void TFont::SetSize(int Points) {
  size_ = Points;
  // The character height in device pixels, as the platform rounds it: points * dpi / 72.
  const int pixels = static_cast<int>(std::lround(Points * device_.logicalDpiY() / 72.0));
  face_->setPixelSize(pixels > 0 ? pixels : 1);
}

int TFont::Height() const {
  return -face_->pixelSize();
}

TCanvas::TCanvas(QPrinter& Device, QPainter& Painter)
    : font_(std::make_unique<TFont>(Device)), device_(Device), painter_(Painter) {}

TCanvas::~TCanvas() = default;

int TCanvas::TextWidth(const std::string& Text) const {
  return QFontMetrics(font_->Face(), &device_).horizontalAdvance(FromSjis(Text));
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (!painter_.isActive()) Fail(u8"プリンタは印刷中ではありません");
  painter_.setFont(font_->Face());
  // Qt places text on its baseline; the platform places its top left corner.
  painter_.drawText(QPoint(X, Y + painter_.fontMetrics().ascent()), FromSjis(Text));
}

TPrinter::TPrinter()
    : device_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      painter_(std::make_unique<QPainter>()),
      canvas_(std::make_unique<TCanvas>(*device_, *painter_)) {
  device_->setResolution(600);
}

TPrinter::~TPrinter() {
  if (painter_->isActive()) painter_->end();
}

void TPrinter::BeginDoc() {
  if (painter_->isActive()) Fail(u8"プリンタは印刷中です");
  if (!painter_->begin(device_.get())) Fail(u8"プリンタで印刷を始められませんでした");
}

void TPrinter::NewPage() {
  if (!painter_->isActive()) Fail(u8"プリンタは印刷中ではありません");
  if (!device_->newPage()) Fail(u8"プリンタで新しいページを始められませんでした");
}

void TPrinter::EndDoc() {
  if (!painter_->isActive()) Fail(u8"プリンタは印刷中ではありません");
  if (!painter_->end()) Fail(u8"プリンタで印刷を終えられませんでした");
}

void TPrinter::Abort() {
  if (!painter_->isActive()) return;
  device_->abort();
  painter_->end();
}

bool TPrinter::Printing() const {
  return painter_->isActive();
}

int TPrinter::PageWidth() const {
  return device_->width();
}

int TPrinter::PageHeight() const {
  return device_->height();
}

TPrinter* Printer() {
  static TPrinter printer;
  return &printer;
}

}  // namespace platform
