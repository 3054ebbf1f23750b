// The extended analysis against the standard one, per corpus photograph: what exif-report
// does for one file (load, analysis, UTF-8 text) in each analysis. Every iteration runs both,
// one after the other, so that a busy machine slows both alike; the counters give each one's
// mean processor time and the ratio extended / standard (goal: at most 1.5). The Motorola
// photographs are refused by the standard analysis, so their ratio compares an analysis to a
// refusal.

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "AnalysisState.h"
#include "Exceptions.h"
#include "ExtendedLoad.h"
#include "LoadFile.h"
#include "ReportText.h"

using platform::Exception;

namespace {

// This thread's processor time in seconds: other programs on a busy machine do not count.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// What exif-report keeps for a whole run: its output buffer and the report written into it,
// whose conversion of Japanese labels to UTF-8 is done once a run rather than once a file.
struct Output {
  std::string out;
  PrintedReport report{out, false};
};

// Processor seconds taken by one file through exif-report's path in the chosen analysis.
double TimeOneReport(AnalysisState& state, bool extended, Output& output) {
  const double start = ThreadSeconds();
  output.out.clear();
  PrintedReport& report = output.report;
  report.Start();
  try {
    if (extended) {
      LoadAndAnalyzeExtended(state, report);
    } else {
      LoadAndAnalyze(state, report);
    }
  } catch (const Exception&) {
  }
  benchmark::DoNotOptimize(output.out);
  return ThreadSeconds() - start;
}

void BM_ExtendedVsStandard(benchmark::State& bench, const std::string& photo) {
  auto state = std::make_unique<AnalysisState>();
  state->SelectedFile = photo;
  Output standardOutput;
  Output extendedOutput;
  double standard = 0;
  double extended = 0;
  for (auto _ : bench) {
    standard += TimeOneReport(*state, false, standardOutput);
    extended += TimeOneReport(*state, true, extendedOutput);
  }
  const double runs = static_cast<double>(bench.iterations());
  bench.counters["standard_us"] = standard / runs * 1e6;
  bench.counters["extended_us"] = extended / runs * 1e6;
  bench.counters["ratio"] = standard > 0 ? extended / standard : 0;
}

// One benchmark for each photograph of the corpus with Exif data, extended/ included.
void RegisterPhotos() {
  const std::filesystem::path corpus = EXIF_CORPUS_DIR;
  if (!std::filesystem::is_directory(corpus)) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
    if (entry.path().extension() != ".jpg") continue;
    const std::string name = std::filesystem::relative(entry.path(), corpus).string();
    if (name == "image02206.jpg") continue;  // no Exif data at all
    benchmark::RegisterBenchmark(("BM_ExtendedVsStandard/" + name).c_str(), BM_ExtendedVsStandard,
                                 entry.path().string())
        ->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterPhotos();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
