// Replacing a file only once its new contents are safely on disk.
#pragma once

#include <string>
#include <string_view>

// Writes `text` to a new file beside `path`, flushes it to disk and then renames it over
// `path`. On any failure the temporary is removed, the file at `path` (if any) is left as it
// was, and the answer is false.
bool ReplaceFile(const std::string& path, std::string_view text);
