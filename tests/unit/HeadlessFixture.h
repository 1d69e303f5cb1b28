#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "app/AppSettings.h"
#include "app/COrvexClientApp.h"
#include "browser/CDocHostUIHandlerImpl.h"
#include "launcher/CControllersDlg.h"
#include "launcher/COrvexClientDlg.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessWindow.h"
#include "skin/ResourceImageCache.h"

// Names parameterised cases after their "name" field.
struct CaseName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& testInfo) const {
        return testInfo.param.name;
    }
};

// Every test gets a fresh headless backend, fresh process-wide objects and an
// installation directory of its own.
class HeadlessFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProcessState();
        m_installDirectory = std::filesystem::temp_directory_path() /
                             ("varnholt-unit-" + std::to_string(::getpid()) + "-" + std::to_string(++s_counter));
        std::filesystem::remove_all(m_installDirectory);
        std::filesystem::create_directories(m_installDirectory);
        backend.executablePath = (m_installDirectory / "orvex-client").string();
        backend.executableImagePath = backend.executablePath;
        platform::SetCurrent(&backend);
    }

    void TearDown() override {
        platform::SetCurrent(nullptr);
        ResetProcessState();
        std::error_code ignored;
        std::filesystem::permissions(SettingsPath(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_installDirectory, ignored);
    }

    static void ResetProcessState() {
        AppSettings::Instance().ResetForTests();
        ResourceImageCache::Instance().ResetForTests();
        COrvexClientDlg::ResetProcessStateForTests();
        CControllersDlg::ResetProcessStateForTests();
    }

    std::filesystem::path InstallDirectory() const { return m_installDirectory; }
    std::filesystem::path SettingsPath() const { return m_installDirectory / "pm_config.ini"; }

    void WriteSettingsFile(const std::string& content) const {
        std::ofstream out(SettingsPath(), std::ios::binary);
        out << content;
    }

    std::string ReadSettingsFile() const {
        std::ifstream in(SettingsPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    platform::headless::HeadlessUserInterface& Ui() { return backend.HeadlessUi(); }

    platform::headless::HeadlessPlatform backend;

private:
    std::filesystem::path m_installDirectory;
    static inline int s_counter = 0;
};
