// A Universe built from small data files in a scratch directory, for the entity tests.
#pragma once

#include <memory>
#include <string>

#include <rapidxml/rapidxml.hpp>
#include <rapidxml/rapidxml_print.hpp>

#include "dataDirectory.h"
#include "universe.h"

class EntityTestUniverse {
public:
    // Adds an engine, a hull and a gravity tool to the empty data files and constructs the Universe;
    // three factions and no ship types until a test adds them.
    EntityTestUniverse() {
        dir.data("EquipmentData.xml",
                 "<engines><engine name=\"Ion\" thrust=\"0.002\" revThrust=\"0.001\" turnSpeed=\"0.004\"/>"
                 "</engines><hulls><hull name=\"Plate\" hitpoints=\"800\" mass=\"2\" size=\"30\"/></hulls>"
                 "<gravTools><gravTool name=\"Well\" charge=\"300\" rechargeSpeed=\"0.5\">"
                 "<left spacing=\"40\" mass=\"-0.2\" cost=\"1\" lifetime=\"3000\"/>"
                 "<right spacing=\"60\" mass=\"0.3\" cost=\"2\" lifetime=\"4000\"/></gravTool></gravTools>");
        universe = std::make_unique<Universe>();
        universe->factionNames = {"Player", "Traders", "Pirates"};
        universe->factionRelations.assign(3, std::vector<int16_t>(3, 0));
    }

    // Parses text (kept in this object) and returns its first element.
    rapidxml::xml_node<char>* parse(const std::string& text) {
        texts.push_back(std::make_unique<std::string>(text));
        docs.push_back(std::make_unique<rapidxml::xml_document<char>>());
        docs.back()->parse<0>(&(*texts.back())[0]);
        return docs.back()->first_node();
    }

    // The element that save(doc, element) filled, printed and parsed again.
    template <class Entity>
    rapidxml::xml_node<char>* saveAndReparse(Entity& entity, const char* elementName) {
        rapidxml::xml_document<char> doc;
        auto* record = doc.allocate_node(rapidxml::node_element, elementName);
        doc.append_node(record);
        entity.save(doc, record);
        std::string printed;
        rapidxml::print(std::back_inserter(printed), doc);
        return parse(printed);
    }

    DataDirectory dir;
    std::unique_ptr<Universe> universe;

private:
    std::vector<std::unique_ptr<std::string>> texts;
    std::vector<std::unique_ptr<rapidxml::xml_document<char>>> docs;
};
