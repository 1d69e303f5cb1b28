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

// A missing or undecodable picture is an empty one, which draws nothing.
std::shared_ptr<const platform::Image> DecodeShared(int id, platform::ResourceKind kind) {
    std::unique_ptr<platform::Image> image = DecodeResource(id, kind);
    return image ? std::shared_ptr<const platform::Image>(std::move(image)) : std::make_shared<const platform::Image>();
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
        return DecodeShared(id, platform::ResourceKind::Png);
    }
    return m_images.emplace(key, DecodeShared(id, platform::ResourceKind::Bitmap)).first->second;
}

std::shared_ptr<const platform::Image> ResourceImageCache::GetSmallIcon(int id) {
    if (const auto found = m_smallIcons.find(id); found != m_smallIcons.end()) {
        return found->second;
    }
    return m_smallIcons.emplace(id, DecodeShared(id, platform::ResourceKind::SmallIcon)).first->second;
}

platform::Image ResourceImageCache::LoadUncached(int id, platform::ResourceKind kind) {
    std::unique_ptr<platform::Image> image = DecodeResource(id, kind);
    return image ? std::move(*image) : platform::Image();
}

platform::Image ResourceImageCache::LoadLauncherBackground(int id) { return LoadUncached(id, platform::ResourceKind::Png); }
