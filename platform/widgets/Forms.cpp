#include "Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>

#include "Dispatch.h"
#include "DisplayCheck.h"
#include "DisplayText.h"
#include "Fonts.h"
#include "ShiftJis.h"

namespace platform {

TApplication* Application = nullptr;

namespace {

// The font the forms are designed with; message boxes use it too.
const char kFormFontName[] = "ＭＳ Ｐゴシック";
constexpr int kFormFontHeight = -15;

// The window a box belongs to: the modal window in front, else the active one.
QWidget* BoxParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  if (Application != nullptr && Application->MainForm != nullptr &&
      Application->MainForm->Visible()) {
    return Application->MainForm->Widget();
  }
  return nullptr;
}

QMessageBox::Icon IconOf(int Flags) {
  switch (Flags & 0xF0) {
    case MB_ICONSTOP:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONWARNING:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

TForm::TForm() : TWinControl(nullptr, new ContainerWidget(nullptr)) {
  auto* window = static_cast<ContainerWidget*>(Widget());
  window->setWindowFlags(Qt::Window);
  window->setFrameStyle(QFrame::NoFrame);
  window->setBackgroundRole(QPalette::Button);
  window->setAutoFillBackground(true);
  window->OnClose = [this](QCloseEvent* Event) { CloseRequested(Event); };
}

TForm::~TForm() {
  if (Application != nullptr) Application->FormDestroyed(this);
  if (modalLoop_ != nullptr) modalLoop_->quit();
  // The widgets go first, with every child; the controls, which only point at them, after.
  auto* window = static_cast<ContainerWidget*>(Widget());
  window->OnClose = nullptr;
  window->OnResize = nullptr;
  delete window;
  // Children before their parents: the reverse of the order of making.
  while (!components_.empty()) components_.pop_back();
}

void TForm::ApplyBounds() {
  // Width and Height are the outer size of the designed window, frame included. The frame
  // of a sizable window at 120 pixels per inch took 18 pixels across and 45 down, so that
  // is what the client area, the widget, leaves out; the window manager adds its own frame
  // around it. Controls reaching past the client area are clipped there, not moved.
  constexpr int kFrameWidth = 18;
  constexpr int kFrameHeight = 45;
  Widget()->move(ScaleDesign(Left()), ScaleDesign(Top()));
  Widget()->resize(ScaleDesign(Width() - kFrameWidth), ScaleDesign(Height() - kFrameHeight));
  AlignControls();
}

void TForm::SetCaption(const std::string& Caption) {
  caption_ = Caption;
  Widget()->setWindowTitle(FromSjis(Caption));
}

void TForm::SetTabOrder(const std::vector<TControl*>& Controls) {
  for (size_t i = 1; i < Controls.size(); ++i) {
    QWidget::setTabOrder(Controls[i - 1]->Widget(), Controls[i]->Widget());
  }
}

void TForm::Show() {
  Widget()->show();
  Widget()->raise();
  Widget()->activateWindow();
}

void TForm::Hide() {
  Widget()->hide();
}

bool TForm::Visible() const {
  return Widget()->isVisible();
}

int TForm::ShowModal() {
  RunAfterCommandHook();
  ModalResult = mrNone;
  QWidget* window = Widget();
  window->setWindowModality(Qt::ApplicationModal);
  Show();
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec(QEventLoop::DialogExec);
  modalLoop_ = nullptr;
  window->hide();
  window->setWindowModality(Qt::NonModal);
  return ModalResult;
}

void TForm::Close() {
  if (modalLoop_ != nullptr) {
    ModalResult = mrCancel;
    modalLoop_->quit();
    return;
  }
  Widget()->close();
}

void TForm::CloseRequested(QCloseEvent* Event) {
  if (modalLoop_ != nullptr) {
    // The close box of a modal form ends its showing like Close; the form hides after.
    Event->ignore();
    Close();
    return;
  }
  Event->accept();
  if (Application != nullptr && Application->MainForm == this) Application->Terminate();
}

TApplication::TApplication() {
  Application = this;
  Title = Utf8ToSjis(FromNativePath(program_invocation_short_name).toStdString());
}

TApplication::~TApplication() {
  while (!forms_.empty()) delete forms_.back();  // each removes itself
  if (translator_ != nullptr && qApp != nullptr)
    QCoreApplication::removeTranslator(translator_.get());
  translator_.reset();
  qt_.reset();
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  if (QApplication::instance() == nullptr) {
    // Held until Qt has its own connection to the display.
    const DisplayCheck display;
    if (!display.Problem().empty()) throw Exception(display.Problem());
    // The program reads no command line: Qt gets the program's name only.
    static int argc = 1;
    static char* argv[] = {program_invocation_name, nullptr};
    qt_ = std::make_unique<QApplication>(argc, argv);
  }
  // Only the main form's closing ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  // Qt's own texts (buttons of boxes, standard dialogs, menus) in Japanese whatever the
  // locale.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  translator_ = std::make_unique<QTranslator>();
  if (translator_->load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator_.get());
  }
  QApplication::setFont(DesignFont(kFormFontName, kFormFontHeight));
}

void TApplication::AddForm(TForm* Form) {
  forms_.push_back(Form);
  if (MainForm == nullptr) MainForm = Form;
}

void TApplication::FormDestroyed(TForm* Form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
  if (MainForm == Form) MainForm = nullptr;
}

void TApplication::Run() {
  if (MainForm == nullptr) return;
  MainForm->Show();
  QApplication::exec();
}

void TApplication::Terminate() {
  QCoreApplication::quit();
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, int Flags) {
  RunAfterCommandHook();
  if (MessageBoxHook) {
    MessageBoxHook(Text, Caption);
    return IDOK;
  }
  if (QApplication::instance() == nullptr) {
    // No windows yet (start-up failed early): the terminal is all there is.
    std::fprintf(stderr, "%s: %s\n", SjisToUtf8(Caption).c_str(), SjisToUtf8(Text).c_str());
    return IDOK;
  }
  QMessageBox box(IconOf(Flags), FromSjis(Caption), FromSjis(Text), QMessageBox::Ok, BoxParent());
  // A message may quote a file's bytes: never markup.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  return IDOK;
}

void TApplication::ShowException(const std::exception& E) {
  MessageBox(E.what(), Title, MB_ICONSTOP);
}

void TApplication::HandleException() {
  try {
    throw;
  } catch (const std::exception& E) {
    ShowException(E);
  } catch (...) {
    ShowException(Exception(std::string()));
  }
}

}  // namespace platform
