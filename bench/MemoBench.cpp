// How fast the worst-case report (an IFD1 count of 0xFFFF: 65535 entry lines) appears in
// the main window's memo, how long its wrapped rows take to count (printing asks for them),
// and, for comparison, a widget update per appended line. Runs on Qt's offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <cstdlib>
#include <memory>

#include "AnalysisState.h"
#include "AnalyzeExif.h"
#include "Camera1.h"
#include "Dispatch.h"
#include "DisplayText.h"
#include "Forms.h"
#include "WorstCase.h"

using platform::Application;
using platform::DispatchEvent;
using platform::SjisLineForDisplay;
using platform::TApplication;
using platform::TMemoLines;
using platform::TObject;
using platform::TStringList;

namespace {

std::string WorstCaseImage() {
  auto state = std::make_unique<AnalysisState>();
  LoadWorstCase(*state);
  return HexImage(*state);
}

// The analysis writes into the memo as one command does, and the window paints.
void BM_WorstCaseReportAppearsInMemo(benchmark::State& bench) {
  const std::string image = WorstCaseImage();
  auto state = std::make_unique<AnalysisState>();
  TMemoLines& lines = *Form1->Memo1->Lines;
  for (auto _ : bench) {
    DispatchEvent([&](TObject*) { AnalyzeExif(*state, image, lines); }, nullptr);
    Form1->Widget()->repaint();
  }
  bench.counters["lines"] = static_cast<double>(lines.Appended().size());
}
BENCHMARK(BM_WorstCaseReportAppearsInMemo)->Unit(benchmark::kMillisecond);

// Count of the rows as the memo shows them, laid out afresh for a new report.
void BM_WorstCaseRowCount(benchmark::State& bench) {
  const std::string image = WorstCaseImage();
  auto state = std::make_unique<AnalysisState>();
  TMemoLines& lines = *Form1->Memo1->Lines;
  int rows = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    DispatchEvent([&](TObject*) { AnalyzeExif(*state, image, lines); }, nullptr);
    bench.ResumeTiming();
    rows = lines.Count();
  }
  bench.counters["rows"] = rows;
}
BENCHMARK(BM_WorstCaseRowCount)->Unit(benchmark::kMillisecond);

// The same report with one widget append per line, as a line list bound directly to the
// widget would do it.
void BM_WorstCaseOneAppendPerLine(benchmark::State& bench) {
  const std::string image = WorstCaseImage();
  auto state = std::make_unique<AnalysisState>();
  TStringList report;
  AnalyzeExif(*state, image, report);
  QPlainTextEdit* editor = Form1->Memo1->Editor();
  for (auto _ : bench) {
    editor->clear();
    for (const std::string& line : report.Lines()) {
      editor->appendPlainText(SjisLineForDisplay(line));
    }
    Form1->Widget()->repaint();
  }
  editor->clear();
}
BENCHMARK(BM_WorstCaseOneAppendPerLine)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TApplication application;
  application.Initialize();
  Application->CreateForm(Form1);
  Form1->Show();
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  return 0;
}
