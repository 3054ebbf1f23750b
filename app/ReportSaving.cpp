#include "ReportSaving.h"

#include "Forms.h"
#include "TextFile.h"

using platform::Application;
using platform::MB_OK;
using platform::TSaveDialog;
using platform::TStrings;

namespace {
const char kWarningCaption[] = "警告";
const char kNoData[] = "デ－タが無いようです";
const char kNotSaved[] = "ファイルに保存できませんでした";
}  // namespace

void SaveReport(TStrings& Report, TSaveDialog& Dialog) {
  if (Report.Text().size() < 1) {
    Application->MessageBox(kNoData, kWarningCaption, MB_OK);
    return;
  }
  if (!Dialog.Execute()) return;
  if (!SaveTextFile(Dialog.FileName, Report.Text())) {
    Application->MessageBox(kNotSaved, kWarningCaption, MB_OK);
  }
}
