// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

struct ScratchFolder {
    std::filesystem::path Path =
        std::filesystem::temp_directory_path() / ("brisko-test-" + std::to_string(getpid()));
    ScratchFolder() { std::filesystem::create_directories(Path); }
    ~ScratchFolder() { std::filesystem::remove_all(Path); }
    std::string File(const char* name) const { return (Path / name).string(); }
    long Files() const { return std::distance(std::filesystem::directory_iterator(Path), {}); }
};

// The bytes of a file, empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
