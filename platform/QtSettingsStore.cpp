#include "platform/QtSettingsStore.h"

QtSettingsStore::QtSettingsStore(const std::string& section)
    : settings(QStringLiteral("Kesto"), QStringLiteral("mosa")),
      prefix(QString::fromStdString(section) + QLatin1Char('/')) {}

QString QtSettingsStore::Key(const std::string& key) const {
    return prefix + QString::fromStdString(key);
}

std::optional<std::string> QtSettingsStore::ReadString(const std::string& key) {
    const QVariant value = settings.value(Key(key));
    // A value that is not text (a list, a rectangle, an invalid entry) is unreadable, and the
    // caller's default applies rather than an empty string.
    if (!value.isValid() || value.typeId() == QMetaType::QStringList ||
        !value.canConvert<QString>()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
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
