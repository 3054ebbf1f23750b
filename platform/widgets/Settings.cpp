#include "Settings.h"

#include <QSettings>

namespace platform {

// Both use ~/.config/exif-analyzer/exif-analyzer.conf, or the same under $XDG_CONFIG_HOME.

bool ReadBoolSetting(const std::string& Key, bool Default) {
  const QSettings settings(QStringLiteral("exif-analyzer"), QStringLiteral("exif-analyzer"));
  return settings.value(QString::fromStdString(Key), Default).toBool();
}

void WriteBoolSetting(const std::string& Key, bool Value) {
  QSettings settings(QStringLiteral("exif-analyzer"), QStringLiteral("exif-analyzer"));
  settings.setValue(QString::fromStdString(Key), Value);
}

}  // namespace platform
