#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Image;

enum class ResourceKind { Png, Bitmap, Icon, SmallIcon };

// Pictures compiled into the executable, by id.
class Resources {
public:
    virtual ~Resources() = default;
    virtual std::optional<std::vector<std::uint8_t>> Find(int id, ResourceKind kind) = 0;
    // Decodes PNG bytes; nullptr when they are not a picture.
    virtual std::unique_ptr<Image> Decode(const std::vector<std::uint8_t>& bytes) = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens an address with the user's default handler; failures are ignored.
    virtual void Open(const std::string& address) = 0;
};

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts a program with exactly this argument vector (argv[0] included), never through a
    // shell, and does not wait for it. False when it could not be started.
    virtual bool Spawn(const std::string& path, const std::vector<std::string>& argv) = 0;
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // One GET with the system's proxy settings; the answer is ignored. onFinished runs on the
    // user-interface thread once the request has been answered, failed or timed out.
    virtual void FetchAsync(const std::string& address, const std::string& userAgent,
                            std::chrono::milliseconds timeout, std::function<void()> onFinished) = 0;
};

// The browsers' shared data (cookies, HTTP cache, storage).
class WebDataStore {
public:
    virtual ~WebDataStore() = default;
    // Removes everything but cookies; onDone runs on the user-interface thread afterwards,
    // also when there was nothing to remove or the removal failed.
    virtual void ClearAllExceptCookies(std::function<void()> onDone) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point Now() = 0;
};

}  // namespace platform
