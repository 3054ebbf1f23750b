// window_bench [RUNS]: the main window on the worst-case file (an IFD1 count of 0xFFFF,
// 65559 report lines), as scripts/bench.sh reports it, on Qt's offscreen platform:
//   screen_ms  median time from the load of the chosen file to the painted memo
//   peak_mb    the process's peak resident memory after the report was shown, and before
//   pdf_ms     the time to print the memo's rows to a PDF file through the printing code
// One line "name value" per figure.

#include <unistd.h>

#include <QPageSize>
#include <QPrinter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Camera1.h"
#include "Dispatch.h"
#include "Forms.h"
#include "HeapSettings.h"
#include "LoadFile.h"
#include "Printers.h"
#include "ReportPrinting.h"
#include "WorstCase.h"

using platform::Application;
using platform::DispatchEvent;
using platform::Printer;
using platform::TApplication;
using platform::TObject;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// VmHWM of this process, in MB.
double PeakMb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kb = 0;
      status >> kb;
      return kb / 1024;
    }
  }
  return 0;
}

void WriteFile(const std::string& path, const fixture::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// What "ファイル選択" does once the chooser has closed on File, and the window's repaint.
void ChooseAndShow(const std::string& file) {
  Analysis.SelectedFile = file;
  DispatchEvent([](TObject*) { LoadAndAnalyze(Analysis, *Form1->Memo1->Lines); }, nullptr);
  Form1->Widget()->repaint();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  KeepFreedHeapForReuse();  // as the program does
  TApplication application;
  application.Initialize();
  Application->CreateForm(Form1);
  Form1->Show();

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("window-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string worst = (dir / "worst.jpg").string();
  const std::string small = (dir / "small.jpg").string();
  WriteFile(worst, WorstCaseJpeg());
  WriteFile(small, fixture::SampleJpeg());

  // A small report first, as after start-up with a photograph shown.
  ChooseAndShow(small);
  const double peakBefore = PeakMb();

  std::vector<double> screen;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    ChooseAndShow(worst);
    screen.push_back(MsSince(start));
    if (run == 0) std::printf("peak_mb %.1f (before: %.1f)\n", PeakMb(), peakBefore);
    if (run + 1 < runs) ChooseAndShow(small);
  }
  std::sort(screen.begin(), screen.end());
  std::printf("screen_ms %.1f\n", screen[screen.size() / 2]);
  std::printf("lines %zu\n", Form1->Memo1->Lines->Appended().size());

  QPrinter& device = Printer()->Device();
  device.setOutputFormat(QPrinter::PdfFormat);
  device.setOutputFileName(QString::fromStdString((dir / "worst.pdf").string()));
  device.setPageSize(QPageSize(QPageSize::A4));
  const Clock::time_point start = Clock::now();
  PrintReportOn(*Form1->Memo1->Lines, *Printer());
  std::printf("pdf_ms %.1f\n", MsSince(start));
  std::printf("peak_after_pdf_mb %.1f\n", PeakMb());

  std::filesystem::remove_all(dir);
  return 0;
}
