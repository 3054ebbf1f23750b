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

namespace {

// 0-1 SOI | 2-3 APP1 | 4-5 length | 6-11 "Exif\0\0" | 12-15 "II*\0" | 16-19 IFD0 offset 8
// | 20-21 IFD0 count 0 | 22-25 IFD0 link 14 | 26-27 IFD1 count FFFF: 65535 entries, all
// but the first few past the loaded bytes, so each lists as empty fields.
void LoadWorstCase(AnalysisState& state) {
  const uint8_t bytes[] = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x20, 'E',  'x',  'i',  'f',
                           0x00, 0x00, 'I',  'I',  0x2A, 0x00, 0x08, 0x00, 0x00, 0x00,
                           0x00, 0x00, 0x0E, 0x00, 0x00, 0x00, 0xFF, 0xFF};
  std::copy(std::begin(bytes), std::end(bytes), state.LoadBuffer.begin());
}

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

}  // namespace

BENCHMARK_MAIN();
