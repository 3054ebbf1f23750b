#include "ExifReport.h"

#include <map>
#include <memory>
#include <system_error>

#include "AnalysisState.h"
#include "Exceptions.h"
#include "ExtendedLoad.h"
#include "LoadFile.h"
#include "ReadAhead.h"
#include "ReportText.h"
#include "ShiftJis.h"

using platform::AppendSjisAsUtf8;
using platform::Exception;
using platform::SjisToUtf8;
using platform::TStrings;

namespace {

constexpr int kAllAnalysed = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

struct FileReport {
  bool Printable = false;  // Report holds lines to print, possibly cut short by an error
  bool Complete = false;   // the analysis ran to its end
  LoadOutcome Outcome = LoadOutcome::Analysed;
  std::string Error;  // Shift-JIS: the message of the error that stopped the analysis
};

// The UTF-8 text of a refusal, converted once for each kind of refusal and of analysis.
const std::string& RefusalText(LoadOutcome Outcome, bool Extended) {
  static std::map<std::pair<LoadOutcome, bool>, std::string> texts;
  const auto key = std::make_pair(Outcome, Extended);
  auto found = texts.find(key);
  if (found == texts.end()) {
    const std::string message =
        Extended ? ExtendedRefusalMessage(Outcome) : RefusalMessage(Outcome);
    found = texts.emplace(key, SjisToUtf8(message)).first;
  }
  return found->second;
}

// Analyses File on State into Report, with the extended analysis when Extended, from the
// bytes of Start when the file was read already. One state serves the whole run, as in the
// window: each load refills all of LoadBuffer and each analysis sets every counter, base
// and table row that it reads before reading it, so nothing of an earlier file can show. A
// file that cannot be read is refused before anything is analysed. Reusing it spares the
// allocation and setup of a state (15 KB of buffers and 150 empty table rows) per file.
FileReport AnalyseFile(AnalysisState& State, const std::string& File, TStrings& Report,
                       bool Extended, const FileStart* Start) {
  FileReport result;
  State.SelectedFile = File;
  try {
    LoadOutcome outcome = Extended ? LoadAndAnalyzeExtended(State, Report)
                          : Start  ? LoadAndAnalyze(State, Report, *Start)
                                   : LoadAndAnalyze(State, Report);
    // Only an empty name comes back as "nothing chosen"; it has no extension, so it is
    // refused like any other name that does not end in .JPG.
    if (outcome == LoadOutcome::NothingChosen) outcome = LoadOutcome::NotJpg;
    result.Complete = outcome == LoadOutcome::Analysed;
    result.Printable = result.Complete;
    result.Outcome = outcome;
  } catch (const Exception& error) {
    // A value that does not convert ends the analysis; the lines so far are kept.
    result.Printable = true;
    result.Error = error.Message;
  }
  return result;
}

// Writes what waits; false, after saying why on stderr, when stdout failed.
bool FlushOrComplain(ConsoleOutput& Console) {
  Console.Flush();
  if (!Console.Failed()) return true;
  Console.Complain("exif-report: write error: " + Console.ErrorText() + "\n");
  return false;
}

// Each report is written straight into the stdout buffer as it is analysed, after its
// header; a refused file's header is taken back. A message follows the report bytes before
// it in the order of the run (see ConsoleOutput). Several files for the standard analysis
// are read ahead on a second thread where there is a second processor; the extended
// analysis reads as far as each file's Exif segment reaches, so it reads its files itself.
int ReportFiles(const CommandLine& Line, ConsoleOutput& Console) {
  const bool withHeaders = Line.Files.size() > 1;
  std::unique_ptr<ReadAhead> readAhead;
  if (withHeaders && !Line.Extended && ReadAhead::Worthwhile()) {
    try {
      readAhead = std::make_unique<ReadAhead>(Line.Files, kMaxLoadBytes);
    } catch (const std::system_error&) {
      // No second thread to be had: each file is read when its turn comes.
    }
  }
  bool anyPrinted = false;
  int status = kAllAnalysed;
  const auto state = std::make_unique<AnalysisState>();
  std::string& out = Console.Out();
  PrintedReport report(out, Line.Sjis);
  for (size_t index = 0; index < Line.Files.size(); ++index) {
    const std::string& file = Line.Files[index];
    const size_t mark = out.size();
    if (withHeaders) {
      if (anyPrinted) out += LineEnd(Line.Sjis);
      AppendFileHeader(file, Line.Sjis, out);
    }
    report.Start();
    FileStart start;
    if (readAhead) start = readAhead->Take(index);
    const FileReport result =
        AnalyseFile(*state, file, report, Line.Extended, start.Bytes != nullptr ? &start : nullptr);
    if (result.Printable) {
      anyPrinted = true;
    } else {
      out.resize(mark);
    }
    if (!result.Complete) {
      std::string& err = Console.Err();
      err += file;
      err += ": ";
      if (result.Printable) {
        AppendSjisAsUtf8(result.Error, err);
      } else {
        err += RefusalText(result.Outcome, Line.Extended);
      }
      err += '\n';
      status = kSomeFailed;
    }
    Console.Written();
    if (Console.Failed()) return FlushOrComplain(Console) ? status : kSomeFailed;
  }
  return FlushOrComplain(Console) ? status : kSomeFailed;
}

}  // namespace

int RunExifReport(const CommandLine& Line, ConsoleOutput& Console) {
  switch (Line.What) {
    case CommandLine::Action::UsageError:
      Console.Err() += "exif-report: " + Line.Error + "\n" + SynopsisText();
      Console.Flush();
      return kUsageError;
    case CommandLine::Action::Help:
      Console.Out() += HelpText();
      return FlushOrComplain(Console) ? kAllAnalysed : kSomeFailed;
    case CommandLine::Action::Version:
      Console.Out() += "exif-report " EXIF_REPORT_VERSION "\n";
      return FlushOrComplain(Console) ? kAllAnalysed : kSomeFailed;
    case CommandLine::Action::Report:
      break;
  }
  return ReportFiles(Line, Console);
}
