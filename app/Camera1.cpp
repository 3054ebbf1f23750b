#include "Camera1.h"

#include "ExtendedMode.h"
#include "FileDrop.h"
#include "FileSystemLists.h"
#include "Fonts.h"
#include "LoadFile.h"
#include "ReportPrinting.h"
#include "ReportSaving.h"
#include "StartArguments.h"
#include "Unit2.h"

using platform::AcceptDroppedFiles;
using platform::alClient;
using platform::alTop;
using platform::Application;
using platform::Bind;
using platform::CurrentDirectory;
using platform::DesignFont;
using platform::TButton;
using platform::TMemo;
using platform::TObject;
using platform::TPanel;
using platform::TPrintDialog;
using platform::TSaveDialog;

AnalysisState Analysis;
TForm1* Form1 = nullptr;

// The window as designed at 120 pixels per inch.
TForm1::TForm1() {
  SetBounds(286, 290, 700, 512);
  SetCaption("Exif 分析　Ｖｅｒ１.０１　　2010.3.26");
  Widget()->setFont(DesignFont("ＭＳ Ｐゴシック", -15));

  Panel1 = Make<TPanel>(this);
  Panel1->SetBounds(0, 0, 682, 25);
  Panel1->SetAlign(alTop);

  Button1 = Make<TButton>(Panel1);
  Button1->SetBounds(96, 0, 113, 25);
  Button1->SetCaption("ファイル選択");
  Button1->OnClick = Bind(this, &TForm1::Button1Click);

  Button2 = Make<TButton>(Panel1);
  Button2->SetBounds(0, 1, 89, 25);
  Button2->SetCaption("終了");
  Button2->OnClick = Bind(this, &TForm1::Button2Click);

  Memo1 = Make<TMemo>(this);
  Memo1->SetBounds(0, 25, 682, 442);
  Memo1->SetAlign(alClient);
  Memo1->SetFont("Terminal", -18);

  Button3 = Make<TButton>(Panel1);
  Button3->SetBounds(216, 0, 73, 25);
  Button3->SetCaption("印刷");
  Button3->OnClick = Bind(this, &TForm1::Button3Click);

  printDialog_ = std::make_unique<TPrintDialog>(Widget());
  PrintDialog1 = printDialog_.get();

  Button4 = Make<TButton>(Panel1);
  Button4->SetBounds(296, 0, 129, 25);
  Button4->SetCaption("フアイルに保存");
  Button4->OnClick = Bind(this, &TForm1::Button4Click);

  saveDialog_ = std::make_unique<TSaveDialog>(Widget());
  SaveDialog1 = saveDialog_.get();

  SetTabOrder({Button1, Button2, Button3, Button4, Memo1});
  InstallExtendedCommand(*this, false);

  // A file dropped from a file manager is analysed as if chosen; of several, the first.
  AcceptDroppedFiles(*this,
                     [this](const std::vector<std::string>& Paths) { AnalyseFile(Paths.front()); });
}

void TForm1::Button2Click(TObject*) {
  Close();
}

void TForm1::Button1Click(TObject*) {
  Form2->ShowModal();
  AnalyseSelectedFile();
}

void TForm1::AnalyseFile(const std::string& Path) {
  Form2->ChooseFile(ChooserPath(Path, CurrentDirectory()));
  AnalyseSelectedFile();
}

void TForm1::AnalyseSelectedFile() {
  const LoadOutcome outcome = LoadAndAnalyzeInMode(Analysis, *Memo1->Lines);
  const std::string message = RefusalMessageInMode(outcome);
  if (!message.empty()) Application->MessageBox(message, "警告");
}

void TForm1::Button3Click(TObject*) {
  PrintReport(*Memo1->Lines, *PrintDialog1);
}

void TForm1::Button4Click(TObject*) {
  SaveReport(*Memo1->Lines, *SaveDialog1);
}
