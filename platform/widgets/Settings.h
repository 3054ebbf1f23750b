#pragma once
// Options remembered between runs of the program, in the user's configuration folder.

#include <string>

namespace platform {

bool ReadBoolSetting(const std::string& Key, bool Default);
void WriteBoolSetting(const std::string& Key, bool Value);

}  // namespace platform
