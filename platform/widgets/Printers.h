#pragma once
// The printer, its canvas and the canvas font over Qt Print Support. Texts are Shift-JIS;
// distances are the printer's device units from the top left of the printable area.

#include <memory>
#include <string>

class QPainter;
class QPrinter;
class QFont;

namespace platform {

class TFont {
 public:
  explicit TFont(QPrinter& Device);
  ~TFont();
  // The face name; "ＭＳ明朝" is drawn with IPAMincho, other names by their own face.
  std::string Name() const { return name_; }
  void SetName(const std::string& Name);
  // Size in points.
  int Size() const { return size_; }
  void SetSize(int Points);
  // The negative character height in device units (12 points at 600 dpi give -100).
  int Height() const;

  const QFont& Face() const { return *face_; }

 private:
  QPrinter& device_;
  std::unique_ptr<QFont> face_;
  std::string name_;
  int size_;
};

class TCanvas {
 public:
  TCanvas(QPrinter& Device, QPainter& Painter);
  ~TCanvas();
  TFont* Font() { return font_.get(); }
  // Width of Text in the current font, in device units.
  int TextWidth(const std::string& Text) const;
  // Draws Text with its top left corner at (X, Y); expands nothing.
  void TextOut(int X, int Y, const std::string& Text);

 private:
  std::unique_ptr<TFont> font_;
  QPrinter& device_;
  QPainter& painter_;
};

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  // Starts a document and its first page. Raises Exception when the printer refuses.
  void BeginDoc();
  // Ends the current page and starts the next one.
  void NewPage();
  // Ends the last page and the document, which then goes to the printer.
  void EndDoc();
  // Abandons a started document; does nothing when none is open.
  void Abort();
  bool Printing() const;
  // Size of the printable area in device units.
  int PageWidth() const;
  int PageHeight() const;

  TCanvas* Canvas() { return canvas_.get(); }

  // The Qt printer behind this one: the print dialog configures it.
  QPrinter& Device() { return *device_; }

 private:
  std::unique_ptr<QPrinter> device_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<TCanvas> canvas_;
};

// The application's one printer, made on first use.
TPrinter* Printer();

}  // namespace platform
