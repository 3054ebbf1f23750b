// exif-report's contract on crafted files: what it prints on stdout and stderr and its
// exit status, for good files, refusals, conversion errors, several files and bad usage.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "ExifFixture.h"
#include "RunReport.h"

namespace {

using fixture::Bytes;

// The sample photograph with the TIFF header turned to Motorola byte order.
Bytes MotorolaJpeg() {
  Bytes bytes = fixture::SampleJpeg();
  // 12-15 TIFF header "II*\0" becomes "MM\0*"
  bytes[12] = 'M';
  bytes[13] = 'M';
  bytes[14] = 0x00;
  bytes[15] = 0x2A;
  return bytes;
}

// The sample photograph whose APP1 identifier is not "Exif".
Bytes NotExifJpeg() {
  Bytes bytes = fixture::SampleJpeg();
  bytes[9] = 'x';  // 6-9 "Exif" becomes "Exix"
  return bytes;
}

// An IFD0 without entries whose link puts IFD1 past the end of the loaded bytes: the
// IFD1 count reads as "0x" alone and does not convert.
Bytes ConversionErrorJpeg() {
  fixture::Tiff tiff;
  tiff.PutIfd(0x08, {}, 0x4000);
  return fixture::ExifJpeg(tiff);
}

// The sample photograph whose make ends in the first byte of a double-byte character.
Bytes HalfCharacterJpeg() {
  fixture::Tiff tiff = fixture::SampleTiff();
  tiff.PutText(0x80, "MAK\x81");
  return fixture::ExifJpeg(tiff);
}

// The worked-example file whose make holds a line feed and a double-byte character, and
// whose model holds CR LF: bytes of a value that a line must keep as its own.
Bytes LineBreakInValuesJpeg() {
  fixture::Tiff tiff = fixture::SampleTiff();
  tiff.PutText(0x80, "A\nB\x82\xA0");
  tiff.PutText(0x86, "\x82\xA0X\r\nY");
  return fixture::ExifJpeg(tiff);
}

// The crafted files, in one temporary directory.
class ExifReportTest : public ::testing::Test {
 protected:
  ExifReportTest() : sample_(fixture::SampleJpeg(), "sample.jpg") {
    Write("motorola.jpg", MotorolaJpeg());
    Write("not-exif.JPG", NotExifJpeg());
    Write("partial.jpg", ConversionErrorJpeg());
    Write("empty.jpg", {});
    Write("half-char.jpg", HalfCharacterJpeg());
    Write("line-breaks.jpg", LineBreakInValuesJpeg());
    Write("sample.txt", fixture::SampleJpeg());
    std::filesystem::create_directory(Path("folder.jpg"));
  }

