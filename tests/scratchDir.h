// A fresh directory under the system's temporary folder for tests that read and write real files.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class ScratchDir {
public:
    ScratchDir()
        : path(std::filesystem::temp_directory_path() /
               ("tuvaro-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++))) {
        std::filesystem::create_directories(path);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Writes text to name inside the directory and returns the file's path.
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name) << text;
        return (path / name).string();
    }
    // The path of name inside the directory.
    std::string file(const std::string& name) const { return (path / name).string(); }

    const std::filesystem::path path;

private:
    static inline int counter = 0;
};
