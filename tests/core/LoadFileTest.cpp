// The loading command after the chooser: the name check, the load into a fresh buffer, the
// signature checks, and which outcomes leave the report as it was.

#include <gtest/gtest.h>

#include <vector>

#include "AnalysisRun.h"
#include "FileFaults.h"
#include "LoadFile.h"
#include "TextOps.h"

using platform::EConvertError;
using platform::ExtractFileExt;
using platform::FileCalls;
using platform::TStringList;
using platform::UpperCase;

namespace {

using fixture::Bytes;
using fixture::FromHex;
using fixture::SampleJpeg;
using fixture::TempFile;

const std::vector<std::string> kEarlierReport = {"an earlier report"};

// Runs the command for Path on State, over a report that holds an earlier analysis.
AnalysisRun LoadPath(AnalysisState& state, const std::string& path) {
  AnalysisRun run = RunPath(state, path, kEarlierReport);
  EXPECT_EQ(run.error, "") << path;
  return run;
}

AnalysisRun LoadPath(const std::string& path) {
  AnalysisState state;
  return LoadPath(state, path);
}

TEST(LoadAndAnalyze, acceptsOnlyNamesEndingInJpg) {
  struct Case {
    const char* name;
    LoadOutcome outcome;
  } cases[] = {
      {"IMG_0001.JpG", LoadOutcome::Analysed},
      {"IMG_0001.jpg", LoadOutcome::Analysed},
      {"IMG_0001.JPG", LoadOutcome::Analysed},
      {"IMG_0001.jpeg", LoadOutcome::NotJpg},
      {"IMG_0001.jpe", LoadOutcome::NotJpg},
      {"photo.jpg.bak", LoadOutcome::NotJpg},
      {"photos.jpg/IMG_0001", LoadOutcome::NotJpg},
      {"IMG_0001", LoadOutcome::NotJpg},
      {"IMG_0001.", LoadOutcome::NotJpg},
      // Paths are native bytes (UTF-8 here), never converted to Shift-JIS.
      {u8"写真.jpg/画像.JpG", LoadOutcome::Analysed},
      {u8"写真.jpg/画像", LoadOutcome::NotJpg},
  };
  for (const Case& c : cases) {
    const TempFile file(SampleJpeg(), c.name);
    const AnalysisRun load = LoadPath(file.path());
    EXPECT_EQ(load.outcome, c.outcome) << c.name;
    if (c.outcome == LoadOutcome::Analysed) {
      EXPECT_EQ(load.lines.front(), "00000H  : FFD8        SOI") << c.name;
    } else {
      EXPECT_EQ(load.lines, kEarlierReport) << c.name;
    }
  }
}

// The quick test of a name gives the answer of the general rule: the extension after the
// last separator, double-byte characters skipped, is .JPG in any case.
TEST(HasJpgName, answersAsTheExtensionRuleDoes) {
  const std::string names[] = {
      "",
      "jpg",
      ".jpg",
      "a.jpg",
      "A.JPG",
      "a.JpG",
      "a.jpeg",
      "a.jpg.txt",
      "a.txt.jpg",
      "a.jpg/",
      "a.j/pg",
      "a/.jpg",
      "a\\.jpg",
      "a:.jpg",
      "a.jpgx",
      "a.jp",
      "a.kpg",
      "a.jqg",
      "a.jpf",
      "a,jpg",
      "a.JPG ",
      "a.*PG",
      "a.J\x10G",
      "\x81.jpg",       // a lead byte before the dot, which is no trail byte
      "\x83\x5c.jpg",   // a double-byte character whose trail byte is a backslash
      "a.\x83\x5cjpg",  // the same between the dot and the name's end
      "\x81\x40.JPG",
      u8"写真.jpg",
      "a.\xCA\xD0\xC7",  // "j", "p", "g" with the bit 0x80 set
  };
  for (const std::string& name : names) {
    EXPECT_EQ(HasJpgName(name), UpperCase(ExtractFileExt(name)) == ".JPG") << name;
  }
}

TEST(LoadAndAnalyze, doesNothingWhenNothingIsChosen) {
  const AnalysisRun load = LoadPath("");
  EXPECT_EQ(load.outcome, LoadOutcome::NothingChosen);
  EXPECT_EQ(load.lines, kEarlierReport);
  EXPECT_EQ(RefusalMessage(LoadOutcome::NothingChosen), "");
}

// A file that cannot be opened or read is refused with its own message, and neither the
// report nor the loaded bytes of the earlier file change.
TEST(LoadAndAnalyze, refusesAFileThatCannotBeRead) {
  const TempFile earlier(SampleJpeg());
  const TempFile directory(Bytes{}, "folder.jpg/inner");
  const std::string missing = earlier.dir() + "/missing.jpg";
  for (const std::string& path : {missing, directory.dir() + "/folder.jpg"}) {
    AnalysisState state;
    ASSERT_EQ(LoadPath(state, earlier.path()).outcome, LoadOutcome::Analysed);
    const auto loaded = state.LoadBuffer;
    const AnalysisRun load = LoadPath(state, path);
    EXPECT_EQ(load.outcome, LoadOutcome::CannotOpen) << path;
    EXPECT_EQ(load.lines, kEarlierReport) << path;
    EXPECT_EQ(state.LoadBuffer, loaded) << path;
  }
  EXPECT_EQ(RefusalMessage(LoadOutcome::CannotOpen), "ファイルを開けませんでした");
}

// Every load starts from a zeroed buffer: a short file shows only its own bytes, so the
// signatures of a longer earlier file cannot make it pass.
TEST(LoadAndAnalyze, loadsEveryFileIntoAFreshBuffer) {
  Bytes large = SampleJpeg();
  large.resize(12000, 0x55);
  const TempFile earlier(large);
  const TempFile shortFile(FromHex("FFD8FFE101"));
  const TempFile empty(Bytes{});

  for (const TempFile* file : {&shortFile, &empty}) {
    AnalysisState state;
    ASSERT_EQ(LoadPath(state, earlier.path()).outcome, LoadOutcome::Analysed);
    EXPECT_EQ(state.LoadBuffer[9999], 0x55);
    EXPECT_EQ(state.LoadBuffer[10000], 0) << "only the first 10000 bytes are read";

    const AnalysisRun load = LoadPath(state, file->path());
    EXPECT_EQ(load.outcome, LoadOutcome::NotExif) << file->path();
    EXPECT_EQ(load.lines, kEarlierReport);
    const std::string image = HexImage(state);
    const size_t size = file == &shortFile ? 5 : 0;
    EXPECT_EQ(image.substr(0, 2 * size), size ? "FFD8FFE101" : "");
    EXPECT_EQ(image.find_first_not_of('0', 2 * size), std::string::npos);
  }
}

// A read may deliver only a few bytes, as over a network or a FUSE file system: the load
// goes on until 10000 bytes or the file's end, and analyses exactly what one read would
// have given. A file that fits is read with one call, none more to find its end.
TEST(LoadAndAnalyze, readsTenThousandBytesOrToTheEndHoweverLittleEachReadDelivers) {
  Bytes large = SampleJpeg();
  large.resize(12000, 0x55);
  const TempFile photo(large);
  const TempFile small(SampleJpeg());
  AnalysisState whole;
  const AnalysisRun expected = LoadPath(whole, photo.path());
  ASSERT_EQ(expected.outcome, LoadOutcome::Analysed);

  InjectedFaults faults;
  FileCalls.Read = fault::ShortRead;
  for (const size_t limit : {1, 7, 4096, 10000}) {
    fault::ReadLimit = limit;
    fault::ReadCalls = 0;
    AnalysisState state;
    EXPECT_EQ(LoadPath(state, photo.path()).lines, expected.lines) << limit;
    EXPECT_EQ(state.LoadBuffer, whole.LoadBuffer) << limit;
    EXPECT_EQ(fault::ReadCalls, static_cast<int>((10000 + limit - 1) / limit)) << limit;
  }

  fault::ReadLimit = 10000;
  fault::ReadCalls = 0;
  std::vector<uint8_t> buffer(10000);
  EXPECT_EQ(ReadFileStart(small.path(), buffer.data(), 10000), SampleJpeg().size());
  EXPECT_EQ(fault::ReadCalls, 1);
}

// A read that fails part-way refuses the file: what was read of it is not analysed.
TEST(LoadAndAnalyze, refusesAFileWhoseReadFailsPartWay) {
  const TempFile failing(SampleJpeg());
  AnalysisState state;

  InjectedFaults faults;
  FileCalls.Read = [](int handle, void* buffer, size_t count) -> ssize_t {
    if (fault::ReadCalls++ == 0) return ::read(handle, buffer, std::min<size_t>(count, 100));
    errno = EIO;
    return -1;
  };
  fault::ReadCalls = 0;
  const AnalysisRun load = LoadPath(state, failing.path());
  EXPECT_EQ(load.outcome, LoadOutcome::CannotOpen);
  EXPECT_EQ(load.lines, kEarlierReport);
}

// 10000 bytes of 0x45 ('E', the first byte of "Exif") ending in Tail: a search must try
// every byte and stop at the end of what was read.
Bytes EndingIn(const std::string& tail) {
  Bytes bytes(10000 - tail.size(), 0x45);
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

// Both signatures count only where they start on a whole byte.
TEST(LoadAndAnalyze, checksTheSignaturesOnWholeBytes) {
  struct Case {
    const char* claim;
    Bytes file;
    LoadOutcome outcome;
  } cases[] = {
      {"Exif across bytes: 04 57 86 96 60", FromHex("FFD8 0457869660 49492A00"),
       LoadOutcome::NotExif},
      {"Exif on whole bytes, no TIFF header", FromHex("FFD8 45786966 4D4D002A"),
       LoadOutcome::NotIntel},
      {"Exif on whole bytes, Intel header across bytes: 04 94 92 A0 0x",
       FromHex("FFD8 45786966 049492A000"), LoadOutcome::NotIntel},
      {"Exif and an Intel header on whole bytes", FromHex("FFD8 45786966 49492A00"),
       LoadOutcome::Analysed},
      {"both in the last bytes read", EndingIn(std::string("ExifII*\0", 8)), LoadOutcome::Analysed},
      {"Exif cut by the end of what was read", EndingIn("Exi"), LoadOutcome::NotExif},
      {"the Intel header's zero is the buffer's zero after what was read", EndingIn("ExifII*"),
       LoadOutcome::Analysed},
  };
  for (const Case& c : cases) {
    const TempFile file(c.file);
    EXPECT_EQ(LoadPath(file.path()).outcome, c.outcome) << c.claim;
  }
}

// A Motorola file passes only when the bytes 49 49 2A 00 occur somewhere on whole bytes;
// the analysis then reads from there.
TEST(LoadAndAnalyze, refusesMotorolaFilesUnlessAnIntelHeaderOccurs) {
  Bytes motorola = FromHex("FFD8 FFE1 0020 457869660000 4D4D002A00000008 0000");
  const TempFile refused(motorola);
  EXPECT_EQ(LoadPath(refused.path()).outcome, LoadOutcome::NotIntel);

  const Bytes inside = FromHex("49492A00 08000000 0000 00000000");
  motorola.insert(motorola.end(), inside.begin(), inside.end());
  const TempFile passing(motorola);
  AnalysisState state;
  const AnalysisRun load = LoadPath(state, passing.path());
  EXPECT_EQ(load.outcome, LoadOutcome::Analysed);
  EXPECT_EQ(state.TiffBase, 22);
}

// A conversion error leaves the command with the lines appended so far in the report.
TEST(LoadAndAnalyze, passesTheConversionErrorOnWithThePartialReport) {
  fixture::Tiff tiff = fixture::SampleTiff();
  tiff.Put32(0x2E, 0x10000);  // IFD0's link: IFD1 beyond the buffer
  const TempFile file(fixture::ExifJpeg(tiff));
  AnalysisState state;
  state.SelectedFile = file.path();
  TStringList report;
  report.Add("an earlier report");
  try {
    LoadAndAnalyze(state, report);
    FAIL() << "no conversion error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "'0x' は整数ではありません");
  }
  ASSERT_GT(report.Count(), 0);
  EXPECT_EQ(report.Strings(0), "00000H  : FFD8        SOI");
  EXPECT_EQ(report.Lines().back(), "1000CH  : 0x");
}

TEST(RefusalMessage, namesEachRefusal) {
  EXPECT_EQ(RefusalMessage(LoadOutcome::NotJpg), "ＪＰＧ　ファイルではないようです");
  EXPECT_EQ(RefusalMessage(LoadOutcome::NotExif), "Exifではないようです");
  EXPECT_EQ(RefusalMessage(LoadOutcome::NotIntel), "インテル形式ではないようです");
  EXPECT_EQ(RefusalMessage(LoadOutcome::Analysed), "");
  // Full-width letters and an ideographic space, in Shift-JIS.
  EXPECT_EQ(RefusalMessage(LoadOutcome::NotJpg).substr(0, 8), "\x82\x69\x82\x6F\x82\x66\x81\x40");
}

}  // namespace
