// Real photographs from other cameras, checked against values read independently with
// exiftool -a -G1 -n -Make -Model -ExposureTime -FNumber -ISO -DateTimeOriginal
// -MeteringMode (IFD0 and ExifIFD values), noted here as data.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>

#include "AnalysisRun.h"
#include "SampleReport.h"

namespace {

const std::string kCorpus = EXIF_CORPUS_DIR;

using fixture::kDateLabel;
using fixture::kExposureLabel;
using fixture::kFNumberLabel;
using fixture::kIsoLabel;
using fixture::kMeteringLabel;

struct Photo {
  const char* file;
  const char* make;
  const char* model;
  double exposureTime;
  double fNumber;
  std::optional<int> iso;  // none: the file has no ISOSpeedRatings entry
  const char* dateTaken;
  const char* meteringMode;  // the name our report gives exiftool's mode number
};

const Photo kIntelPhotos[] = {
    {"Canon_40D.jpg", "Canon", "Canon EOS 40D", 0.00625, 7.1, 100, "2008:05:30 15:56:01",
     "マルチセグメント（評価測光）"},  // mode 5
    {"DSCN0010.jpg", "NIKON", "COOLPIX P6000", 0.01333333333, 5.9, 64, "2008:10:22 16:28:39",
     "マルチセグメント（評価測光）"},
    {"Nikon_D70.jpg", "NIKON CORPORATION", "NIKON D70", 0.005, 9, 200, "2008:03:15 09:52:01",
     "中央"},  // mode 2
    {"Olympus_C8080WZ.jpg", "OLYMPUS CORPORATION", "C8080WZ", 0.00625, 2.8, 50,
     "2006:10:22 15:44:29", "マルチセグメント（評価測光）"},
    {"Pentax_K10D.jpg", "PENTAX Corporation", "PENTAX K10D", 0.005555555556, 11, 200,
     "2008:05:04 16:47:24", "マルチセグメント（評価測光）"},
    {"canon-ixus.jpg", "Canon", "Canon DIGITAL IXUS", 0.002857142857, 4, std::nullopt,
     "2001:06:09 15:17:32", "中央"},
    {"sony-cybershot.jpg", "SONY", "CYBERSHOT", 0.005076142132, 4, 100, "2000:09:30 10:59:45",
     "中央"},
};

// The text after the last occurrence of Separator in Line.
std::string After(const std::string& line, const std::string& separator) {
  const size_t at = line.rfind(separator);
  return at == std::string::npos ? "<none>" : line.substr(at + separator.size());
}

// The text of a Make or Model line: after the tag, three spaces, the hexadecimal digits
// and three spaces. Trailing spaces are dropped, as exiftool drops them.
std::string AsciiText(const std::string& line) {
  const size_t at = line.find("   ", 9);
  if (at == std::string::npos) return "<none>";
  const std::string text = line.substr(at + 3);
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

// The value of a rational line, "N/D" after its label; NaN when it has none.
double RationalValue(const std::vector<std::string>& lines, const std::string& tagAndLabel) {
  for (const std::string& line : lines) {
    if (line.compare(0, 6, tagAndLabel, 0, 6) != 0) continue;
    const std::string fraction = After(line, tagAndLabel.substr(6));
    const size_t slash = fraction.find('/');
    if (slash == std::string::npos) break;
    return std::stod(fraction.substr(0, slash)) / std::stod(fraction.substr(slash + 1));
  }
  return std::nan("");
}

class Corpus : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kCorpus)) {
      GTEST_SKIP() << "no corpus of real photographs at " << kCorpus;
    }
  }

  AnalysisRun Load(const std::string& name, const std::vector<std::string>& earlier = {}) {
    AnalysisState state;
    return RunPath(state, kCorpus + "/" + name, earlier);
  }
};

TEST_F(Corpus, reportsTheValuesOfIntelPhotographs) {
  for (const Photo& photo : kIntelPhotos) {
    SCOPED_TRACE(photo.file);
    const AnalysisRun run = Load(photo.file);
    ASSERT_EQ(run.outcome, LoadOutcome::Analysed);
    ASSERT_EQ(run.error, "");
    const std::vector<std::string>& lines = run.lines;

    const std::vector<std::string> make = LinesStartingWith(lines, "0x010F   ");
    const std::vector<std::string> model = LinesStartingWith(lines, "0x0110   ");
    ASSERT_EQ(make.size(), 1u);
    ASSERT_EQ(model.size(), 1u);
    EXPECT_EQ(AsciiText(make[0]), photo.make);
    EXPECT_EQ(AsciiText(model[0]), photo.model);

    // The rationals are shown as stored: compare their quotients with exiftool's.
    EXPECT_NEAR(RationalValue(lines, std::string("0x829A") + kExposureLabel), photo.exposureTime,
                photo.exposureTime * 1e-6);
    EXPECT_NEAR(RationalValue(lines, std::string("0x829D") + kFNumberLabel), photo.fNumber,
                photo.fNumber * 1e-6);

    const std::vector<std::string> iso =
        LinesStartingWith(lines, std::string("0x8827") + kIsoLabel);
    if (photo.iso) {
      EXPECT_EQ(iso, std::vector<std::string>{"0x8827" + std::string(kIsoLabel) +
                                              std::to_string(*photo.iso)});
    } else {
      EXPECT_TRUE(iso.empty());
    }
    EXPECT_EQ(LinesStartingWith(lines, "0x9003"),
              std::vector<std::string>{"0x9003" + std::string(kDateLabel) + photo.dateTaken});
    EXPECT_EQ(
        LinesStartingWith(lines, "0x9207"),
        std::vector<std::string>{"0x9207" + std::string(kMeteringLabel) + photo.meteringMode});
  }
}

TEST_F(Corpus, refusesMotorolaPhotographsAndAFileWithoutExif) {
  const std::pair<const char*, LoadOutcome> cases[] = {
      {"Fujifilm_FinePix_E500.jpg", LoadOutcome::NotIntel},
      {"kodak-dc210.jpg", LoadOutcome::NotIntel},
      {"image02206.jpg", LoadOutcome::NotExif},
  };
  for (const auto& [name, outcome] : cases) {
    const AnalysisRun run = Load(name, {"an earlier report"});
    EXPECT_EQ(run.outcome, outcome) << name;
    EXPECT_EQ(run.lines, std::vector<std::string>{"an earlier report"}) << name;
  }
}

}  // namespace
