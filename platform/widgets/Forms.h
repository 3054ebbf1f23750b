#pragma once
// Forms and the application object.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Exceptions.h"

class QApplication;
class QEventLoop;
class QTranslator;

namespace platform {

constexpr int mrNone = 0;
constexpr int mrCancel = 2;

constexpr int MB_OK = 0x00;
constexpr int MB_ICONSTOP = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONWARNING = 0x30;
constexpr int MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;

// A top-level window. It owns the controls made with Make and destroys them with itself.
// Its bounds are the designed outer size, frame included; its widget is the client area.
class TForm : public TWinControl {
 public:
  TForm();
  ~TForm() override;

  void SetCaption(const std::string& Caption);
  std::string Caption() const { return caption_; }
  // Sets the tab order: the first control comes first.
  void SetTabOrder(const std::vector<TControl*>& Controls);

  void Show();
  void Hide();
  bool Visible() const;
  // Shows the form modal to the application and returns its modal result once it closes.
  int ShowModal();
  bool Modal() const { return modalLoop_ != nullptr; }
  // A modal form ends its showing with mrCancel; the main form ends the program; another
  // form hides.
  void Close();
  int ModalResult = mrNone;

 protected:
  // Makes a control of this form: Make<TButton>(Panel1).
  template <class TKind, class TParent>
  TKind* Make(TParent* Parent) {
    auto control = std::make_unique<TKind>(Parent);
    TKind* made = control.get();
    components_.push_back(std::move(control));
    return made;
  }

 private:
  void ApplyBounds() override;
  void CloseRequested(QCloseEvent* Event);
  std::string caption_;
  QEventLoop* modalLoop_ = nullptr;
  std::vector<std::unique_ptr<TControl>> components_;
};

class TApplication {
 public:
  // Becomes the Application; the title comes from the program file's name.
  TApplication();
  // Destroys the forms that are left, then the Qt application.
  ~TApplication();

  // Starts Qt: the widgets' application, the Japanese translations of Qt's own texts and the
  // default font. Raises Exception when there is no display to open windows on, or when
  // its server does not answer.
  void Initialize();
  // Creates a form; the first one created becomes the main form.
  template <class TFormClass>
  void CreateForm(TFormClass*& Reference) {
    Reference = new TFormClass();
    AddForm(Reference);
  }
  // Shows the main form and handles messages until it closes.
  void Run();
  // Ends the message loop.
  void Terminate();

  // Modal box, OK button; Flags 0 = no icon. Text and Caption are Shift-JIS.
  int MessageBox(const std::string& Text, const std::string& Caption, int Flags = 0);
  // E.what() (an Exception's Message), caption = Title, OK, stop icon.
  void ShowException(const std::exception& E);
  // The default exception display for the exception being handled.
  void HandleException();

  std::string Title;  // Shift-JIS
  TForm* MainForm = nullptr;

  // Test hook: when set, MessageBox and the exception display call it instead of
  // showing a box (Text, Caption as Shift-JIS).
  std::function<void(const std::string& Text, const std::string& Caption)> MessageBoxHook;

 private:
  friend class TForm;
  void AddForm(TForm* Form);
  void FormDestroyed(TForm* Form);
  std::vector<TForm*> forms_;
  std::unique_ptr<QApplication> qt_;
  std::unique_ptr<QTranslator> translator_;
};

extern TApplication* Application;

}  // namespace platform
