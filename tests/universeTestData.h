// A temporary run directory holding the eight data files a Universe reads.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <unistd.h>

class UniverseDataDirectory {
public:
    // Makes a directory with minimal valid data files and enters it.
    UniverseDataDirectory() {
        char pattern[] = "/tmp/tuvaroUniverseXXXXXX";
        path = mkdtemp(pattern);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
        for (const auto& [file, root] : roots())
            write(file, "<" + root + "></" + root + ">");
    }
    ~UniverseDataDirectory() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
    UniverseDataDirectory(const UniverseDataDirectory&) = delete;
    UniverseDataDirectory& operator=(const UniverseDataDirectory&) = delete;

    // Replaces a file (relative to the directory) with text.
    void write(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories((path / name).parent_path());
        std::ofstream(path / name, std::ios::binary) << text;
    }
    void remove(const std::string& name) const { std::filesystem::remove(path / name); }

    // Every data file with its root element name.
    static const std::map<std::string, std::string>& roots() {
        static const std::map<std::string, std::string> table = {
            {"universe.xml", "universe"},       {"projectiles.xml", "projectiles"},
            {"shaders.xml", "shaders"},         {"relations.xml", "relations"},
            {"shipData.xml", "ships"},          {"PlayerData.xml", "player"},
            {"EquipmentData.xml", "equipment"}, {"SatelliteData.xml", "satellites"},
        };
        return table;
    }

    std::filesystem::path path;

private:
    std::filesystem::path previous;
};
