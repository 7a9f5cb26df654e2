-- The shipped interface script against a mocked game: opening, trading, closing, ticks and loads.
-- Usage: lua5.1 uiScript.lua path/to/ui.lua
local failures = 0
local function check(ok, what)
  if not ok then failures = failures + 1; print("FAIL: " .. what) end
end

local game
local function fresh(stock, credits)
  game = {landed = 1, planetId = 1, keys = true, resized = nil, planets = {
    [0] = {data = {name = "Bank", factionOwner = -1, health = 50}, extra = {playerCredits = credits}},
    [1] = {data = {name = "Verdance", factionOwner = 0, health = 80}, extra = {description = "green"},
           goods = {{name = "Water Ice", price = 12}, {name = "Med Kits", price = 95}},
           equipment = {{name = "Ion Drive", price = 1500}}}}}
  for _, p in pairs(game.planets) do
    for k = 1, 5 do p.data["element" .. k], p.data["elementStockpile" .. k], p.data["drillLevel" .. k] = 1, stock, 3 end
    for _, key in ipairs({"engineFactory", "hullFactory", "weaponFactory", "gravToolFactory", "starbase", "defenceLevel"}) do
      p.data[key] = 1
    end
  end
end
local function copy(t) local c = {} for k, v in pairs(t) do c[k] = v end return c end
function getPlanetData(id) local p = game.planets[id] return copy(p.data), copy(p.extra) end
function setPlanetData(extra, data, id)  -- the host keeps extra data as text
  local p = game.planets[id]
  p.data, p.extra = copy(data), {}
  for k, v in pairs(extra) do p.extra[k] = tostring(v) end
end
function getPlanetTradeGoods(id) return unpack(game.planets[id].goods or {}) end
function getPlanetEquipment(id) return unpack(game.planets[id].equipment or {}) end
function getIsPlayerLanded() return game.landed end
function getPlayerLandedPlanetId() return game.planetId end
function disablePlayerInput() game.keys = false end
function enablePlayerInput() game.keys = true end
function getFactionName(f) return f == 0 and "Terran Union" or "Neutral" end
function getAvailableResolutions() return {} end
function resize(w, h) game.resized = {w, h} end

dofile(arg[1])

-- The display's widgets by name, as the game would send them back with one of them clicked.
local function open()
  local results = {addUI(1, 6.4, 9.4, -94)}
  local widgets = {}
  for i = #results - 1, 1, -1 do widgets[#widgets + 1] = copy(results[i]) end
  return results, widgets
end
local function click(widgets, name)
  local sent = {}
  for _, w in ipairs(widgets) do  -- value tables: no type, a button's state instead of its initial one
    local c = copy(w)
    c.type, c.initialState, c.modified = nil, nil, w.name == name
    if w.type == "button" then c.state = c.modified and 1 or 0 end
    sent[#sent + 1] = c
  end
  local replies = {updateUI("planet 1", unpack(sent))}
  local byName = {}
  for _, r in ipairs(replies) do byName[r.name] = r end
  return replies, byName
end
local function wallet() return game.planets[0].extra end

-- Opening: one result at start-up and when not landed; else the widgets, the name last, keys taken.
fresh(1000)
check(select("#", addUI()) == 1, "the start-up call returns one value")
game.landed = 0
check(select("#", addUI(1, 6.4, 9.4, -94)) == 1 and game.keys, "nothing opens in flight")
game.landed = 1
local results, widgets = open()
check(results[#results] == "planet 1" and not game.keys, "the display is named after the planet and takes the keys")
check(widgets[1].name == "panel", "the panel is built first and so drawn under the rest")
local names, kinds = {}, {button = true, slider = true, bar = true, scroller = true, box = true, text = true}
for _, w in ipairs(widgets) do
  check(kinds[w.type] and not names[w.name], "widget " .. tostring(w.name) .. " has a kind and a name of its own")
  names[w.name] = true
end
check(names.buy2 and names.sell2 and not names.buy3 and names.equipment1, "one market row per good, equipment listed")

-- Prices follow the stock of the good's element: scarce is dear, plenty is cheap.
for _, case in ipairs({{stock = 0, text = "18 / 14"}, {stock = 1000, text = "12 / 9"}, {stock = 5000, text = "6 / 4"},
                       {stock = -5, text = "18 / 14"}}) do
  fresh(case.stock)
  local _, w = open()
  for _, widget in ipairs(w) do
    if widget.name == "price1" then check(widget.text == case.text, "stock " .. case.stock .. " prices " .. widget.text) end
  end
end

-- Trading: table of (stock, credits, hold, click) and what the planet and the wallet hold afterwards.
for _, case in ipairs({
  {what = "a buy", stock = 1000, credits = 100, click = "buy1", stock1 = 999, credits1 = "88", hold = "1"},
  {what = "a buy without credits", stock = 1000, credits = 11, click = "buy1", stock1 = 1000, credits1 = 11},
  {what = "a buy from an empty stock", stock = 0, credits = 100, click = "buy1", stock1 = 0, credits1 = 100},
  {what = "a sale from an empty hold", stock = 1000, credits = 100, click = "sell1", stock1 = 1000, credits1 = 100},
  {what = "a sale", stock = 1000, credits = 100, held = 2, click = "sell1", stock1 = 1001, credits1 = "109", hold = "1"},
}) do
  fresh(case.stock, case.credits)
  wallet().cargo_Water_20Ice = case.held
  local _, w = open()
  local replies, byName = click(w, case.click)
  check(game.planets[1].data.elementStockpile1 == case.stock1, case.what .. ": stock")
  check(wallet().playerCredits == case.credits1, case.what .. ": credits " .. tostring(wallet().playerCredits))
  check(case.hold == nil or wallet().cargo_Water_20Ice == case.hold, case.what .. ": hold under an XML name")
  check(#replies == #w and byName.credits.text == "Credits: " .. (case.credits1 or 1000), case.what .. ": credits shown")
  check(byName[case.click].state == 0 and byName.buy1.new == false, case.what .. ": the button pops up, nothing new")
end
for key in pairs(wallet()) do check(key:match("^[%a_][%w_.-]*$"), "wallet key " .. key .. " is an XML name") end

-- Closing, leaving the planet and the screen button delete every widget and give the keys back.
for _, case in ipairs({{click = "close"}, {click = "none", landed = 0}, {click = "screen", resized = true}}) do
  fresh(1000)
  local _, w = open()
  game.landed = case.landed or 1
  local replies = click(w, case.click)
  local all = #replies == #w
  for _, r in ipairs(replies) do all = all and r.delete == 1 and r.new == false end
  check(all and game.keys, case.click .. ": every widget deleted, keys back")
  check((game.resized ~= nil) == (case.resized == true), case.click .. ": resize only from the screen button")
end

-- Ticks: drills add, a thousandth is used up, stock never goes below 0.
fresh(3000)
game.planets[1].data.elementStockpile2, game.planets[1].data.drillLevel2 = 1, -2
planetTick(1)
check(game.planets[1].data.elementStockpile1 == 3000, "drill 3 minus 3 used keeps 3000")
check(game.planets[1].data.elementStockpile2 == 0, "a negative drill empties a stock down to 0, not below")

-- A load drops the display without Close and gives the keys back: e opens the next one.
fresh(1000)
open()
game.keys = true
results = open()
check(results[#results] == "planet 1", "a display that vanished does not stop the next")

if failures > 0 then os.exit(1) end
print("ui.lua: all checks passed")
