#include "textfile/Safefileu.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

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

// Follows symbolic links from `path` to the name the contents live under, which need not exist
// yet. False for a link loop or a link that cannot be read.
bool FollowLinks(fs::path& path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(path, error);
        if (status.type() == fs::file_type::not_found) return true;
        if (error) return false;
        if (!fs::is_symlink(status)) return true;
        const fs::path link = fs::read_symlink(path, error);
        if (error) return false;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return false;
}

// Creates a new, empty file beside `target` under a name nobody else uses; -1 on failure.
// O_EXCL refuses any name that exists, a planted symbolic link included.
int CreateTemporary(const fs::path& target, std::string& name) {
    static unsigned serial = 0;
    // Built by appending: GCC 12 at -O3 sees a false overlap (-Wrestrict) in "." + string.
    std::string base(1, '.');
    base += target.filename().string();
    base += '.';
    base += std::to_string(::getpid());
    base += '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string leaf = base;
        leaf += std::to_string(++serial);
        leaf += ".tmp";
        name = (target.parent_path() / leaf).string();
        // 0666 before the umask: the same rights any newly saved file gets.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Flushes the folder's entry for a renamed file to disk. A file system that cannot flush
// folders (EINVAL) has nothing more to offer.
bool SyncFolder(const fs::path& folder) {
    const std::string name = folder.empty() ? "." : folder.string();
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    return ::close(fd) == 0 && ok;
}

FileRead ReadOpen(int fd, std::size_t maxBytes, std::string& text) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return FileRead::Failed;
    if (!S_ISREG(info.st_mode)) return FileRead::NotRegular;
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return FileRead::TooLarge;
    // The size can change under the reader: the limit is kept while reading as well.
    text.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return FileRead::Failed;
        if (got == 0) return FileRead::Read;
        if (text.size() + static_cast<std::size_t>(got) > maxBytes) return FileRead::TooLarge;
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

} // namespace

bool ReplaceFile(const std::string& path, std::string_view text) {
    fs::path target(path);
    if (path.empty() || !target.has_filename() || !FollowLinks(target)) return false;
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) return false;
    if (replacing && !S_ISREG(old.st_mode)) return false;

    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return false;
    bool ok = (!replacing || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, text) &&
              ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    return SyncFolder(target.parent_path());
}

FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text) {
    text.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return FileRead::CannotOpen;
    const FileRead result = ReadOpen(fd, maxBytes, text);
    ::close(fd);
    if (result != FileRead::Read) text.clear();
    return result;
}
