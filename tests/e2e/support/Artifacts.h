#pragma once

#include <filesystem>
#include <string>

namespace e2e {

// Where tests leave screenshots and logs for a person to look at: the build tree's
// tests/e2e/artifacts, or $VARNHOLT_E2E_ARTIFACTS when set. Created on demand.
std::filesystem::path ArtifactPath(const std::string& fileName);

// The running test's name, fit for a file name (parameterised names lose their '/').
std::string CurrentTestName();

// The demo portal's document root in the source tree.
std::filesystem::path DemoPortalRoot();

}  // namespace e2e
