#include "HeadlessPlatform.h"

#include <string>

namespace platform::headless {

namespace {
const std::string kImageTag = "headless-image:";
}

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::AddResource(int id, ResourceKind kind, Image image) {
    m_resourceIndex[{id, kind}] = static_cast<int>(m_images.size());
    m_images.push_back(std::move(image));
}

std::optional<std::vector<std::uint8_t>> HeadlessPlatform::Find(int id, ResourceKind kind) {
    const auto found = m_resourceIndex.find({id, kind});
    if (found == m_resourceIndex.end()) {
        return std::nullopt;
    }
    const std::string name = kImageTag + std::to_string(found->second);
    return std::vector<std::uint8_t>(name.begin(), name.end());
}

std::unique_ptr<Image> HeadlessPlatform::Decode(const std::vector<std::uint8_t>& bytes) {
    const std::string name(bytes.begin(), bytes.end());
    if (name.rfind(kImageTag, 0) != 0) {
        return nullptr;
    }
    const std::size_t index = std::stoul(name.substr(kImageTag.size()));
    return index < m_images.size() ? std::make_unique<Image>(m_images[index]) : nullptr;
}

void HeadlessPlatform::ClearAllExceptCookies(std::function<void()> onDone) {
    ++webDataClears;
    if (holdWebDataClears) {
        heldWebDataClears.push_back(std::move(onDone));
    } else if (onDone) {
        onDone();
    }
}

bool HeadlessPlatform::Spawn(const std::string& path, const std::vector<std::string>& argv) {
    spawns.push_back({path, argv});
    m_ui.EventLog().push_back("spawn");
    if (onSpawn) {
        onSpawn(spawns.back());
    }
    return spawnSucceeds;
}

void HeadlessPlatform::FetchAsync(const std::string& address, const std::string& userAgent,
                                  std::chrono::milliseconds timeout, std::function<void()> onFinished) {
    fetches.push_back({address, userAgent, timeout, std::move(onFinished)});
}

void HeadlessPlatform::FinishFetches() {
    for (FetchRecord& fetch : fetches) {
        if (fetch.onFinished) {
            auto callback = std::move(fetch.onFinished);
            fetch.onFinished = nullptr;
            callback();
        }
    }
}

}  // namespace platform::headless
