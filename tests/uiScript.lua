-- The shipped interface script against a mocked game: opening, layout, trading, closing, ticks and loads.
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
function getAvailableResolutions() return game.modes or {} end
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

-- Trading: table of (stock, credits, hold, click) and what the planet and the wallet hold afterwards,
-- the widgets the reply changes (no other) and why a trade was refused.
local BOUGHT = "buy1 credits element1 hold1 stock1"
for _, case in ipairs({
  {what = "a buy", stock = 1000, credits = 100, click = "buy1", stock1 = 999, credits1 = "88", hold = "1",
   replied = BOUGHT},
  {what = "a buy without credits", stock = 1000, credits = 11, click = "buy1", stock1 = 1000, credits1 = 11,
   replied = "buy1 message", message = "Too few credits for Water Ice"},
  {what = "a buy from an empty stock", stock = 0, credits = 100, click = "buy1", stock1 = 0, credits1 = 100,
   replied = "buy1 message", message = "No Water Ice in stock"},
  {what = "a sale from an empty hold", stock = 1000, credits = 100, click = "sell1", stock1 = 1000, credits1 = 100,
   replied = "message sell1", message = "No Water Ice in your hold"},
  {what = "a sale", stock = 1000, credits = 100, held = 2, click = "sell1", stock1 = 1001, credits1 = "109", hold = "1",
   replied = "credits element1 hold1 sell1 stock1"},
  {what = "a buy with nan credits", stock = 1000, credits = "nan", click = "buy1", stock1 = 1000, credits1 = "nan",
   shown = 0, replied = "buy1 message", message = "Too few credits for Water Ice"},
  {what = "a buy with inf credits", stock = 1000, credits = "inf", click = "buy1", stock1 = 1000, credits1 = "inf",
   shown = 0, replied = "buy1 message", message = "Too few credits for Water Ice"},
  {what = "a sale from an inf hold", stock = 1000, credits = 100, held = "inf", click = "sell1", stock1 = 1000,
   credits1 = 100, hold = "inf", replied = "message sell1", message = "No Water Ice in your hold"},
}) do
  fresh(case.stock, case.credits)
  wallet().cargo_Water_20Ice = case.held
  local _, w = open()
  local replies, byName = click(w, case.click)
  local names = {}
  for _, r in ipairs(replies) do names[#names + 1] = r.name end
  table.sort(names)
  check(game.planets[1].data.elementStockpile1 == case.stock1, case.what .. ": stock")
  check(wallet().playerCredits == case.credits1, case.what .. ": credits " .. tostring(wallet().playerCredits))
  check(case.hold == nil or wallet().cargo_Water_20Ice == case.hold, case.what .. ": hold under an XML name")
  check(table.concat(names, " ") == case.replied, case.what .. ": replies for " .. table.concat(names, " "))
  check(not byName.credits or byName.credits.text == "Credits: " .. case.credits1, case.what .. ": credits shown")
  local pressed = byName[case.click] or {}
  check(pressed.state == 0 and pressed.new == false, case.what .. ": the button pops up")
  check((byName.message and byName.message.text) == case.message, case.what .. ": refusal " .. tostring(case.message))
  local _, reopened = open()
  local credits = "Credits: " .. (case.shown or case.credits1)
  for _, widget in ipairs(reopened) do
    check(widget.name ~= "credits" or widget.text == credits, case.what .. ": credits read as " .. credits)
  end
end

-- A tick of the planet the player stands on leaves its market as shown: a buy costs what it showed.
fresh(1000, 100)
game.planets[1].data.drillLevel1 = 500
local _, shown = open()
planetTick(1)
click(shown, "buy1")
check(wallet().playerCredits == "88", "a buy after a tick is charged the price shown, not " .. wallet().playerCredits)

-- Every widget keeps clear of the HUD drawn over it, at each window size the screen button picks.
local function hudRectangles(w, h)  -- x1, y1, x2, y2 in pixels from the bottom left
  return {radar = {0, h - 200, 200, h}, map = {w - 200, h - 200, w, h},
          counters = {0, 0, 400, 180}, graph = {0, 0, w, 32}}  -- the graph's scale, 0 to 9 ms
end
local function overlaps(a, b) return a[1] < b[3] and b[1] < a[3] and a[2] < b[4] and b[2] < a[4] end
fresh(1000)
for i = 1, 8 do
  game.planets[1].goods[i] = {name = "Good " .. i, price = 10}
  game.planets[1].equipment[i] = {name = "Part " .. i, price = 100}
end
local _, full = open()
local rows = {}
for _, widget in ipairs(full) do rows[widget.name] = true end
check(rows.sell6 and rows.equipment5 and not rows.sell7 and not rows.equipment6, "six goods and five parts fit")
for _, size in ipairs({{1280, 1024}, {1024, 768}, {800, 600}}) do
  local w, h = size[1], size[2]
  local hud = {gauge = {95.8, 2.02, 98.2, 18.75}}  -- the gravity gauge, in interface units
  for part, r in pairs(hudRectangles(w, h)) do
    hud[part] = {r[1] * 100 / w, r[2] * 100 / h, r[3] * 100 / w, r[4] * 100 / h}
  end
  for _, widget in ipairs(full) do
    local rect = {widget.x1, widget.y1, widget.x2, widget.y2}
    check(rect[1] >= 0 and rect[2] >= 0 and rect[3] <= 100 and rect[4] <= 100, widget.name .. " lies in the window")
    for part, r in pairs(hud) do
      check(not overlaps(rect, r), string.format("%s clear of the %s at %d x %d", widget.name, part, w, h))
    end
  end
end

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

-- The screen button picks only among the sizes the layout fits, none below 800 x 600.
fresh(1000)
game.modes = {{width = 1280, height = 1024}, {width = 864, height = 486}, {width = 1024, height = 768},
              {width = 640, height = 480}, {width = 800, height = 600}, {width = 1024, height = 500}}
local picked = {}
for _ = 1, 6 do
  click(select(2, open()), "screen")
  local size = game.resized[1] .. " x " .. game.resized[2]
  picked[size] = (picked[size] or 0) + 1
end
check(picked["1280 x 1024"] == 2 and picked["1024 x 768"] == 2 and picked["800 x 600"] == 2,
      "only roomy sizes, in turn")

-- Ticks of a planet the player is not on: drills add, a thousandth is used up, stock never goes below 0.
fresh(3000)
game.planetId = 0
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
