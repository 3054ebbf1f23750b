// AnalyzeExif on its worst case, an IFD1 count of 0xFFFF, and the per-file path of
// exif-report on a real photograph.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "AnalysisState.h"
#include "AnalyzeExif.h"
#include "LoadFile.h"
#include "ReportText.h"
#include "Strings.h"
#include "WorstCase.h"

using platform::TStringList;

namespace {

void BM_AnalyzeExifIfd1CountFFFF(benchmark::State& bench) {
  auto state = std::make_unique<AnalysisState>();
  LoadWorstCase(*state);
  const std::string image = HexImage(*state);
  TStringList report;
  for (auto _ : bench) {
    AnalyzeExif(*state, image, report);
    benchmark::DoNotOptimize(report.Count());
  }
  bench.counters["lines"] = report.Count();
  bench.counters["time_per_line"] = benchmark::Counter(
      report.Count(), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AnalyzeExifIfd1CountFFFF)->Unit(benchmark::kMillisecond);

// What exif-report does for one file: load, analysis, UTF-8 text in the output buffer.
void BM_ReportOfPhoto(benchmark::State& bench) {
  const std::string photo = EXIF_CORPUS_DIR "/canon-ixus.jpg";
  auto state = std::make_unique<AnalysisState>();
  std::string out;
  PrintedReport report(out, false);
  for (auto _ : bench) {
    out.clear();
    report.Start();
    state->SelectedFile = photo;
    if (LoadAndAnalyze(*state, report) != LoadOutcome::Analysed) {
      bench.SkipWithError("photo not analysed");
      break;
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ReportOfPhoto)->Unit(benchmark::kMicrosecond);

// The same photograph's analysis alone, from its loaded bytes: the hex image and the report
// lines in Shift-JIS, without the file calls.
void BM_AnalysisOfLoadedPhoto(benchmark::State& bench) {
  auto state = std::make_unique<AnalysisState>();
  state->SelectedFile = EXIF_CORPUS_DIR "/canon-ixus.jpg";
  const int32_t loaded =
      ReadFileStart(state->SelectedFile, state->LoadBuffer.data(), kMaxLoadBytes);
  std::string out;
  PrintedReport report(out, true);
  for (auto _ : bench) {
    out.clear();
    report.Start();
    BuildHexImage(*state, state->HexImageStorage, loaded);
    AnalyzeExif(*state, state->HexImageStorage, report);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_AnalysisOfLoadedPhoto)->Unit(benchmark::kMicrosecond);

// The hex image of a whole load of 10000 bytes, as built for every analysed file.
void BM_BuildHexImage(benchmark::State& bench) {
  auto state = std::make_unique<AnalysisState>();
  for (size_t i = 0; i < kMaxLoadBytes; ++i) state->LoadBuffer[i] = static_cast<uint8_t>(i * 7);
  std::string image;
  for (auto _ : bench) {
    BuildHexImage(*state, image, kMaxLoadBytes);
    benchmark::DoNotOptimize(image.data());
  }
}
BENCHMARK(BM_BuildHexImage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
