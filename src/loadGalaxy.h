// Building the shader list, catalogues, worlds and the player from the data documents.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class Player;
class Universe;
struct lua_State;

// Compiles every shader the shaders document names and records its uniform keys.
void initializeShaders(Universe& universe);
// Builds factions, relations, projectile types, ship types and every world from the
// documents (a save's universe document too); false, with a message, when the
// documents cannot give a galaxy (no world at all, or a document missing).
bool initializeStars(Universe& universe, lua_State* lua);
// The player's ship from the player document; points the current world at the first world.
std::unique_ptr<Player> initializePlayer(Universe& universe);
// "friendly" 100, "hostile" -100, "neutral" 0; any other text is reported and gives 0.
int16_t decodeRelationship(const std::string& attitude);
// Prints the outline of "universe.xml" (worlds, stars and their children) to the console.
void testXML();
