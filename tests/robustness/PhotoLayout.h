#pragma once
// Where the fields of a real photograph's TIFF structure lie, found by a small reader of
// its own (Intel byte order only), so that tests can cut or bend the file at exactly those
// fields. Only the first 10000 bytes are looked at, as the analysis does.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ExifFixture.h"

// One field of the file to bend: its file offset and width in bytes (2 or 4).
struct Field {
  size_t at;
  int width;
};

struct Directory {
  size_t start = 0;  // file offset of its 16-bit entry count
  size_t entries = 0;
  size_t link = 0;  // file offset of its 32-bit link
};

struct PhotoLayout {
  size_t exifAt = 0;                   // file offset of the first "Exif"
  size_t tiffBase = 0;                 // file offset of the first "II*\0"
  std::vector<Directory> directories;  // IFD0, then IFD1 and SubIFD where present
  std::vector<Field> countAndOffsetFields;
};

inline fixture::Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return fixture::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace photo_layout_detail {

inline bool Has(const fixture::Bytes& b, size_t at, size_t n) {
  return at <= 10000 && n <= 10000 - at && at + n <= b.size();
}
inline uint32_t Le(const fixture::Bytes& b, size_t at, int width) {
  uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}
inline size_t Find(const fixture::Bytes& b, const std::string& s) {
  for (size_t at = 0; Has(b, at, s.size()); ++at) {
    if (std::equal(s.begin(), s.end(), b.begin() + static_cast<long>(at))) return at;
  }
  return SIZE_MAX;
}

}  // namespace photo_layout_detail

// The layout of File, or false when it has no Exif signature or Intel TIFF header.
inline bool ReadPhotoLayout(const fixture::Bytes& file, PhotoLayout* layout) {
  using namespace photo_layout_detail;
  layout->exifAt = Find(file, "Exif");
  layout->tiffBase = Find(file, std::string("II*\0", 4));
  if (layout->exifAt == SIZE_MAX || layout->tiffBase == SIZE_MAX) return false;
  const size_t base = layout->tiffBase;
  layout->countAndOffsetFields.push_back({base + 4, 4});  // the IFD0 offset

  auto readDirectory = [&](size_t start) {
    if (!Has(file, start, 2)) return;
    Directory d;
    d.start = start;
    d.entries = Le(file, start, 2);
    d.link = start + 2 + 12 * d.entries;
    layout->directories.push_back(d);
    layout->countAndOffsetFields.push_back({start, 2});
    for (size_t k = 0; k < d.entries; ++k) {
      const size_t entry = start + 2 + 12 * k;
      if (!Has(file, entry, 12)) break;
      layout->countAndOffsetFields.push_back({entry + 4, 4});  // count
      layout->countAndOffsetFields.push_back({entry + 8, 4});  // value or value offset
    }
    if (Has(file, d.link, 4)) layout->countAndOffsetFields.push_back({d.link, 4});
  };

  readDirectory(base + 8);
  const Directory ifd0 = layout->directories.front();
  size_t subIfd = 0;
  for (size_t k = 0; k < ifd0.entries && Has(file, ifd0.start + 2 + 12 * k, 12); ++k) {
    const size_t entry = ifd0.start + 2 + 12 * k;
    if (Le(file, entry, 2) == 0x8769) subIfd = base + Le(file, entry + 8, 4);
  }
  if (Has(file, ifd0.link, 4) && Le(file, ifd0.link, 4) != 0) {
    readDirectory(base + Le(file, ifd0.link, 4));
  }
  if (subIfd != 0) readDirectory(subIfd);
  return true;
}

// The corpus photographs with an Intel TIFF header among the first 10000 bytes.
inline std::vector<std::string> IntelCorpusPhotos() {
  static const char* const kNames[] = {
      "canon-ixus.jpg", "sony-cybershot.jpg",  "DSCN0010.jpg",   "Canon_40D.jpg",
      "Nikon_D70.jpg",  "Olympus_C8080WZ.jpg", "Pentax_K10D.jpg"};
  return std::vector<std::string>(std::begin(kNames), std::end(kNames));
}

inline std::string CorpusPath(const std::string& name) {
  return std::string(EXIF_CORPUS_DIR) + "/" + name;
}

// A test name made from a corpus photograph's file name, without its extension.
inline std::string PhotoTestName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param.substr(0, info.param.find('.'));
  for (char& c : name) {
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}
