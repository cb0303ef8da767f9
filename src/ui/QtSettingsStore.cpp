#include "ui/QtSettingsStore.h"

#include <QSettings>
#include <utility>

namespace pk10::ui {

QtSettingsStore::QtSettingsStore(QString file) : file_(std::move(file)) {}

std::optional<std::string> QtSettingsStore::Read(const std::string& key) const {
    const QSettings settings(QStringLiteral("pk10plan"), file_);
    const QVariant value = settings.value(QString::fromStdString(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

bool QtSettingsStore::Write(const std::string& key, const std::string& value) {
    QSettings settings(QStringLiteral("pk10plan"), file_);
    settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace pk10::ui
