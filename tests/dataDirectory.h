// A scratch run directory holding the eight data files a Universe reads, each a bare root element.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "scratchDirectory.h"
#include "universe.h"

class DataDirectory : public ScratchDirectory {
public:
    // Writes every data file with nothing inside its root element, and enters the directory.
    DataDirectory() {
        for (const auto& entry : roots()) data(entry.first, "");
    }

    // Writes a data file whose root element wraps body.
    void data(const std::string& file, const std::string& body) const {
        const std::string& root = roots().at(file);
        write(file, "<" + root + ">" + body + "</" + root + ">");
    }

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
};

// A Universe read from bare data files in a directory of its own, with what it printed swallowed.
inline std::unique_ptr<Universe> emptyUniverse() {
    DataDirectory dir;  // the Universe keeps the documents it read
    testing::internal::CaptureStdout();
    auto universe = std::make_unique<Universe>();
    testing::internal::GetCapturedStdout();
    return universe;
}
