// A temporary working directory for tests that read and write real files.
#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

class ScratchDirectory {
public:
    // Makes an empty directory (or a copy of source) and enters it.
    explicit ScratchDirectory(const std::string& source = "") {
        char pattern[] = "/tmp/tuvaroScratchXXXXXX";
        if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a scratch directory");
        path = pattern;
        if (!source.empty())
            std::filesystem::copy(source, path, std::filesystem::copy_options::recursive);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
    }
    ~ScratchDirectory() {
        std::filesystem::current_path(previous);
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Writes text, byte for byte, to name (relative to the directory) and returns the file's path.
    std::string write(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories((path / name).parent_path());
        std::ofstream(path / name, std::ios::binary) << text;
        return file(name);
    }
    // The path of name inside the directory.
    std::string file(const std::string& name) const { return (path / name).string(); }
    // Copies one file of the game's run directory to the same place in this directory.
    void copyFromGame(const std::string& name) const {
        std::filesystem::create_directories((path / name).parent_path());
        std::filesystem::copy_file(std::filesystem::path(TUVARO_GAME_DIR) / name, path / name);
    }
    // Removes one file of the directory.
    void remove(const std::string& name) const { std::filesystem::remove(path / name); }

    std::filesystem::path path;

private:
    std::filesystem::path previous;
};
