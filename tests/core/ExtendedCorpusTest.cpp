// The extended analysis on every real photograph with Exif data, in both byte orders:
// analysed to the end, the seven interpreted values and the GPS position agree with values
// read independently with exiftool -a -G1 -n (IFD0, ExifIFD and GPS values; the position is
// the signed Composite one), noted here as data.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>

#include "AnalysisRun.h"
#include "ExtendedLoad.h"
#include "ExtendedSections.h"

using platform::TStringList;

namespace {

const std::string kCorpus = EXIF_CORPUS_DIR;

const char kExposureLabel[] = "   シャタ－　";
const char kFNumberLabel[] = "   絞り　　　";
const char kIsoLabel[] = "　　　　　　               ISO ";
const char kDateLabel[] = "　　　　   　　　　　　　　撮影日　";
const char kMeteringLabel[] = "　　　　   　　　　　　　　測光モ－ド　";

struct Position {
  double latitude;
  double longitude;
  std::optional<double> altitude;  // metres above sea level, when the file has one
  const char* dateTime;            // GPS date and time stamps
};

struct Photo {
  const char* file;
  const char* make;
  const char* model;
  std::optional<double> exposureTime;
  std::optional<double> fNumber;
  std::optional<int> iso;
  const char* dateTaken;
  const char* meteringMode;  // the name our report gives exiftool's mode number
  std::optional<Position> gps;
};

const char* const kMulti = "マルチセグメント（評価測光）";  // mode 5
const char* const kCenter = "中央";                         // mode 2

const Photo kPhotos[] = {
    {"Canon_40D.jpg", "Canon", "Canon EOS 40D", 0.00625, 7.1, 100, "2008:05:30 15:56:01", kMulti,
     std::nullopt},
    {"DSCN0010.jpg", "NIKON", "COOLPIX P6000", 0.01333333333, 5.9, 64, "2008:10:22 16:28:39",
     kMulti, Position{43.4674483333333, 11.8851266666639, std::nullopt, "2008:10:23 14:27:07.24"}},
    {"Fujifilm_FinePix_E500.jpg", "FUJIFILM", "FinePix E500", 0.0125, 2.9, 100,
     "2006:08:17 09:24:48", kMulti, std::nullopt},
    {"Nikon_D70.jpg", "NIKON CORPORATION", "NIKON D70", 0.005, 9, 200, "2008:03:15 09:52:01",
     kCenter, std::nullopt},
    {"Olympus_C8080WZ.jpg", "OLYMPUS CORPORATION", "C8080WZ", 0.00625, 2.8, 50,
     "2006:10:22 15:44:29", kMulti, std::nullopt},
    {"Pentax_K10D.jpg", "PENTAX Corporation", "PENTAX K10D", 0.005555555556, 11, 200,
     "2008:05:04 16:47:24", kMulti, std::nullopt},
    {"canon-ixus.jpg", "Canon", "Canon DIGITAL IXUS", 0.002857142857, 4, std::nullopt,
     "2001:06:09 15:17:32", kCenter, std::nullopt},
    {"kodak-dc210.jpg", "Eastman Kodak Company", "DC210 Zoom (V05.00)", 0.03333333333, 4,
     std::nullopt, "2000:10:26 16:46:51", kCenter, std::nullopt},
    {"sony-cybershot.jpg", "SONY", "CYBERSHOT", 0.005076142132, 4, 100, "2000:09:30 10:59:45",
     kCenter, std::nullopt},
    {"extended/DSCN0021.jpg", "NIKON", "COOLPIX P6000", 0.01044932, 4.7, 64, "2008:10:22 16:38:20",
     kMulti, Position{43.4670816666639, 11.8845383333306, std::nullopt, "2008:10:23 14:36:47.23"}},
    {"extended/iphone-6.jpg", "Apple", "iPhone 6", 0.025, 2.2, 32, "2015:04:10 20:12:23",
     "スポット",  // mode 3
     Position{40.4469722222222, -3.72475277777778, 639.6111111, "2015:04:10 18:12:23.06"}},
    {"extended/nokia-8.3.jpg", "HMD Global", "Nokia 8.3 5G", 0.000541, 2.2, 100,
     "2022:08:14 14:12:31", kCenter,
     Position{60.1467055555556, 24.9067722222222, std::nullopt, "2022:08:14 11:12:32"}},
    {"extended/sony-d700.jpg", "SONY", "DSC-D700", std::nullopt, std::nullopt, 200,
     "1998:12:01 14:22:36", kCenter, std::nullopt},
};

// The text of the line that begins with Prefix after its last occurrence of Separator.
std::optional<std::string> Field(const std::vector<std::string>& lines, const std::string& prefix,
                                 const std::string& separator) {
  const std::vector<std::string> found = LinesStartingWith(lines, prefix);
  if (found.size() != 1) return std::nullopt;
  const size_t at = found[0].rfind(separator);
  if (at == std::string::npos) return std::nullopt;
  return found[0].substr(at + separator.size());
}

// N/D of a rational line, divided.
std::optional<double> Quotient(const std::vector<std::string>& lines, const char* tag,
                               const char* label) {
  const auto fraction = Field(lines, tag, label);
  if (!fraction) return std::nullopt;
  const size_t slash = fraction->find('/');
  return std::stod(fraction->substr(0, slash)) / std::stod(fraction->substr(slash + 1));
}

// The text of a Make or Model line: after the tag, three spaces, the hexadecimal digits
// and three spaces. Trailing spaces are dropped, as exiftool drops them.
std::string AsciiText(const std::vector<std::string>& lines, const char* tag) {
  const std::vector<std::string> found = LinesStartingWith(lines, std::string(tag) + "   ");
  if (found.size() != 1) return "<none>";
  const size_t at = found[0].find("   ", 9);
  if (at == std::string::npos) return "<none>";
  const std::string text = found[0].substr(at + 3);
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

void ExpectNear(std::optional<double> actual, std::optional<double> expected, double tolerance) {
  ASSERT_EQ(actual.has_value(), expected.has_value());
  if (expected) {
    EXPECT_NEAR(*actual, *expected, tolerance);
  }
}

std::optional<double> Number(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return std::stod(*text);
}

class ExtendedCorpus : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
  }
};

