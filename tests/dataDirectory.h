// A scratch run directory holding the eight data files a Universe reads, each a bare root element.
#pragma once

#include <map>
#include <string>

#include "scratchDirectory.h"

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
