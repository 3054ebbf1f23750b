#pragma once
// Controls over Qt widgets. Bounds are design pixels at 120 pixels per inch; the widgets
// get them scaled to the screen. Captions are Shift-JIS.

#include <QFrame>
#include <functional>
#include <string>
#include <vector>

#include "Events.h"

class QLabel;
class QPushButton;

namespace platform {

class TWinControl;

enum TAlign { alNone, alTop, alClient };

// The widget of a form or panel: reports resizing and closing to its control.
class ContainerWidget : public QFrame {
 public:
  explicit ContainerWidget(QWidget* Parent) : QFrame(Parent) {}
  std::function<void()> OnResize;
  std::function<void(QCloseEvent*)> OnClose;

 protected:
  void resizeEvent(QResizeEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
};

class TControl : public TObject {
 public:
  ~TControl() override;
  QWidget* Widget() const { return widget_; }
  TWinControl* Parent() const { return parent_; }

  void SetBounds(int Left, int Top, int Width, int Height);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // alTop: at the top of the parent, full width, fixed height; alClient: the rest.
  void SetAlign(TAlign Align);
  TAlign Align() const { return align_; }

 protected:
  // The control takes Widget into Parent's widget; Qt owns the widget from then on.
  TControl(TWinControl* Parent, QWidget* Widget);
  virtual void ApplyBounds();

 private:
  friend class TWinControl;
  TWinControl* parent_;
  QWidget* widget_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
};

// A control that holds others and aligns them.
class TWinControl : public TControl {
 public:
  // Places the aligned children: alTop ones in order from the top, then the alClient one
  // in what is left. Controls without alignment keep their own bounds.
  void AlignControls();

 protected:
  TWinControl(TWinControl* Parent, ContainerWidget* Widget);
  void ApplyBounds() override;

 private:
  friend class TControl;
  std::vector<TControl*> children_;
};

class TPanel : public TWinControl {
 public:
  explicit TPanel(TWinControl* Parent);
};

class TButton : public TControl {
 public:
  explicit TButton(TWinControl* Parent);
  void SetCaption(const std::string& Caption);
  std::string Caption() const { return caption_; }
  // Presses the button as the user would.
  void Click();
  TNotifyEvent OnClick;

 private:
  QPushButton* button_;
  std::string caption_;
};

// A one-line label whose width follows its text.
class TLabel : public TControl {
 public:
  explicit TLabel(TWinControl* Parent);
  void SetCaption(const std::string& Caption);
  // Shows a native file path on one row, decoded for display only: control characters
  // such as a line feed in a name show as U+FFFD.
  void SetCaptionFromPath(const std::string& Path);
  // The bytes last set, Shift-JIS or a native path.
  std::string Caption() const { return caption_; }
  QLabel* Label() const { return label_; }

 private:
  void ShowText(const QString& Text);
  QLabel* label_;
  std::string caption_;
};

}  // namespace platform
