// Universe construction: the eight data documents and the fallback records.
#include "universe.h"

#include <iostream>

#include "player.h"
#include "timer.h"
#include "uiDisplay.h"
#include "universeDocument.h"
#include "worldState.h"

Universe::Universe()
    : universeText(readWholeFile("universe.xml")),
      projectilesText(readWholeFile("projectiles.xml")),
      shadersText(readWholeFile("shaders.xml")),
      relationsText(readWholeFile("relations.xml")),
      shipsText(readWholeFile("shipData.xml")),
      playerText(readWholeFile("PlayerData.xml")),
      equipmentText(readWholeFile("EquipmentData.xml")),
      satellitesText(readWholeFile("SatelliteData.xml")) {
    std::cout << "Loading universe XML files" << std::endl;
    parseDocuments();
    std::cout << "Completed loading universe XML files" << std::endl;
    setFallbackRecords();
    applyDefaultEquipment();
    buildSatelliteCatalogue();
}

Universe::~Universe() { deleteTimedEffects(); }

void Universe::deleteTimedEffects() {
    for (WorldState& world : worlds) {
        for (TimerBase* timer : world.timers)
            delete timer;
        world.timers.clear();
    }
}

void Universe::parseDocuments() {
    struct Document {
        const char* file;
        const char* root;
        std::vector<char>& text;
        XmlDocument& doc;
        XmlNode*& rootNode;
    };
    const Document documents[] = {
        {"universe.xml", "universe", universeText, universeDoc, universeRoot},
        {"projectiles.xml", "projectiles", projectilesText, projectilesDoc, projectilesRoot},
        {"shaders.xml", "shaders", shadersText, shadersDoc, shadersRoot},
        {"relations.xml", "relations", relationsText, relationsDoc, relationsRoot},
        {"shipData.xml", "ships", shipsText, shipsDoc, shipsRoot},
        {"PlayerData.xml", "player", playerText, playerDoc, playerRoot},
        {"EquipmentData.xml", "equipment", equipmentText, equipmentDoc, equipmentRoot},
        {"SatelliteData.xml", "satellites", satellitesText, satellitesDoc, satellitesRoot},
    };
    for (const Document& d : documents)
        if (!parseDocument(d.file, d.root, d.text, d.doc, d.rootNode))
            allDocumentsLoaded = false;
}

// The data are expected to supply an engine and a hull named "default" and
// every grav tool's lifetimes; these values keep the game sane when they don't.
void Universe::setFallbackRecords() {
    defaultEngine.name = "Default Engine";
    defaultEngine.thrust = 0.001f;
    defaultEngine.revThrust = 0.0005f;
    defaultEngine.turnSpeed = 0.005f;

    defaultHull.name = "Default Hull";
    defaultHull.hitpoints = 1000;
    defaultHull.mass = 1.0f;
    defaultHull.size = 40.0f;

    defaultGravTool.name = "Default Grav Tool";
    defaultGravTool.left = {"", 50, -0.1f, 10.0f, 3000};
    defaultGravTool.right = {"", 50, 0.1f, 10.0f, 3000};
    defaultGravTool.rechargeDelay = 1;
    defaultGravTool.rechargeSpeed = 1.0f;
    defaultGravTool.charge = 400.0f;

    defaultPlanetData = planetData();  // empty name, every number 0, owned by no faction
}
