#include "Artifacts.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace e2e {

std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info != nullptr ? info->name() : "no-test";
    for (char& c : name) {
        if (c == '/') c = '-';
    }
    return name;
}

std::filesystem::path ArtifactPath(const std::string& fileName) {
    const char* overridden = std::getenv("VARNHOLT_E2E_ARTIFACTS");
    std::filesystem::path directory = overridden != nullptr && *overridden != '\0'
                                          ? std::filesystem::path(overridden)
                                          : std::filesystem::path(VARNHOLT_E2E_ARTIFACT_DIR);
    std::filesystem::create_directories(directory);
    return directory / fileName;
}

std::filesystem::path DemoPortalRoot() { return VARNHOLT_DEMO_PORTAL_ROOT; }

}  // namespace e2e