TEST_F(ExtendedCorpus, readsTheValuesOfEveryPhotographInEitherByteOrder) {
  for (const Photo& photo : kPhotos) {
    SCOPED_TRACE(photo.file);
    AnalysisState state;
    state.SelectedFile = kCorpus + "/" + photo.file;
    TStringList report;
    ASSERT_EQ(LoadAndAnalyzeExtended(state, report), LoadOutcome::Analysed);
    const std::vector<std::string>& lines = report.Lines();

    EXPECT_EQ(AsciiText(lines, "0x010F"), photo.make);
    EXPECT_EQ(AsciiText(lines, "0x0110"), photo.model);
    const auto relative = [](std::optional<double> v) { return v ? *v * 1e-6 : 0; };
    ExpectNear(Quotient(lines, "0x829A", kExposureLabel), photo.exposureTime,
               relative(photo.exposureTime));
    ExpectNear(Quotient(lines, "0x829D", kFNumberLabel), photo.fNumber, relative(photo.fNumber));
    const auto iso = Field(lines, "0x8827", kIsoLabel);
    EXPECT_EQ(iso ? std::optional<int>(std::stoi(*iso)) : std::nullopt, photo.iso);
    EXPECT_EQ(Field(lines, "0x9003", kDateLabel), std::optional<std::string>(photo.dateTaken));
    EXPECT_EQ(Field(lines, "0x9207", kMeteringLabel),
              std::optional<std::string>(photo.meteringMode));

    // A GPS directory may hold no position (the Canon's holds only its version).
    const bool hasPosition = !LinesStartingWith(lines, "0x0002   ").empty();
    ASSERT_EQ(hasPosition, photo.gps.has_value());
    if (!photo.gps) continue;
    // Decimal degrees are the last field of a coordinate line.
    ExpectNear(Number(Field(lines, "0x0002   ", "   ")), photo.gps->latitude, 1e-6);
    ExpectNear(Number(Field(lines, "0x0004   ", "   ")), photo.gps->longitude, 1e-6);
    const auto altitude = Field(lines, "0x0006   ", "海抜 ");
    ExpectNear(altitude ? Number(altitude->substr(0, altitude->size() - 1)) : std::nullopt,
               photo.gps->altitude, 1e-4);
    EXPECT_EQ(Field(lines, "0x001D   ", "GPS日時　"),
              std::optional<std::string>(photo.gps->dateTime));
  }
}

}  // namespace
