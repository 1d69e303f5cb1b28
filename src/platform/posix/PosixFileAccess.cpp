#include "PosixFileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    bool IsValid() const { return m_fd >= 0; }

private:
    int m_fd;
};

}  // namespace

std::optional<std::string> PosixFileAccess::ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    // O_NONBLOCK keeps a FIFO planted under the name from hanging the start.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.IsValid()) {
        return std::nullopt;
    }
    struct stat info {};
    // Permission bits are honoured even for root: a file nobody may read is not read.
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || (info.st_mode & 0444) == 0 ||
        static_cast<std::size_t>(info.st_size) > maxBytes) {
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() > maxBytes) {
            return std::nullopt;
        }
    }
    return content;
}

AppendOutcome PosixFileAccess::AppendToExistingFile(const std::string& path, const std::string& data) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.IsValid()) {
        return AppendOutcome::NotOpened;
    }
    struct stat info {};
    // A file made read-only stays untouched, even when root could write it.
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0) {
        return AppendOutcome::NotOpened;
    }
    const off_t sizeBefore = info.st_size;
    ssize_t written = -1;
    do {
        written = ::write(fd.Get(), data.data(), data.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(data.size())) {
        // A torn record would corrupt the next reader's view; take it back.
        if (written > 0) {
            (void)::ftruncate(fd.Get(), sizeBefore);
        }
        return AppendOutcome::WriteFailed;
    }
    return AppendOutcome::Appended;
}

}  // namespace platform::posix
