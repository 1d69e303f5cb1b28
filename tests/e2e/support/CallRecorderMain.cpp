// e2e-call-recorder: a stand-in for programs the client starts (the external game client,
// the default browser). It appends its argv as one JSON line to "<its own path>.calls"
// and exits 0. The end-to-end tests read that file through CallLog.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "CallLog.h"

int main(int argc, char** argv) {
    std::vector<char> self(PATH_MAX + 1, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", self.data(), PATH_MAX);
    if (length <= 0) return 70;
    const std::string logFile = std::string(self.data(), static_cast<size_t>(length)) + ".calls";

    e2e::CallLog::Call call(argv, argv + argc);
    const std::string line = e2e::CallLog::Encode(call) + "\n";

    const int fd = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return 71;
    // Several calls may race (the browser opened twice): one whole line each.
    ::flock(fd, LOCK_EX);
    size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd, line.data() + written, line.size() - written);
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    ::close(fd);
    return written == line.size() ? 0 : 72;
}
