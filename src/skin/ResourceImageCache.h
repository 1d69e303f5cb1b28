#pragma once

#include <map>
#include <memory>
#include <string>

#include "../platform/Image.h"
#include "../platform/Services.h"

// Pictures from the executable's resources. Caption strips and faces are decoded once per
// process and shared; frame templates (PNG ids) are decoded anew for each requester.
class ResourceImageCache {
public:
    static ResourceImageCache& Instance();

    // Never fails: a missing or undecodable resource gives a null image, which draws nothing.
    std::shared_ptr<const platform::Image> GetImage(int id);

    // The application icon at the system's small-icon size, shared.
    std::shared_ptr<const platform::Image> GetSmallIcon(int id);

    // A picture for one owner, bypassing the cache; empty when it is missing.
    static platform::Image LoadUncached(int id, platform::ResourceKind kind);

    // The launcher's one-off load of its background; a null image when it is missing.
    static platform::Image LoadLauncherBackground(int id);

    static bool IsPngId(int id) { return id == 164 || id == 166 || id == 167; }

    void ResetForTests() {
        m_images.clear();
        m_smallIcons.clear();
    }

private:
    ResourceImageCache() = default;

    std::map<std::string, std::shared_ptr<const platform::Image>> m_images;
    std::map<int, std::shared_ptr<const platform::Image>> m_smallIcons;
};
