// The editor's settings in QSettings (organisation "Korvel Studio", application "Tessarine").
#include "editor/forms/QtSettingsStore.h"

namespace tess {

namespace {

QString Key(const std::string& name) {
    return QString::fromStdString(name);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(kOrganization, kApplication)) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

std::string QtSettingsStore::GetString(const std::string& name, const std::string& fallback) {
    const QVariant value = settings_->value(Key(name));
    if (!value.isValid() || !value.canConvert<QString>()) return fallback;
    return value.toString().toStdString();
}

void QtSettingsStore::SetString(const std::string& name, const std::string& value) {
    Write(name, QString::fromStdString(value));
}

int QtSettingsStore::GetInt(const std::string& name, int fallback) {
    const QVariant value = settings_->value(Key(name));
    if (!value.isValid()) return fallback;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

void QtSettingsStore::SetInt(const std::string& name, int value) {
    Write(name, value);
}

bool QtSettingsStore::GetBool(const std::string& name, bool fallback) {
    const QVariant value = settings_->value(Key(name));
    if (!value.isValid()) return fallback;
    // Text files keep booleans as "true" / "false"; numbers count as true when not 0.
    const QString text = value.toString().trimmed().toLower();
    if (text == "true") return true;
    if (text == "false") return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? number != 0 : fallback;
}

void QtSettingsStore::SetBool(const std::string& name, bool value) {
    Write(name, value);
}

void QtSettingsStore::Write(const std::string& name, const QVariant& value) {
    settings_->setValue(Key(name), value);
    // Written at once: the editor may be ended by an error box's Abort.
    settings_->sync();
}

}  // namespace tess
