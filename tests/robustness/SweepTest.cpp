// Sweeps over real photographs: every 2- and 4-byte count and offset field of IFD0, IFD1
// and the SubIFD (the directory counts, each entry's count and value, the links and the
// header's IFD0 offset) set in turn to the values at the edges of 16 and 32 bits. Every
// run must end with a report, a refusal or the conversion error; under the sanitizers
// this also proves that no run reads or writes outside a buffer.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "AnalysisRun.h"
#include "PhotoLayout.h"

namespace {

using fixture::Bytes;

const uint32_t kEdgeValues[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

bool IsConversionErrorMessage(const std::string& message) {
  const std::string tail = "' は整数ではありません";
  return message.size() > tail.size() + 1 && message[0] == '\'' &&
         message.compare(message.size() - tail.size(), tail.size(), tail) == 0;
}

// The lines up to the first empty one: the marker lines, which no swept field changes.
std::vector<std::string> MarkerLines(const std::vector<std::string>& lines) {
  std::vector<std::string> markers;
  for (const std::string& line : lines) {
    if (line.empty()) break;
    markers.push_back(line);
  }
  return markers;
}

class FieldSweep : public testing::TestWithParam<std::string> {};

TEST_P(FieldSweep, everyBentFieldEndsWithAReportARefusalOrTheConversionError) {
  const std::string path = CorpusPath(GetParam());
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no corpus photograph " << path;
  Bytes photo = ReadFileBytes(path);
  if (photo.size() > static_cast<size_t>(kMaxLoadBytes)) photo.resize(kMaxLoadBytes);
  PhotoLayout layout;
  ASSERT_TRUE(ReadPhotoLayout(photo, &layout));
  ASSERT_GE(layout.directories.size(), 2u) << "IFD0 and at least one more directory";

  const fixture::TempFile file(photo);
  AnalysisState wholeState;
  const std::vector<std::string> markers = MarkerLines(RunPath(wholeState, file.path()).lines);
  ASSERT_FALSE(markers.empty());

  size_t runs = 0;
  for (const Field& field : layout.countAndOffsetFields) {
    std::set<uint32_t> values;
    for (uint32_t v : kEdgeValues) values.insert(field.width == 2 ? (v & 0xFFFF) : v);
    for (uint32_t value : values) {
      Bytes bent = photo;
      for (int i = 0; i < field.width; ++i) {
        bent[field.at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
      }
      const fixture::TempFile bentFile(bent);
      AnalysisState state;
      AnalysisRun run;
      try {
        run = RunPath(state, bentFile.path());
      } catch (...) {
        ADD_FAILURE() << "field at " << field.at << " = " << value << " raised something else";
        continue;
      }
      ++runs;
      SCOPED_TRACE("field at " + std::to_string(field.at) + " = " + std::to_string(value));
      ASSERT_EQ(run.outcome, LoadOutcome::Analysed);
      if (!run.error.empty()) {
        EXPECT_TRUE(IsConversionErrorMessage(run.error)) << run.error;
      }
      ASSERT_EQ(MarkerLines(run.lines), markers);
    }
  }
  EXPECT_GT(runs, 100u) << "a photograph has more than a dozen fields";
}

// Photographs without an Intel TIFF header are refused before any field is read.
TEST(FieldSweep, photographsWithoutAnIntelHeaderAreRefused) {
  const struct {
    const char* name;
    LoadOutcome outcome;
  } refused[] = {{"Fujifilm_FinePix_E500.jpg", LoadOutcome::NotIntel},
                 {"kodak-dc210.jpg", LoadOutcome::NotIntel},
                 {"image02206.jpg", LoadOutcome::NotExif}};
  for (const auto& r : refused) {
    const std::string path = CorpusPath(r.name);
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no corpus photograph " << path;
    // A private copy, so that no other program locking the corpus file can refuse the load.
    EXPECT_EQ(RunBytes(ReadFileBytes(path)).outcome, r.outcome) << r.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, FieldSweep, testing::ValuesIn(IntelCorpusPhotos()), PhotoTestName);

}  // namespace
