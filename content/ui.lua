-- Tuvaro's interface script: a landed planet's market, equipment and economy, and the planets' economic tick.

-- The player's credits and hold live in this planet's extra data, which the saves keep.
local WALLET_PLANET = 0
local START_CREDITS = 1000
local GOOD_ROWS = 6
local EQUIPMENT_ROWS = 5
local ELEMENTS = 5
local SELL_SHARE = 0.8         -- a planet buys back for less than it sells
local PLENTY = 2000            -- from this stock on a good costs half its base price
local STOCK_DECAY = 1000       -- a planet uses up a thousandth of its stock each tick
local DISPLAY_PREFIX = "planet "
local OPEN_EVENT = 1
local SMALLEST_SIZE = {width = 800, height = 600}
local FALLBACK_SIZES = {{width = 1280, height = 1024}, {width = 1024, height = 768}, SMALLEST_SIZE}

local sizeIndex = 1

-- Extra-data keys are XML attribute names in a save: every other character is escaped.
local function cargoKey(good)
  local escaped = good:gsub("[^%w]", function(c) return string.format("_%02X", c:byte()) end)
  return "cargo_" .. escaped
end

-- Saved text may read as nan or inf, which would make buys free or selling endless.
local function number(text, fallback)
  local value = tonumber(text)
  if value == nil then return fallback end
  if value ~= value or value == math.huge or value == -math.huge then return 0 end
  return value
end

-- Goods take their price from the stock of one of the planet's five elements.
local function goodElement(index)
  return (index - 1) % ELEMENTS + 1
end

local function prices(base, stock)
  local scarcity = 1.5 - math.min(math.max(stock, 0), PLENTY) / PLENTY
  local buy = math.max(1, math.floor(base * scarcity + 0.5))
  return buy, math.max(1, math.floor(buy * SELL_SHARE))
end

local function list(...)
  return {...}
end

local function market(planetId)
  local data, extra = getPlanetData(planetId)
  local _, wallet = getPlanetData(WALLET_PLANET)
  local goods = {}
  for index, good in ipairs(list(getPlanetTradeGoods(planetId))) do
    local stockKey = "elementStockpile" .. goodElement(index)
    local buy, sell = prices(good.price, data[stockKey])
    goods[index] = {name = good.name, buy = buy, sell = sell, stockKey = stockKey, stock = data[stockKey],
                    hold = number(wallet[cargoKey(good.name)], 0)}
  end
  return {id = planetId, data = data, extra = extra, goods = goods,
          credits = number(wallet.playerCredits, START_CREDITS)}
end

-- Widget tables ------------------------------------------------------------

local function text(name, x1, y1, x2, y2, caption)
  return {type = "text", name = name, x1 = x1, y1 = y1, x2 = x2, y2 = y2, text = caption, font = 0}
end

local function button(name, x1, y1, x2, y2, caption)
  return {type = "button", name = name, x1 = x1, y1 = y1, x2 = x2, y2 = y2, text = caption, font = 0,
          initialState = 0}
end

local function box(name, x1, y1, x2, y2)
  return {type = "box", name = name, x1 = x1, y1 = y1, x2 = x2, y2 = y2, text = "", font = 0}
end

