#include "ResourceImageCache.h"

#include "../platform/Platform.h"

namespace {
std::unique_ptr<platform::Image> DecodeResource(int id, platform::ResourceKind kind) {
    platform::Resources& resources = platform::Current().Res();
    const auto bytes = resources.Find(id, kind);
    if (!bytes) {
        return nullptr;
    }
    return resources.Decode(*bytes);
}
}  // namespace

ResourceImageCache& ResourceImageCache::Instance() {
    static ResourceImageCache* instance = new ResourceImageCache();  // lives until the process ends
    return *instance;
}

std::shared_ptr<const platform::Image> ResourceImageCache::GetImage(int id) {
    const std::string key = std::to_string(id);
    if (const auto found = m_images.find(key); found != m_images.end()) {
        return found->second;
    }
    if (IsPngId(id)) {
        std::unique_ptr<platform::Image> image = DecodeResource(id, platform::ResourceKind::Png);
        return image ? std::shared_ptr<const platform::Image>(std::move(image))
                     : std::make_shared<const platform::Image>();
    }
    std::unique_ptr<platform::Image> image = DecodeResource(id, platform::ResourceKind::Bitmap);
    std::shared_ptr<const platform::Image> stored =
        image ? std::shared_ptr<const platform::Image>(std::move(image)) : std::make_shared<const platform::Image>();
    m_images.emplace(key, stored);
    return stored;
}

std::shared_ptr<const platform::Image> ResourceImageCache::GetSmallIcon(int id) {
    if (const auto found = m_smallIcons.find(id); found != m_smallIcons.end()) {
        return found->second;
    }
    std::unique_ptr<platform::Image> image = DecodeResource(id, platform::ResourceKind::SmallIcon);
    std::shared_ptr<const platform::Image> stored =
        image ? std::shared_ptr<const platform::Image>(std::move(image)) : std::make_shared<const platform::Image>();
    m_smallIcons.emplace(id, stored);
    return stored;
}

platform::Image ResourceImageCache::LoadLauncherBackground(int id) {
    std::unique_ptr<platform::Image> image = DecodeResource(id, platform::ResourceKind::Png);
    return image ? std::move(*image) : platform::Image();
}
