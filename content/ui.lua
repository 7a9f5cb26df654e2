-- Tuvaro's interface script: builds planet displays and ticks planet economies.

function addUI(...)
end

function updateUI(...)
end

function planetTick(planetID)
end
