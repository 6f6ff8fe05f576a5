// The editor's settings in QSettings (organisation "Korvel Studio", application "Tessarine").
#pragma once

#include <QSettings>
#include <memory>

#include "resources/Settings.h"

namespace tess {

class QtSettingsStore final : public SettingsStore {
  public:
    static constexpr const char* kOrganization = "Korvel Studio";
    static constexpr const char* kApplication = "Tessarine";

    // The user's settings of the editor.
    QtSettingsStore();
    // Any other QSettings (tests give one in a file of their own).
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    // A value that is missing, or stored with a type that does not convert, gives the fallback.
    std::string GetString(const std::string& name, const std::string& fallback) override;
    void SetString(const std::string& name, const std::string& value) override;
    int GetInt(const std::string& name, int fallback) override;
    void SetInt(const std::string& name, int value) override;
    bool GetBool(const std::string& name, bool fallback) override;
    void SetBool(const std::string& name, bool value) override;

    QSettings& Settings() { return *settings_; }

  private:
    void Write(const std::string& name, const QVariant& value);

    std::unique_ptr<QSettings> settings_;
};

}  // namespace tess
