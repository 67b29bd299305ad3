#include "textfile/Safefileu.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

// Writes all of `text`, going on after partial writes and interruptions.
bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a new, empty file beside `path` under a name nobody else uses; -1 on failure.
int CreateTemporary(const std::filesystem::path& target, std::string& name) {
    static unsigned serial = 0;
    const std::filesystem::path folder = target.parent_path();
    const std::string base = "." + target.filename().string() + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name =
            (folder / (base + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".tmp"))
                .string();
        // 0666 before the umask: the same rights any newly saved file gets.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

bool ReplaceFile(const std::string& path, std::string_view text) {
    const std::filesystem::path target(path);
    if (path.empty() || !target.has_filename()) return false;
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}
