#include "ExifReport.h"

#include <memory>

#include "AnalysisState.h"
#include "Exceptions.h"
#include "ExtendedLoad.h"
#include "LoadFile.h"
#include "ReportText.h"
#include "ShiftJis.h"
#include "Strings.h"

namespace {

constexpr int kAllAnalysed = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

struct FileReport {
  bool Printable = false;  // Report holds lines to print, possibly cut short by an error
  bool Complete = false;   // the analysis ran to its end
  TStringList Report;
  std::string Failure;  // Shift-JIS: the refusal or the error's message
};

// Analyses File on State. One state serves the whole run, as in the window: each load
// refills all of LoadBuffer and each analysis sets every counter, base and table row that
// it reads before reading it, so nothing of an earlier file can show. A file that cannot
// be read is refused before anything is analysed. Reusing it spares the allocation and
// setup of a state (15 KB of buffers and 150 empty table rows) per file.
FileReport AnalyseFile(AnalysisState& State, const std::string& File, bool Extended) {
  FileReport result;
  State.SelectedFile = File;
  try {
    LoadOutcome outcome = Extended ? LoadAndAnalyzeExtended(State, result.Report)
                                   : LoadAndAnalyze(State, result.Report);
    // Only an empty name comes back as "nothing chosen"; it has no extension, so it is
    // refused like any other name that does not end in .JPG.
    if (outcome == LoadOutcome::NothingChosen) outcome = LoadOutcome::NotJpg;
    result.Complete = outcome == LoadOutcome::Analysed;
    result.Printable = result.Complete;
    result.Failure = Extended ? ExtendedRefusalMessage(outcome) : RefusalMessage(outcome);
  } catch (const Exception& error) {
    // A value that does not convert ends the analysis; the lines so far are kept.
    result.Printable = true;
    result.Failure = error.Message;
  }
  return result;
}

// Writes what waits for Out; false, after saying why on Err, when that failed.
bool FlushOrComplain(OutputStream& Out, OutputStream& Err) {
  Out.Flush();
  if (!Out.Failed()) return true;
  Err.Write("exif-report: write error: " + Out.ErrorText() + "\n");
  return false;
}

// Reports go out in large writes; a message on stderr first lets the reports before it out,
// so that both keep their order on a terminal.
int ReportFiles(const CommandLine& Line, OutputStream& Out, OutputStream& Err) {
  const bool withHeaders = Line.Files.size() > 1;
  bool anyPrinted = false;
  int status = kAllAnalysed;
  const auto state = std::make_unique<AnalysisState>();
  for (const std::string& file : Line.Files) {
    const FileReport result = AnalyseFile(*state, file, Line.Extended);
    if (result.Printable) {
      if (withHeaders) {
        if (anyPrinted) Out.Write(LineEnd(Line.Sjis));
        Out.Write(FileHeader(file, Line.Sjis));
      }
      Out.Write(ReportBytes(result.Report, Line.Sjis));
      if (Out.Failed() && !FlushOrComplain(Out, Err)) return kSomeFailed;
      anyPrinted = true;
    }
    if (!result.Complete) {
      if (!FlushOrComplain(Out, Err)) return kSomeFailed;
      Err.Write(file + ": " + SjisToUtf8(result.Failure) + "\n");
      status = kSomeFailed;
    }
  }
  return FlushOrComplain(Out, Err) ? status : kSomeFailed;
}

}  // namespace

int RunExifReport(const CommandLine& Line, OutputStream& Out, OutputStream& Err) {
  switch (Line.What) {
    case CommandLine::Action::UsageError:
      Err.Write("exif-report: " + Line.Error + "\n" + SynopsisText());
      return kUsageError;
    case CommandLine::Action::Help:
      Out.Write(HelpText());
      return FlushOrComplain(Out, Err) ? kAllAnalysed : kSomeFailed;
    case CommandLine::Action::Version:
      Out.Write("exif-report " EXIF_REPORT_VERSION "\n");
      return FlushOrComplain(Out, Err) ? kAllAnalysed : kSomeFailed;
    case CommandLine::Action::Report:
      break;
  }
  return ReportFiles(Line, Out, Err);
}
