#include "platform/QtSettingsStore.h"

namespace {

QString Key(const std::string& key) {
    return QStringLiteral("Settings/") + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore() : settings(QStringLiteral("Kesto"), QStringLiteral("mosa")) {}

std::optional<std::string> QtSettingsStore::ReadString(const std::string& key) {
    if (!settings.contains(Key(key))) return std::nullopt;
    return settings.value(Key(key)).toString().toStdString();
}

void QtSettingsStore::WriteString(const std::string& key, const std::string& value) {
    settings.setValue(Key(key), QString::fromStdString(value));
}

std::optional<int> QtSettingsStore::ReadInt(const std::string& key) {
    if (!settings.contains(Key(key))) return std::nullopt;
    bool ok = false;
    const int value = settings.value(Key(key)).toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

void QtSettingsStore::WriteInt(const std::string& key, int value) {
    settings.setValue(Key(key), value);
}
