#pragma once
// Texts on their way into and out of Qt. System texts are Shift-JIS; file paths are native
// file-system bytes and never pass through Shift-JIS.

#include <QString>
#include <string>
#include <vector>

namespace platform {

// A Shift-JIS text for a widget; bytes that form no character show as U+FFFD.
QString FromSjis(const std::string& Sjis);

// A native path for display.
QString FromNativePath(const std::string& Path);
// A native path for a one-row display: as FromNativePath, with line breaks, tabs and other
// control characters shown as U+FFFD.
QString NativePathOnOneRow(const std::string& Path);
// A path that Qt handed over, as native bytes.
std::string ToNativePath(const QString& Path);

// One line of a memo as the widget shows it: the Shift-JIS line decoded character by
// character, with line breaks and other control characters (tab excepted) shown as U+FFFD,
// so that one line always stays one line. When ByteOfUnit is given it receives, for every
// UTF-16 unit of the result and one past its end, the offset of the line byte at which the
// unit's character starts.
QString SjisLineForDisplay(const std::string& Line, std::vector<int>* ByteOfUnit = nullptr);
// The same text appended to Out. A line of printable ASCII and tabs, as nearly every report
// line is, is widened in one step without a string of its own.
void AppendSjisLineForDisplay(QString& Out, const std::string& Line);

}  // namespace platform
