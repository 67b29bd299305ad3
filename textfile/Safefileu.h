// Reading and replacing files without hanging on special files or damaging the old contents.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Writes `text` to a new file created exclusively beside `path`, flushes it to disk, renames it
// over `path` and flushes the folder. A `path` that is a symbolic link has its target replaced,
// and the link stays; a replaced file keeps its permission bits. Something at `path` that is
// not a regular file (a folder, a FIFO, a device) is never replaced. On any failure the
// temporary is removed, the file at `path` (if any) is left as it was, and the answer is false;
// only when the last step, flushing the folder, fails are the new contents already in place
// (the answer is still false: they might not survive a crash).
bool ReplaceFile(const std::string& path, std::string_view text);

enum class FileRead {
    Read,       // `text` holds the whole file
    CannotOpen, // missing, or no permission
    NotRegular, // a folder, a FIFO, a device or a socket: refused before any byte is read
    TooLarge,   // more than the limit the caller gave
    Failed,     // an error while reading
};

// Reads a regular file of at most `maxBytes` bytes whole into `text` (empty unless Read). The
// file is opened without blocking and checked before anything is read, so a FIFO or a device
// never holds the caller up, and a huge or growing file is refused after at most `maxBytes`.
FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text);
