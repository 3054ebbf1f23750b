#include "ExtendedMode.h"

#include "Camera1.h"
#include "ExtendedLoad.h"
#include "MemoCommands.h"
#include "Settings.h"

using platform::AddMemoCommand;
using platform::ReadBoolSetting;
using platform::TStrings;
using platform::WriteBoolSetting;

const char kExtendedCommandCaption[] = "拡張解析（モトローラ形式・GPS）";
const char kExtendedCaptionSuffix[] = "（拡張解析）";

namespace {

const char kSettingKey[] = "ExtendedAnalysis";

bool extendedOn = false;
std::string designedCaption;  // the main window's caption as designed

}  // namespace

void InstallExtendedCommand(TForm1& Form, bool OnForThisRun) {
  designedCaption = Form.Caption();
  AddMemoCommand(*Form.Memo1, {kExtendedCommandCaption, [] { return extendedOn; },
                               [&Form] { SetExtendedAnalysis(Form, !extendedOn, true); }});
  SetExtendedAnalysis(Form, OnForThisRun || ReadBoolSetting(kSettingKey, false), false);
}

bool ExtendedAnalysisOn() {
  return extendedOn;
}

void SetExtendedAnalysis(TForm1& Form, bool On, bool Remember) {
  extendedOn = On;
  Form.SetCaption(On ? designedCaption + kExtendedCaptionSuffix : designedCaption);
  if (Remember) WriteBoolSetting(kSettingKey, On);
}

LoadOutcome LoadAndAnalyzeInMode(AnalysisState& State, TStrings& Report) {
  return extendedOn ? LoadAndAnalyzeExtended(State, Report) : LoadAndAnalyze(State, Report);
}

std::string RefusalMessageInMode(LoadOutcome Outcome) {
  return extendedOn ? ExtendedRefusalMessage(Outcome) : RefusalMessage(Outcome);
}
