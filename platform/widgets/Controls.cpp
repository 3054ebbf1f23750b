#include "Controls.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "Dispatch.h"
#include "DisplayText.h"
#include "Fonts.h"

namespace platform {

void ContainerWidget::resizeEvent(QResizeEvent* Event) {
  QFrame::resizeEvent(Event);
  if (OnResize) OnResize();
}

void ContainerWidget::closeEvent(QCloseEvent* Event) {
  if (OnClose) {
    OnClose(Event);
  } else {
    QFrame::closeEvent(Event);
  }
}

TControl::TControl(TWinControl* Parent, QWidget* Widget) : parent_(Parent), widget_(Widget) {
  if (parent_ != nullptr) {
    widget_->setParent(parent_->Widget());
    parent_->children_.push_back(this);
  }
}

// The widget belongs to Qt's tree of its form, which deletes it.
TControl::~TControl() {
  if (parent_ != nullptr) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TControl::SetBounds(int Left, int Top, int Width, int Height) {
  left_ = Left;
  top_ = Top;
  width_ = Width;
  height_ = Height;
  if (align_ == alNone || parent_ == nullptr) {
    ApplyBounds();
  } else {
    parent_->AlignControls();
  }
}

void TControl::SetAlign(TAlign Align) {
  align_ = Align;
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::ApplyBounds() {
  widget_->setGeometry(ScaleDesign(left_), ScaleDesign(top_), ScaleDesign(width_),
                       ScaleDesign(height_));
}

TWinControl::TWinControl(TWinControl* Parent, ContainerWidget* Widget) : TControl(Parent, Widget) {
  Widget->OnResize = [this] { AlignControls(); };
}

void TWinControl::ApplyBounds() {
  TControl::ApplyBounds();
  // A hidden widget gets its resize event only when shown; align now all the same.
  AlignControls();
}

void TWinControl::AlignControls() {
  QRect rest = Widget()->contentsRect();
  for (TControl* child : children_) {
    if (child->align_ != alTop) continue;
    const int height = ScaleDesign(child->height_);
    child->widget_->setGeometry(rest.left(), rest.top(), rest.width(), height);
    rest.setTop(rest.top() + height);
  }
  for (TControl* child : children_) {
    if (child->align_ == alClient) child->widget_->setGeometry(rest);
  }
}

TPanel::TPanel(TWinControl* Parent) : TWinControl(Parent, new ContainerWidget(nullptr)) {
  auto* frame = static_cast<QFrame*>(Widget());
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(1);
}

TButton::TButton(TWinControl* Parent)
    : TControl(Parent, new QPushButton), button_(static_cast<QPushButton*>(Widget())) {
  // Outside a dialog Qt has no default button; auto-default only makes Enter press the
  // button that has the focus, as Space does.
  button_->setAutoDefault(true);
  QObject::connect(button_, &QPushButton::clicked, button_,
                   [this] { DispatchEvent(OnClick, this); });
}

void TButton::SetCaption(const std::string& Caption) {
  caption_ = Caption;
  button_->setText(FromSjis(Caption));
}

void TButton::Click() {
  button_->click();
}

TLabel::TLabel(TWinControl* Parent)
    : TControl(Parent, new QLabel), label_(static_cast<QLabel*>(Widget())) {
  // A file name must never be taken for markup.
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(false);
}

void TLabel::SetCaption(const std::string& Caption) {
  caption_ = Caption;
  ShowText(FromSjis(Caption));
}

void TLabel::SetCaptionFromPath(const std::string& Path) {
  caption_ = Path;
  ShowText(NativePathOnOneRow(Path));
}

void TLabel::ShowText(const QString& Text) {
  label_->setText(Text);
  label_->adjustSize();
}

}  // namespace platform
