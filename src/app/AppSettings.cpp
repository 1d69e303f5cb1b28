#include "AppSettings.h"

#include <cstdio>
#include <vector>

#include "../platform/Platform.h"
#include "AdapterAddress.h"
#include "SettingsFileParser.h"
#include "VersionBlock.h"

namespace {

// The operator's addresses; a distributor points a copy elsewhere through pm_config.ini.
struct DefaultSetting {
    const char* key;
    const char* value;
};
constexpr DefaultSetting kDefaults[] = {
    {"page", "https://passport.varnholt.example/embed/login?game=varnholt"},
    {"platform", "rediruri"},
    {"home", "https://www.varnholt.example/"},
    {"service", "https://www.varnholt.example/service/faq"},
    {"bbs", "https://bbs.varnholt.example/forum/varnholt"},
    {"charge", "https://pay.varnholt.example/charge?game=varnholt"},
    {"airclient", "false"},
};

// Far more than any settings file needs; a larger file is not a settings file.
constexpr std::size_t kMaxSettingsFileSize = 8u << 20;

}  // namespace

AppSettings& AppSettings::Instance() {
    static AppSettings* instance = new AppSettings();  // lives until the process ends
    return *instance;
}

void AppSettings::SetDefaults() {
    GetModuleDirectory();
    for (const DefaultSetting& setting : kDefaults) {
        m_settings[setting.key] = setting.value;
    }
    LoadSettingsFile();
}

void AppSettings::LoadSettingsFile() {
    const std::string directory = GetModuleDirectory();
    const std::optional<std::string> content =
        platform::Current().Files().ReadRegularFile(directory + "/" + kSettingsFileName, kMaxSettingsFileSize);
    if (!content) {
        return;
    }
    for (auto& [key, value] : SettingsFileParser::Parse(*content)) {
        m_settings[key] = std::move(value);
    }
}

std::string AppSettings::GetValue(const std::string& key) const {
    const auto found = m_settings.find(key);
    return found == m_settings.end() ? std::string() : found->second;
}

void AppSettings::AppendValue(const std::string& key, const std::string& value) {
    const std::string path = GetModuleDirectory() + "/" + kSettingsFileName;
    // Nothing is reported: a missing or read-only file simply keeps the setting unrecorded.
    (void)platform::Current().Files().AppendToExistingFile(path, "\r\n" + key + "=" + value);
}

std::string AppSettings::GetModuleDirectory() {
    if (!m_strModuleDirectory.empty()) {
        return m_strModuleDirectory;
    }
    const std::string path = platform::Current().Process().ExecutablePath();
    const std::size_t slash = path.rfind('/');
    m_strModuleDirectory = slash == std::string::npos ? std::string() : path.substr(0, slash);
    return m_strModuleDirectory;
}

std::string AppSettings::GetStartPage() {
    const std::string page = GetValue("page");
    const std::string platformKey = GetValue("platform");
    if (platformKey == "baidu") {
        return page + "&mac=" + GetAdapterAddressText();
    }
    if (platformKey == "360") {
        const std::vector<std::string> arguments = platform::Current().Process().CommandLineArguments();
        for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
            if (arguments[i] == "-url") {
                std::string address = arguments[i + 1];
                std::erase(address, '"');
                return address;
            }
        }
        return page;
    }
    return page;
}

std::string AppSettings::GetFileVersion() {
    const std::optional<VersionBlock> block =
        VersionBlock::ReadFromFile(platform::Current().Process().ExecutableImagePath());
    if (!block) {
        return "error";
    }
    std::string result;
    for (const auto& [language, codePage] : block->Translations()) {
        char path[64] = {};
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\FileVersion", language, codePage);
        result += block->Query(path).value_or(std::string());
    }
    return result;
}

void AppSettings::ResetForTests() {
    m_settings.clear();
    m_strModuleDirectory.clear();
}
