#include "DisplayText.h"

#include <QFile>
#include <algorithm>
#include <unordered_map>

#include "ShiftJis.h"

namespace platform {

namespace {

bool ShowsAsReplacement(char16_t unit) {
  return (unit < 0x20 && unit != u'\t') || (unit >= 0x7F && unit <= 0x9F) || unit == 0x2028 ||
         unit == 0x2029;
}

// The display form of one character of a line: a byte, or a lead and a trail byte.
// Decoded through the text layer once per distinct character.
const QString& DecodePiece(unsigned char lead, int trail) {
  static std::unordered_map<int, QString> cache;
  const int key = (lead << 9) | (trail + 1);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  std::string bytes(1, static_cast<char>(lead));
  if (trail >= 0) bytes += static_cast<char>(trail);
  QString text = QString::fromStdString(SjisToUtf8(bytes));
  for (QChar& c : text) {
    if (ShowsAsReplacement(c.unicode())) c = QChar::ReplacementCharacter;
  }
  return cache.emplace(key, text).first->second;
}

}  // namespace

QString FromSjis(const std::string& Sjis) {
  return QString::fromStdString(SjisToUtf8(Sjis));
}

QString FromNativePath(const std::string& Path) {
  return QFile::decodeName(QByteArray::fromStdString(Path));
}

QString NativePathOnOneRow(const std::string& Path) {
  QString text = FromNativePath(Path);
  for (QChar& c : text) {
    if (c == u'\t' || ShowsAsReplacement(c.unicode())) c = QChar::ReplacementCharacter;
  }
  return text;
}

std::string ToNativePath(const QString& Path) {
  return QFile::encodeName(Path).toStdString();
}

QString SjisLineForDisplay(const std::string& Line, std::vector<int>* ByteOfUnit) {
  QString text;
  text.reserve(static_cast<qsizetype>(Line.size()));
  if (ByteOfUnit != nullptr) ByteOfUnit->clear();
  const size_t size = Line.size();
  for (size_t i = 0; i < size;) {
    const auto byte = static_cast<unsigned char>(Line[i]);
    size_t length = 1;
    if (byte < 0x80) {
      text += ShowsAsReplacement(byte) ? QChar(QChar::ReplacementCharacter) : QChar(byte);
    } else {
      int trail = -1;
      if (IsSjisLeadByte(byte) && i + 1 < size &&
          IsSjisTrailByte(static_cast<unsigned char>(Line[i + 1]))) {
        trail = static_cast<unsigned char>(Line[i + 1]);
        length = 2;
      }
      text += DecodePiece(byte, trail);
    }
    if (ByteOfUnit != nullptr) ByteOfUnit->resize(static_cast<size_t>(text.size()), int(i));
    i += length;
  }
  if (ByteOfUnit != nullptr) ByteOfUnit->push_back(static_cast<int>(size));
  return text;
}

void AppendSjisLineForDisplay(QString& Out, const std::string& Line) {
  const bool plain = std::all_of(Line.begin(), Line.end(),
                                 [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t'; });
  if (plain) {
    Out += QLatin1String(Line.data(), static_cast<qsizetype>(Line.size()));
  } else {
    Out += SjisLineForDisplay(Line);
  }
}

}  // namespace platform
