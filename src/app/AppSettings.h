#pragma once

#include <string>
#include <unordered_map>

// The process-wide settings store: built-in defaults, overridden by the lines of
// pm_config.ini beside the executable when the defaults are installed.
class AppSettings {
public:
    static constexpr const char* kSettingsFileName = "pm_config.ini";

    static AppSettings& Instance();

    void SetDefaults();
    std::string GetValue(const std::string& key) const;
    void AppendValue(const std::string& key, const std::string& value);
    std::string GetModuleDirectory();
    std::string GetStartPage();
    static std::string GetFileVersion();

    // Unit tests run many start-ups in one process.
    void ResetForTests();

private:
    AppSettings() = default;
    void LoadSettingsFile();

    std::unordered_map<std::string, std::string> m_settings;
    std::string m_strModuleDirectory;
};
