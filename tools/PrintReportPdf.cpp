// print-report-pdf PHOTO.JPG OUT.PDF
// Analyses a photograph as "ファイル選択" does and prints its report to a PDF file through
// the program's own printing code, without the print dialog, so the pages can be looked at.
// The rows are the report's lines unwrapped (the memo's wrapping needs its window).

#include <QApplication>
#include <QPageSize>
#include <QPrinter>
#include <iostream>

#include "Exceptions.h"
#include "LoadFile.h"
#include "Printers.h"
#include "ReportPrinting.h"
#include "ShiftJis.h"

using platform::Exception;
using platform::Printer;
using platform::SjisToUtf8;
using platform::TStringList;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: print-report-pdf PHOTO.JPG OUT.PDF\n";
    return 2;
  }
  QApplication application(argc, argv);

  AnalysisState state;
  state.SelectedFile = argv[1];
  TStringList report;
  try {
    const LoadOutcome outcome = LoadAndAnalyze(state, report);
    if (outcome != LoadOutcome::Analysed) {
      std::cerr << SjisToUtf8(RefusalMessage(outcome)) << "\n";
      return 1;
    }
  } catch (const Exception& error) {
    // As in the window: the lines written before the error stay and are printed.
    std::cerr << SjisToUtf8(error.Message) << "\n";
  }

  QPrinter& device = Printer()->Device();
  device.setOutputFormat(QPrinter::PdfFormat);
  device.setOutputFileName(QString::fromLocal8Bit(argv[2]));
  device.setPageSize(QPageSize(QPageSize::A4));
  try {
    PrintReportOn(report, *Printer());
  } catch (const Exception& error) {
    std::cerr << SjisToUtf8(error.Message) << "\n";
    return 1;
  }
  return 0;
}
