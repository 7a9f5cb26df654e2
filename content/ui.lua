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
local FALLBACK_SIZES = {{width = 1280, height = 1024}, {width = 1024, height = 768}, {width = 800, height = 600}}

local sizeIndex = 1

-- Extra-data keys are XML attribute names in a save: every other character is escaped.
local function cargoKey(good)
  local escaped = good:gsub("[^%w]", function(c) return string.format("_%02X", c:byte()) end)
  return "cargo_" .. escaped
end

local function number(text, fallback)
  return tonumber(text) or fallback
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

local function header(view, m)
  local owner = m.data.factionOwner
  local health = m.data.health
  view[#view + 1] = {type = "box", name = "panel", x1 = 5, y1 = 5, x2 = 95, y2 = 95, text = "", font = 0}
  view[#view + 1] = text("title", 8, 88, 76, 92, m.data.name)
  view[#view + 1] = button("close", 80, 88, 92, 92, "Close")
  view[#view + 1] = text("owner", 8, 83, 50, 87, "Owner: " .. (owner >= 0 and getFactionName(owner) or "none"))
  view[#view + 1] = text("healthLabel", 52, 83, 64, 87, "Health")
  view[#view + 1] = {type = "bar", name = "health", x1 = 65, y1 = 84, x2 = 92, y2 = 86,
                     leftVal = 0, rightVal = math.max(100, health), curVal = health}
  view[#view + 1] = text("description", 8, 78, 92, 82, m.extra.description or "")
  view[#view + 1] = text("credits", 8, 73, 50, 77, "Credits: " .. m.credits)
  view[#view + 1] = button("screen", 80, 73, 92, 77, "Screen")
end

local function goodRow(view, index, good)
  local y = 68 - index * 4.5
  view[#view + 1] = text("good" .. index, 8, y, 32, y + 3.5, good.name)
  view[#view + 1] = text("price" .. index, 32, y, 52, y + 3.5, good.buy .. " / " .. good.sell)
  view[#view + 1] = text("stock" .. index, 52, y, 64, y + 3.5, tostring(good.stock))
  view[#view + 1] = text("hold" .. index, 64, y, 72, y + 3.5, tostring(good.hold))
  view[#view + 1] = button("buy" .. index, 73, y, 82, y + 3.5, "Buy")
  view[#view + 1] = button("sell" .. index, 83, y, 92, y + 3.5, "Sell")
end

local function marketRows(view, m)
  view[#view + 1] = text("marketHeader", 8, 67, 72, 71, "Good        buy / sell      stock   hold")
  for index = 1, math.min(#m.goods, GOOD_ROWS) do goodRow(view, index, m.goods[index]) end
end

local function equipmentRows(view, planetId)
  local items = list(getPlanetEquipment(planetId))
  view[#view + 1] = text("equipmentHeader", 8, 33, 48, 36.5, "Equipment")
  for index = 1, math.min(#items, EQUIPMENT_ROWS) do
    local y = 33 - index * 4
    view[#view + 1] = text("equipment" .. index, 8, y, 48, y + 3.5, items[index].name .. "  " .. items[index].price)
  end
end

local function economyRows(view, data)
  view[#view + 1] = text("economyHeader", 50, 33, 92, 36.5, "Element  rich  stock  drill")
  for k = 1, ELEMENTS do
    local y = 33 - k * 3.6
    view[#view + 1] = text("element" .. k, 50, y, 92, y + 3.2, string.format("E%d  %d  %d  %d", k,
      data["element" .. k], data["elementStockpile" .. k], data["drillLevel" .. k]))
  end
  view[#view + 1] = text("factories", 50, 10, 92, 13.2, string.format("Factories E%d H%d W%d G%d",
    data.engineFactory, data.hullFactory, data.weaponFactory, data.gravToolFactory))
  view[#view + 1] = text("defence", 50, 6.5, 92, 9.7, string.format("Starbase %d  Defence %d",
    data.starbase, data.defenceLevel))
end

-- The planet's whole interface, in drawing order.
local function planetView(planetId)
  local m = market(planetId)
  local view = {}
  header(view, m)
  marketRows(view, m)
  equipmentRows(view, planetId)
  economyRows(view, m.data)
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

local function buy(m, good)
  if good.stock < 1 or m.credits < good.buy then return end
  changeStock(m.id, good.stockKey, -1)
  changeWallet(-good.buy, good.name, 1)
end

local function sell(m, good)
  if good.hold < 1 then return end
  changeStock(m.id, good.stockKey, 1)
  changeWallet(good.sell, good.name, -1)
end

local TRADES = {buy = buy, sell = sell}

local function trade(planetId, widgetName)
  local action, index = widgetName:match("^(%a+)(%d+)$")
  local m = market(planetId)
  local good = m.goods[tonumber(index or "")]
  if TRADES[action] and good then TRADES[action](m, good) end
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

local function nextScreenSize()
  local sizes = getAvailableResolutions()
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

-- Every received widget takes its new caption or value; buttons pop back up.
local function refresh(planetId, widgets)
  local fresh = {}
  for _, spec in ipairs(planetView(planetId)) do fresh[spec.name] = spec end
  local replies = {}
  for _, widget in ipairs(widgets) do
    local spec = fresh[widget.name]
    if spec then
      widget.text = spec.text
      widget.curVal = spec.curVal
      widget.rightVal = spec.rightVal
      if widget.state then widget.state = 0 end
      widget.modified = nil
      widget.new = false
      replies[#replies + 1] = widget
    end
  end
  return replies
end

local function stillLandedOn(planetId)
  return getIsPlayerLanded() == 1 and getPlayerLandedPlanetId() == planetId
end

local function reply(planetId, widgets)
  if not stillLandedOn(planetId) then return closeAll(widgets) end
  for _, widget in ipairs(widgets) do
    if widget.modified then
      if widget.name == "close" then return closeAll(widgets) end
      if widget.name == "screen" then return changeScreen(widgets) end
      trade(planetId, widget.name)
    end
  end
  return refresh(planetId, widgets)
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
  local view = planetView(planetId)
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

function planetTick(planetId)
  local data, extra = getPlanetData(planetId)
  advanceEconomy(data)
  setPlanetData(extra, data, planetId)
end