  std::string Path(const std::string& name) const { return sample_.dir() + "/" + name; }
  void Write(const std::string& name, const Bytes& bytes) {
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  fixture::TempFile sample_;
};

struct ContractCase {
  const char* claim;
  std::vector<std::string> args;  // "@name" stands for the crafted file of that name
  int status;
  std::string out;  // "@utf8" / "@sjis": the sample's report in that form
  std::string err;  // "@name" at the start stands for that file's path
};

TEST_F(ExifReportTest, followsItsContractForEachKindOfArgument) {
  const std::string synopsis =
      "usage: exif-report [--sjis] [--extended] FILE...\n"
      "       exif-report --help | --version\n";
  const std::vector<ContractCase> cases = {
      {"a good file prints its report as UTF-8", {"@sample.jpg"}, 0, "@utf8", ""},
      {"--sjis prints the saved file's bytes", {"--sjis", "@sample.jpg"}, 0, "@sjis", ""},
      {"an option may follow the file", {"@sample.jpg", "--sjis"}, 0, "@sjis", ""},
      {"a missing file is refused as unreadable",
       {"@missing.jpg"},
       1,
       "",
       u8"@missing.jpg: ファイルを開けませんでした\n"},
      {"a directory is refused as unreadable",
       {"@folder.jpg"},
       1,
       "",
       u8"@folder.jpg: ファイルを開けませんでした\n"},
      {"a name without .JPG is refused",
       {"@sample.txt"},
       1,
       "",
       u8"@sample.txt: ＪＰＧ　ファイルではないようです\n"},
      {"an empty name has no extension", {""}, 1, "", u8": ＪＰＧ　ファイルではないようです\n"},
      {"an empty file has no Exif signature",
       {"@empty.jpg"},
       1,
       "",
       u8"@empty.jpg: Exifではないようです\n"},
      {"a file without Exif is refused",
       {"@not-exif.JPG"},
       1,
       "",
       u8"@not-exif.JPG: Exifではないようです\n"},
      {"a Motorola file is refused",
       {"@motorola.jpg"},
       1,
       "",
       u8"@motorola.jpg: インテル形式ではないようです\n"},
      {"-- makes the next argument a file",
       {"--", "--sjis"},
       1,
       "",
       u8"--sjis: ＪＰＧ　ファイルではないようです\n"},
      {"a lone dash is a file", {"-"}, 1, "", u8"-: ＪＰＧ　ファイルではないようです\n"},
      {"--version prints the version", {"--version"}, 0, "exif-report 1.01\n", ""},
      {"no file is a usage error", {}, 2, "", "exif-report: no file given\n" + synopsis},
      {"--sjis alone is a usage error",
       {"--sjis"},
       2,
       "",
       "exif-report: no file given\n" + synopsis},
      {"an unknown long option is a usage error",
       {"--frobnicate", "@sample.jpg"},
       2,
       "",
       "exif-report: unknown option '--frobnicate'\n" + synopsis},
      {"an unknown short option is a usage error",
       {"@sample.jpg", "-q"},
       2,
       "",
       "exif-report: unknown option '-q'\n" + synopsis},
  };

  const std::vector<std::string> sampleLines = CoreReportLines(sample_.path());
  for (const ContractCase& c : cases) {
    SCOPED_TRACE(c.claim);
    std::vector<std::string> args;
    for (const std::string& arg : c.args) args.push_back(arg[0] == '@' ? Path(arg.substr(1)) : arg);
    std::string out = c.out;
    if (out == "@utf8") out = ExpectedOutput(sampleLines, false);
    if (out == "@sjis") out = ExpectedOutput(sampleLines, true);
    const std::string err = c.err[0] == '@' ? Path(c.err.substr(1)) : c.err;

    const ReportRun run = RunReport(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, err);
  }
}

TEST_F(ExifReportTest, printsTheSampleReportInBothForms) {
  const ReportRun utf8 = RunReport({Path("sample.jpg")});
  EXPECT_EQ(utf8.out.rfind("00000H  : FFD8        SOI\n00002H  : FFE1        APP1\n", 0), 0u);
  EXPECT_NE(utf8.out.find(
                u8"\n0x9207　　　　   　　　　　　　　測光モ－ド　マルチセグメント（評価測光）\n"),
            std::string::npos);

  // Plain literals are Shift-JIS here, as in the program.
  const ReportRun sjis = RunReport({"--sjis", Path("sample.jpg")});
  EXPECT_EQ(sjis.out.rfind("00000H  : FFD8        SOI\r\n00002H  : FFE1        APP1\r\n", 0), 0u);
  EXPECT_NE(
      sjis.out.find(
          "\r\n0x9207　　　　   　　　　　　　　測光モ－ド　マルチセグメント（評価測光）\r\n"),
      std::string::npos);
}

TEST_F(ExifReportTest, aBrokenCharacterBecomesAReplacementCharacterInItsOwnLine) {
  const ReportRun run = RunReport({Path("half-char.jpg")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, ExpectedOutput(CoreReportLines(Path("half-char.jpg")), false));
  EXPECT_NE(run.out.find(u8"   MAK\uFFFD\n0x0110   "), std::string::npos);
}

// Each report line is converted on its own: the UTF-8 form holds the Shift-JIS form's
// lines in the same order, each with the CR and LF bytes of its value.
TEST_F(ExifReportTest, aLineBreakInsideAValueStaysInItsOwnLine) {
  const std::vector<std::string> lines = CoreReportLines(Path("line-breaks.jpg"));
  const ReportRun utf8 = RunReport({Path("line-breaks.jpg")});
  EXPECT_EQ(utf8.status, 0);
  EXPECT_EQ(utf8.out, ExpectedOutput(lines, false));
  EXPECT_NE(utf8.out.find(u8"   A\nB\u3042\n0x0110   "), std::string::npos);
  EXPECT_NE(utf8.out.find(u8"   \u3042X\r\nY\n \n\nSubIFD"), std::string::npos);
  EXPECT_EQ(RunReport({"--sjis", Path("line-breaks.jpg")}).out, ExpectedOutput(lines, true));
}

TEST_F(ExifReportTest, conversionErrorPrintsTheLinesSoFarThenTheMessage) {
  const ReportRun run = RunReport({Path("partial.jpg")});
  EXPECT_EQ(run.status, 1);
  // The IFD1 count line is appended before its text fails to convert.
  EXPECT_EQ(run.out, ExpectedOutput(CoreReportLines(Path("partial.jpg")), false));
  const std::string tail = "\n\nIFD1\n0400CH  : 0x\n";
  ASSERT_GE(run.out.size(), tail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
  EXPECT_EQ(run.err, Path("partial.jpg") + u8": '0x' は整数ではありません\n");
}

TEST_F(ExifReportTest, severalFilesGetHeadersAndARefusalDoesNotStopTheRest) {
  const std::vector<std::string> sample = CoreReportLines(Path("sample.jpg"));
  const std::vector<std::string> partial = CoreReportLines(Path("partial.jpg"));
  const std::vector<std::string> args = {Path("sample.jpg"), Path("motorola.jpg"),
                                         Path("partial.jpg"), Path("sample.jpg")};
  const std::string err = Path("motorola.jpg") + u8": インテル形式ではないようです\n" +
                          Path("partial.jpg") + u8": '0x' は整数ではありません\n";
  for (const bool sjis : {false, true}) {
    SCOPED_TRACE(sjis ? "--sjis" : "UTF-8");
    const std::string eol = sjis ? "\r\n" : "\n";
    std::vector<std::string> withOption = args;
    if (sjis) withOption.insert(withOption.begin(), "--sjis");

    const ReportRun run = RunReport(withOption);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "==> " + args[0] + " <==" + eol + ExpectedOutput(sample, sjis) + eol +
                           "==> " + args[2] + " <==" + eol + ExpectedOutput(partial, sjis) + eol +
                           "==> " + args[3] + " <==" + eol + ExpectedOutput(sample, sjis));
    EXPECT_EQ(run.err, err);
  }
}

// Where stdout and stderr meet, each message comes right after the report bytes before it.
TEST_F(ExifReportTest, messagesKeepTheirPlaceAmongReportsOnOneTerminalOrFile) {
  const std::vector<std::string> args = {Path("sample.jpg"), Path("motorola.jpg"),
                                         Path("partial.jpg"), Path("sample.jpg")};
  const std::string sample = ExpectedOutput(CoreReportLines(Path("sample.jpg")), false);
  const std::string expected =
      "==> " + args[0] + " <==\n" + sample + args[1] + u8": インテル形式ではないようです\n" +
      "\n==> " + args[2] + " <==\n" + ExpectedOutput(CoreReportLines(args[2]), false) + args[2] +
      u8": '0x' は整数ではありません\n" + "\n==> " + args[3] + " <==\n" + sample;
  for (const SharedPlace place : {SharedPlace::File, SharedPlace::Terminal}) {
    SCOPED_TRACE(place == SharedPlace::File ? "one file" : "a terminal");
    EXPECT_EQ(RunReportCombined(args, place), expected);
  }
}

// A long run, of more files than the ring of files read ahead holds: each file prints, in
// its place, exactly what it prints when it is reported alone, with the headers between.
TEST_F(ExifReportTest, aLongRunPrintsWhatEachFilePrintsAloneInItsPlace) {
  const std::vector<std::string> kinds = {
      "sample.jpg", "motorola.jpg", "partial.jpg",     "empty.jpg",    "sample.txt",
      "folder.jpg", "missing.jpg",  "line-breaks.jpg", "not-exif.JPG", "half-char.jpg"};
  std::vector<std::string> files;
  for (size_t i = 0; i < 150; ++i) files.push_back(Path(kinds[(i * 7) % kinds.size()]));
  for (const bool sjis : {false, true}) {
    SCOPED_TRACE(sjis ? "--sjis" : "UTF-8");
    const std::vector<std::string> option =
        sjis ? std::vector<std::string>{"--sjis"} : std::vector<std::string>{};
    const auto withOption = [&](std::vector<std::string> args) {
      args.insert(args.begin(), option.begin(), option.end());
      return args;
    };
    std::map<std::string, ReportRun> alone;
    for (const std::string& kind : kinds) alone[Path(kind)] = RunReport(withOption({Path(kind)}));

    std::string expected;
    bool anyPrinted = false;
    for (const std::string& file : files) {
      const ReportRun& run = alone[file];
      if (!run.out.empty()) {
        if (anyPrinted) expected += sjis ? "\r\n" : "\n";
        expected += "==> " + file + " <==" + (sjis ? "\r\n" : "\n") + run.out;
        anyPrinted = true;
      }
      expected += run.err;
    }
    EXPECT_EQ(RunReportCombined(withOption(files), SharedPlace::File), expected);
  }
}

// Output and status of a shell command, stderr included.
std::string ShellOutput(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen((command + " 2>&1; echo \"status $?\"").c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  ::pclose(pipe);
  return out;
}

// Where no second thread can be started (here: a user allowed one process), the files are
// read in turn and the run prints the same.
TEST_F(ExifReportTest, withoutASecondThreadTheRunPrintsTheSame) {
  if (::geteuid() != 0) GTEST_SKIP() << "runs the program as another user, which needs root";
  ::chmod(sample_.dir().c_str(), 0755);
  std::filesystem::copy_file(EXIF_REPORT_PATH, Path("exif-report"));
  const std::string run = "cd '" + sample_.dir() + "' && ";
  const std::string files = " ./exif-report sample.jpg motorola.jpg partial.jpg sample.jpg";
  const std::string alone = ShellOutput(run + files);
  EXPECT_NE(alone.find("==> partial.jpg <=="), std::string::npos) << alone;
  // A sanitizer build's leak check at exit needs a process of its own, which the limit refuses.
  const std::string limited =
      "ASAN_OPTIONS=detect_leaks=0 setpriv --reuid=65534 --regid=65534 --clear-groups "
      "prlimit --nproc=1";
  EXPECT_EQ(ShellOutput(run + limited + files), alone);
}

TEST_F(ExifReportTest, severalGoodFilesExitWithZero) {
  const ReportRun run = RunReport({Path("sample.jpg"), Path("sample.jpg")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}

TEST_F(ExifReportTest, aFailedWriteOnStdoutIsReported) {
  const std::vector<std::vector<std::string>> cases = {
      {Path("sample.jpg")}, {Path("sample.jpg"), Path("sample.jpg")}, {"--version"}, {"--help"}};
  for (const std::vector<std::string>& args : cases) {
    SCOPED_TRACE(args[0]);
    const ReportRun run = RunReport(args, "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "exif-report: write error: No space left on device\n");
  }
}

TEST_F(ExifReportTest, helpShowsTheUsage) {
  const ReportRun run = RunReport({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("usage: exif-report [--sjis] [--extended] FILE...\n", 0), 0u);
  EXPECT_NE(run.out.find("--sjis"), std::string::npos);
  EXPECT_EQ(run.err, "");
}

}  // namespace
