// Named settings the editor keeps between runs (the Qt editor backs them with QSettings).
#pragma once

#include <map>
#include <string>

namespace tess {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::string GetString(const std::string& name, const std::string& fallback) = 0;
    virtual void SetString(const std::string& name, const std::string& value) = 0;
    virtual int GetInt(const std::string& name, int fallback) = 0;
    virtual void SetInt(const std::string& name, int value) = 0;
    virtual bool GetBool(const std::string& name, bool fallback) = 0;
    virtual void SetBool(const std::string& name, bool value) = 0;
};

// Settings held in memory only: the CLI and tests.
class MemorySettings final : public SettingsStore {
  public:
    std::string GetString(const std::string& name, const std::string& fallback) override {
        auto it = strings_.find(name);
        return it == strings_.end() ? fallback : it->second;
    }
    void SetString(const std::string& name, const std::string& value) override {
        strings_[name] = value;
    }
    int GetInt(const std::string& name, int fallback) override {
        auto it = ints_.find(name);
        return it == ints_.end() ? fallback : it->second;
    }
    void SetInt(const std::string& name, int value) override { ints_[name] = value; }
    bool GetBool(const std::string& name, bool fallback) override {
        auto it = ints_.find(name);
        return it == ints_.end() ? fallback : it->second != 0;
    }
    void SetBool(const std::string& name, bool value) override { ints_[name] = value ? 1 : 0; }

  private:
    std::map<std::string, std::string> strings_;
    std::map<std::string, int> ints_;
};

}  // namespace tess