-- The HUD is drawn over the interface: a 200-pixel radar in each top corner, the counters in
-- the bottom-left 400 x 180 pixels and the frame graph along the bottom 32. At 800 x 600, the
-- smallest size, they take x < 25 and x > 75 above y 66.7, x < 50 below y 30, and y < 5.4,
-- and the gravity gauge x > 95.8 below y 19. The three panels keep to what is left; the top
-- panel also stays under the hover read-out and the notifications at the top centre.
local function header(view, m)
  local owner = m.data.factionOwner
  local health = m.data.health
  view[#view + 1] = box("panel", 26, 67.5, 74, 87.5)
  view[#view + 1] = text("title", 27, 84, 73, 87, m.data.name)
  view[#view + 1] = text("owner", 27, 80.5, 73, 83.5, "Owner: " .. (owner >= 0 and getFactionName(owner) or "none"))
  view[#view + 1] = text("healthLabel", 27, 77, 37, 80, "Health")
  view[#view + 1] = {type = "bar", name = "health", x1 = 38, y1 = 77.8, x2 = 72, y2 = 79.2,
                     leftVal = 0, rightVal = math.max(100, health), curVal = health}
  view[#view + 1] = text("description", 27, 73.5, 73, 76.5, m.extra.description or "")
  view[#view + 1] = button("close", 28, 68.5, 48, 72, "Close")
  view[#view + 1] = button("screen", 52, 68.5, 72, 72, "Screen")
end

local MARKET_TOP = 62
local ROW_PITCH = 4
local ROW_HEIGHT = 3.3

local function goodRow(view, index, good)
  local y = MARKET_TOP - index * ROW_PITCH
  view[#view + 1] = text("good" .. index, 2, y, 23, y + ROW_HEIGHT, good.name)
  view[#view + 1] = text("price" .. index, 23, y, 33, y + ROW_HEIGHT, good.buy .. " / " .. good.sell)
  view[#view + 1] = text("stock" .. index, 33, y, 41, y + ROW_HEIGHT, tostring(good.stock))
  view[#view + 1] = text("hold" .. index, 41, y, 47, y + ROW_HEIGHT, tostring(good.hold))
  view[#view + 1] = button("buy" .. index, 48, y, 53.5, y + ROW_HEIGHT, "Buy")
  view[#view + 1] = button("sell" .. index, 54.5, y, 60, y + ROW_HEIGHT, "Sell")
end

local function marketRows(view, m, message)
  local y = MARKET_TOP
  view[#view + 1] = text("goodHeader", 2, y, 23, y + ROW_HEIGHT, "Good")
  view[#view + 1] = text("priceHeader", 23, y, 33, y + ROW_HEIGHT, "Buy / sell")
  view[#view + 1] = text("stockHeader", 33, y, 41, y + ROW_HEIGHT, "Stock")
  view[#view + 1] = text("holdHeader", 41, y, 47, y + ROW_HEIGHT, "Hold")
  for index = 1, math.min(#m.goods, GOOD_ROWS) do goodRow(view, index, m.goods[index]) end
  y = MARKET_TOP - (GOOD_ROWS + 1) * ROW_PITCH
  view[#view + 1] = text("credits", 2, y, 18, y + ROW_HEIGHT, "Credits: " .. m.credits)
  view[#view + 1] = text("message", 19, y, 60, y + ROW_HEIGHT, message)
end

local function economyRows(view, data)
  local function row(name, k, caption)
    local y = MARKET_TOP - k * ROW_PITCH
    view[#view + 1] = text(name, 62, y, 98, y + ROW_HEIGHT, caption)
  end
  row("economyHeader", 0, "Element  rich  stock  drill")
  for k = 1, ELEMENTS do
    row("element" .. k, k, string.format("E%d  %d  %d  %d", k,
      data["element" .. k], data["elementStockpile" .. k], data["drillLevel" .. k]))
  end
  row("factories", ELEMENTS + 1, string.format("Factories E%d H%d W%d G%d",
    data.engineFactory, data.hullFactory, data.weaponFactory, data.gravToolFactory))
  row("defence", ELEMENTS + 2, string.format("Starbase %d  Defence %d", data.starbase, data.defenceLevel))
end

local function equipmentRows(view, planetId)
  local items = list(getPlanetEquipment(planetId))
  view[#view + 1] = box("equipmentPanel", 51, 6.5, 95, 29.5)
  view[#view + 1] = text("equipmentHeader", 52, 25.5, 94, 28.5, "Equipment")
  for index = 1, math.min(#items, EQUIPMENT_ROWS) do
    local y = 25.5 - index * 3.5
    view[#view + 1] = text("equipment" .. index, 52, y, 94, y + 3, items[index].name .. "  " .. items[index].price)
  end
end

-- The planet's whole interface, in drawing order; message says why the last trade was refused.
local function planetView(planetId, message)
  local m = market(planetId)
  local view = {}
  header(view, m)
  view[#view + 1] = box("marketPanel", 1, 31, 99, 66.2)
  marketRows(view, m, message)
  economyRows(view, m.data)
  equipmentRows(view, planetId)
  return view
end

-- Trading ------------------------------------------------------------------

local function changeWallet(creditsChange, good, holdChange)
  local data, extra = getPlanetData(WALLET_PLANET)
  extra.playerCredits = number(extra.playerCredits, START_CREDITS) + creditsChange
  extra[cargoKey(good)] = number(extra[cargoKey(good)], 0) + holdChange
  setPlanetData(extra, data, WALLET_PLANET)
end

local function changeStock(planetId, stockKey, change)
  local data, extra = getPlanetData(planetId)
  data[stockKey] = data[stockKey] + change
  setPlanetData(extra, data, planetId)
end

-- Each trade answers why it was refused, or "" when it went through.
local function buy(m, good)
  if good.stock < 1 then return "No " .. good.name .. " in stock" end
  if m.credits < good.buy then return "Too few credits for " .. good.name end
  changeStock(m.id, good.stockKey, -1)
  changeWallet(-good.buy, good.name, 1)
  return ""
end

local function sell(m, good)
  if good.hold < 1 then return "No " .. good.name .. " in your hold" end
  changeStock(m.id, good.stockKey, 1)
  changeWallet(good.sell, good.name, -1)
  return ""
end

local TRADES = {buy = buy, sell = sell}

-- Nil when the widget is no trade button.
local function trade(planetId, widgetName)
  local action, index = widgetName:match("^(%a+)(%d+)$")
  local m = market(planetId)
  local good = m.goods[tonumber(index or "")]
  if TRADES[action] and good then return TRADES[action](m, good) end
end

-- Closing and screen size -----------------------------------------------

local function closeAll(widgets)
  local replies = {}
  for _, widget in ipairs(widgets) do
    replies[#replies + 1] = {name = widget.name, delete = 1, new = false}
  end
  enablePlayerInput()
  return replies
end

-- The layout is clear of the HUD down to 800 x 600, and the HUD takes a smaller share of
-- any window at least that wide and high.
local function roomySizes()
  local sizes = {}
  for _, size in ipairs(getAvailableResolutions()) do
    if size.width >= SMALLEST_SIZE.width and size.height >= SMALLEST_SIZE.height then sizes[#sizes + 1] = size end
  end
  return sizes
end

local function nextScreenSize()
  local sizes = roomySizes()
  if #sizes < 2 then sizes = FALLBACK_SIZES end
  sizeIndex = sizeIndex % #sizes + 1
  return sizes[sizeIndex]
end

-- The reload after a resize drops the display, so the keys come back first.
local function changeScreen(widgets)
  local size = nextScreenSize()
  local replies = closeAll(widgets)
  resize(size.width, size.height, false)
  return replies
end

local SHOWN = {"text", "curVal", "rightVal"}

-- The received widget brought up to date, or nil when it shows what it should: the game
-- prints a line for every widget that a reply does not name, so only changes are sent.
local function updated(widget, wanted)
  local changed = false
  for _, key in ipairs(SHOWN) do
    if wanted[key] ~= nil and widget[key] ~= wanted[key] then widget[key], changed = wanted[key], true end
  end
  if widget.state == 1 then widget.state, changed = 0, true end  -- a clicked button pops back up
  if not changed then return nil end
  widget.modified, widget.new = nil, false
  return widget
end

local function refresh(planetId, widgets, message)
  local fresh = {}
  for _, wanted in ipairs(planetView(planetId, message)) do fresh[wanted.name] = wanted end
  local replies = {}
  for _, widget in ipairs(widgets) do
    replies[#replies + 1] = fresh[widget.name] and updated(widget, fresh[widget.name])
  end
  return replies
end

local function stillLandedOn(planetId)
  return getIsPlayerLanded() == 1 and getPlayerLandedPlanetId() == planetId
end

local function reply(planetId, widgets)
  if not stillLandedOn(planetId) then return closeAll(widgets) end
  local message = ""
  for _, widget in ipairs(widgets) do
    if widget.modified then
      if widget.name == "close" then return closeAll(widgets) end
      if widget.name == "screen" then return changeScreen(widgets) end
      message = trade(planetId, widget.name) or message
    end
  end
  return refresh(planetId, widgets, message)
end

-- Economy -----------------------------------------------------------------

local function advanceEconomy(data)
  for k = 1, ELEMENTS do
    local key = "elementStockpile" .. k
    local stock = data[key] + data["drillLevel" .. k] - math.floor(data[key] / STOCK_DECAY)
    data[key] = math.max(0, stock)
  end
end

-- Script globals the game calls ---------------------------------------------

-- Called once at start-up without an event (one result, which opens nothing), and
-- with the values of an event; the planet event opens the landed planet's interface.
-- No record of open displays is kept: a load drops them and gives the keys back, and
-- the next e must open a fresh one.
function addUI(eventType)
  if eventType ~= OPEN_EVENT or getIsPlayerLanded() ~= 1 then return "nothing to open" end
  local planetId = getPlayerLandedPlanetId()
  local view = planetView(planetId, "")
  local results = {}
  for index = #view, 1, -1 do results[#results + 1] = view[index] end  -- the game builds them last first
  results[#results + 1] = DISPLAY_PREFIX .. planetId
  disablePlayerInput()
  return unpack(results)
end

function updateUI(displayName, ...)
  local planetId = tonumber(displayName:match("^" .. DISPLAY_PREFIX .. "(%-?%d+)$") or "")
  if not planetId then return end
  return unpack(reply(planetId, list(...)))
end

-- The game asks for the interface again only after a click, so the market the player stands
-- in holds still: what its interface shows stays what a trade is charged.
function planetTick(planetId)
  if stillLandedOn(planetId) then return end
  local data, extra = getPlanetData(planetId)
  advanceEconomy(data)
  setPlanetData(extra, data, planetId)
end
