-- luacheck settings for the interface script, content/ui.lua.
std = "lua51"
max_line_length = 120

-- The game calls these; the script defines them.
globals = {"addUI", "updateUI", "planetTick"}

-- The game's host functions, offered to the script.
read_globals = {
  "getPlayerWorld", "getIsPlayerLanded", "getPlayerLandedPlanetId", "getDecodedPlanetName",
  "getVal", "setVal", "getPlanetTradeGoods", "getPlanetEquipment",
  "disablePlayerInput", "enablePlayerInput", "debugDisplay", "testPass",
  "getPlanetData", "setPlanetData", "spawnShip", "getAvailableResolutions",
  "resize", "getFactionName", "getWorldData", "getFactionData",
}
