// make_fuzz_seeds OUT_DIR [CORPUS_DIR]: writes the seed inputs of the fuzz targets, one
// folder per target. The same files every run, built with the tests' Exif builder so that
// the bytes stay reviewable instead of being opaque blobs:
// - fuzz_load: a well-formed small Exif file, small malformed ones each aimed at one fault
//   class, and the first 15000 bytes of each corpus photograph;
// - fuzz_text_ops: texts at the edges of the conversion and file-name rules;
// - fuzz_print_cut: lines with tabs and double-byte characters at the cut.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ExifFixture.h"

namespace {

using fixture::Bytes;
using fixture::Tiff;

constexpr size_t kMaxLength = 15000;  // the load buffer

struct Seed {
  std::string name;
  Bytes bytes;
};

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Where fixture::SampleTiff keeps the fields that the seeds bend (TIFF offsets):
// 0E/12 Make's count and value | 2A Exif pointer's value | 2E IFD0 link | 32 IFD1 count
// | A0 ExposureTime rational | B0 SubIFD count | DA/DE DateTimeOriginal's count and value.
constexpr uint32_t kMakeCount = 0x0E;
constexpr uint32_t kMakeValue = 0x12;
constexpr uint32_t kExifPointerValue = 0x2A;
constexpr uint32_t kIfd0Link = 0x2E;
constexpr uint32_t kIfd1Count = 0x32;
constexpr uint32_t kExposureTime = 0xA0;
constexpr uint32_t kSubIfdCount = 0xB0;
constexpr uint32_t kDateCount = 0xDA;
constexpr uint32_t kDateValue = 0xDE;

// The sample file with one change made by Bend.
Bytes Bent(const std::function<void(Tiff&)>& bend) {
  Tiff tiff = fixture::SampleTiff();
  bend(tiff);
  return fixture::ExifJpeg(tiff);
}

std::string Hex8(uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

std::vector<Seed> LoadSeeds() {
  const Bytes good = fixture::SampleJpeg();
  std::vector<Seed> seeds = {
      {"sample", good},  // well-formed, every line kind
      {"jfif_first", fixture::ExifJpeg(fixture::SampleTiff(), true)},  // TIFF header not at 12
      {"empty", {}},                                                   // nothing read at all
      {"exif_only", Text("Exif")},  // signature without TIFF header
      {"exif_midbyte", Join(fixture::FromHex("0457869660"), Text(std::string("II*\0", 4)))},
      {"header_at_end", Join(Join(Text("Exif"), Bytes(9990, 0)), Text(std::string("II*\0", 4)))},
  };
  Bytes motorola = good;  // 12-15 "II*\0" becomes "MM\0*"
  motorola[12] = motorola[13] = 'M';
  motorola[14] = 0x00;
  motorola[15] = 0x2A;
  seeds.push_back({"motorola", motorola});
  for (const size_t cut : {11, 12, 13, 20, 21, 30, 50, 100}) {  // inside the markers / IFD0
    seeds.push_back({"truncated_" + std::to_string(cut), Bytes(good.begin(), good.begin() + cut)});
  }
  // The SubIFD at the buffer's last byte; an ASCII value 3 bytes before the end.
  seeds.push_back({"sub_pointer_last_byte",
                   Bent([](Tiff& t) { t.Put32(kExifPointerValue, kMaxLength - 13); })});
  seeds.push_back({"ascii_near_end", Bent([](Tiff& t) { t.Put32(kMakeValue, kMaxLength - 15); })});
  for (const uint32_t value : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
    // Wrapping value offsets, directory offsets and IFD1 links.
    seeds.push_back(
        {"value_offset_" + Hex8(value), Bent([&](Tiff& t) { t.Put32(kDateValue, value); })});
    seeds.push_back(
        {"exif_offset_" + Hex8(value), Bent([&](Tiff& t) { t.Put32(kExifPointerValue, value); })});
    seeds.push_back({"link_" + Hex8(value), Bent([&](Tiff& t) { t.Put32(kIfd0Link, value); })});
  }
  for (const uint32_t count : {0x20000000u, 0x80000000u, 0xFFFFFFFFu}) {
    // Huge ASCII counts, through IFD0 and through the SubIFD.
    seeds.push_back({"count_" + Hex8(count), Bent([&](Tiff& t) { t.Put32(kMakeCount, count); })});
    seeds.push_back(
        {"date_count_" + Hex8(count), Bent([&](Tiff& t) { t.Put32(kDateCount, count); })});
  }
  const std::vector<Seed> bends = {
      // 65535 IFD1 entries, past the buffer; a SubIFD count beyond its entries.
      {"ifd1_count_ffff", Bent([](Tiff& t) { t.Put16(kIfd1Count, 0xFFFF); })},
      {"sub_count_ff", Bent([](Tiff& t) { t.Put16(kSubIfdCount, 0xFF); })},
      // The IFD0 link back at IFD0, and at the TIFF header (0).
      {"link_to_ifd0", Bent([](Tiff& t) { t.Put32(kIfd0Link, 8); })},
      {"link_to_header", Bent([](Tiff& t) { t.Put32(kIfd0Link, 0); })},
      // Zero denominator, zero over zero, INT_MIN / -1.
      {"rational_1_0", Bent([](Tiff& t) { t.PutRational(kExposureTime, 1, 0); })},
      {"rational_0_0", Bent([](Tiff& t) { t.PutRational(kExposureTime, 0, 0); })},
      {"rational_min_neg1",
       Bent([](Tiff& t) { t.PutRational(kExposureTime, 0x80000000u, 0xFFFFFFFFu); })},
      // Markup and control characters in a value; a line feed and a double-byte character.
      {"make_markup", Bent([](Tiff& t) { t.PutText(0x80, "<b>x</b>\x01\x1b\x7f"); })},
      {"make_line_break", Bent([](Tiff& t) { t.PutText(0x80, "A\nB\x82\xA0"); })},
      // More entries than a table's 50 rows; an IFD0 count that reads past its entries.
      {"ifd0_many_pointers", Bent([](Tiff& t) {
         t.PutIfd(
             0x08,
             std::vector<fixture::Entry>(60, {fixture::kExifPointerTag, fixture::kLong, 1, 0xB0}),
             0x32);
       })},
      {"ifd0_count_ff", Bent([](Tiff& t) { t.Put8(0x08, 0xFF); })},
  };
  seeds.insert(seeds.end(), bends.begin(), bends.end());
  for (Seed& seed : seeds) seed.name += ".jpg";
  return seeds;
}

// 12 bytes of numbers (value, index, count), a split byte, then the text.
std::vector<Seed> TextSeeds() {
  const Bytes numbers = fixture::FromHex("00000080 FFFFFFFF 05000000 00");
  const std::vector<std::string> texts = {
      "0x7FFFFFFF",
      "0x80000000",
      "0xFFFFFFFF",
      "0x100000000",  // hex width edges
      "2147483647",
      "2147483648",
      "-2147483648",
      "-2147483649",  // decimal overflow edges
      "  -$ff",
      "+0X1f",
      "-x10",
      "0x",
      "$",
      "12 ",
      "",  // prefixes, signs, refusals
      "C:\\photos\\IMG.JpG",
      "a.jpg/b",
      "name.",  // extensions and separators
      "a\x83\x5C"
      "b.jpg",
      "\x83\x5C.jpg",
      "x.\x83\x5C",  // trail byte 5C: no separator
  };
  std::vector<Seed> seeds;
  for (size_t i = 0; i < texts.size(); ++i) {
    seeds.push_back({"text_" + std::to_string(i), Join(numbers, Text(texts[i]))});
  }
  return seeds;
}

// One byte of characters per line, then the line.
std::vector<Seed> PrintSeeds() {
  const std::vector<std::pair<uint8_t, std::string>> lines = {
      {92, "\t" + std::string(84, 'a')},        // a tab fills one row exactly
      {92, std::string(91, 'a') + "\x82\xA0"},  // a double-byte character across the cut
      {4, "\x81\x81\x81\x81\x81"},              // lead-class trail bytes
      {0, "abc"},                               // a page too narrow for two characters
      {1, "\x82"},                              // a lone lead byte at the end
      {2, "\t\t\x88\x9F\x88\x9F"},              // tabs and kanji
  };
  std::vector<Seed> seeds;
  for (size_t i = 0; i < lines.size(); ++i) {
    seeds.push_back({"line_" + std::to_string(i), Join({lines[i].first}, Text(lines[i].second))});
  }
  return seeds;
}

// The first bytes of each photograph of the corpus folder, in name order.
std::vector<Seed> PhotoSeeds(const std::filesystem::path& corpus) {
  std::vector<std::filesystem::path> photos;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(corpus, ignored)) {
    std::string extension = entry.path().extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".jpg") photos.push_back(entry.path());
  }
  std::sort(photos.begin(), photos.end());
  std::vector<Seed> seeds;
  for (const auto& photo : photos) {
    std::ifstream in(photo, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    seeds.push_back({"corpus_" + photo.filename().string(), bytes});
  }
  return seeds;
}

bool WriteAll(const std::filesystem::path& folder, const std::vector<Seed>& seeds) {
  std::filesystem::create_directories(folder);
  for (const Seed& seed : seeds) {
    std::ofstream out(folder / seed.name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(seed.bytes.data()),
              static_cast<std::streamsize>(std::min(seed.bytes.size(), kMaxLength)));
    if (!out) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: make_fuzz_seeds OUT_DIR [CORPUS_DIR]\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::vector<Seed> load = LoadSeeds();
  const std::vector<Seed> photos = PhotoSeeds(argc > 2 ? argv[2] : EXIF_CORPUS_DIR);
  load.insert(load.end(), photos.begin(), photos.end());
  const bool written = WriteAll(out / "fuzz_load", load) &&
                       WriteAll(out / "fuzz_text_ops", TextSeeds()) &&
                       WriteAll(out / "fuzz_print_cut", PrintSeeds());
  if (!written) {
    std::fprintf(stderr, "make_fuzz_seeds: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
