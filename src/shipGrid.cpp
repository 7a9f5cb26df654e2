// A uniform grid over the ships of one world, lent to the passes that look for neighbours.
#include "shipGrid.h"

#include <cmath>
#include <limits>

#include "prefetch.h"
#include "ship.h"
#include "worldState.h"

namespace {

bool gridsOn = true;
// A sparse world widens its cells rather than allocate more than this many per ship.
constexpr double CELLS_PER_SHIP = 4;
// Room for the float rounding in the passes' own distance tests, which may accept a ship a hair
// beyond the reach asked for; relative to the reach and to the coordinates' size.
constexpr double ROUNDING_SLACK = 1.0 / 4096;

int clampedCell(double offset, double cell, int count) {
    const double c = std::floor(offset / cell);
    if (!(c >= 0)) return 0;
    return c >= count - 1 ? count - 1 : static_cast<int>(c);
}

}  // namespace

bool shipGridEnabled() { return gridsOn; }
void enableShipGrid(bool on) { gridsOn = on; }

// The list is walked once: its nodes lie scattered over the heap, the copies side by side.
ShipGrid::ShipGrid(std::list<Ship>& ships, float minCell) {
    std::vector<Entry> listed;
    listed.reserve(ships.size());
    uint32_t order = 0;
    for (auto it = ships.begin(); it != ships.end(); ++it) {
        prefetchNext(ships, it);
        Ship& ship = *it;
        listed.push_back({&ship, order++, ship.getPos(), ship.getID(), ship.getFaction(), ship.getSize()});
    }
    constexpr double inf = std::numeric_limits<double>::infinity();
    double lowX = inf, lowY = inf, highX = -inf, highY = -inf;
    for (const Entry& e : listed) {
        const float size = std::fabs(e.size);
        if (size > largest) largest = size;
        const point p = e.pos;
        if (!finite(p)) continue;
        lowX = std::min(lowX, double(p.x));
        lowY = std::min(lowY, double(p.y));
        highX = std::max(highX, double(p.x));
        highY = std::max(highY, double(p.y));
    }
    cell = std::max({double(minCell), 2.0 * largest, 1.0});
    if (lowX <= highX) {
        originX = lowX;
        originY = lowY;
        const double budget = CELLS_PER_SHIP * double(listed.size()) + 16;
        while ((highX - lowX) / cell * ((highY - lowY) / cell) + (highX - lowX + highY - lowY) / cell > budget)
            cell *= 2;
        columns = static_cast<int>((highX - lowX) / cell) + 1;
        rows = static_cast<int>((highY - lowY) / cell) + 1;
    }
    place(listed);
}

int ShipGrid::column(double x) const { return clampedCell(x - originX, cell, columns); }
int ShipGrid::row(double y) const { return clampedCell(y - originY, cell, rows); }

// A counting sort by cell that keeps list order within each cell.
void ShipGrid::place(const std::vector<Entry>& listed) {
    const size_t cells = size_t(columns) * size_t(rows);
    std::vector<uint32_t> cellOf;
    cellOf.reserve(listed.size());
    builtAt.reserve(listed.size());
    cellStart.assign(cells + 1, 0);
    for (const Entry& e : listed) {
        const point p = e.pos;
        builtAt.push_back(p);
        const uint32_t c = finite(p) ? uint32_t(row(p.y) * columns + column(p.x)) : uint32_t(cells);
        cellOf.push_back(c);
        if (c < cells) cellStart[c + 1]++;
    }
    for (size_t c = 0; c < cells; c++) cellStart[c + 1] += cellStart[c];
    entries.resize(cellStart[cells]);
    std::vector<uint32_t> next(cellStart.begin(), cellStart.end() - 1);
    for (const Entry& e : listed) {
        const uint32_t c = cellOf[e.order];
        if (c < cells)
            entries[next[c]++] = e;
        else
            unplaced.push_back(e);
    }
    byOrder.resize(listed.size());
    for (Entry& e : entries) byOrder[e.order] = &e;
    for (Entry& e : unplaced) byOrder[e.order] = &e;
}

void ShipGrid::indexIDs() const {
    ids.clear();
    ids.reserve(byOrder.size());
    for (uint32_t order = 0; order < byOrder.size(); order++) ids.emplace_back(byOrder[order]->id, order);
    std::sort(ids.begin(), ids.end());
}

// A NaN anywhere (or infinity minus infinity) could hide any ship: then every cell.
ShipGrid::CellRange ShipGrid::cellsNear(point a, point b, float reach) const {
    const CellRange all{0, columns - 1, 0, rows - 1};
    if (std::isnan(a.x) || std::isnan(a.y) || std::isnan(b.x) || std::isnan(b.y)) return all;
    const double r = std::fabs(double(reach)) + drift;
    const double size = std::max({std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y)});
    const double pad = r + 1 + (r + size) * ROUNDING_SLACK;
    const double x0 = std::min(a.x, b.x) - pad, x1 = std::max(a.x, b.x) + pad;
    const double y0 = std::min(a.y, b.y) - pad, y1 = std::max(a.y, b.y) + pad;
    if (std::isnan(x0) || std::isnan(x1) || std::isnan(y0) || std::isnan(y1)) return all;
    return {column(x0), column(x1), row(y0), row(y1)};
}

// Cells of rings below ring hold every ship within the rectangle they cover (edge cells also those
// beyond the grid, which only lie further out); the distance to the rectangle's nearest side
// bounds the distance to all the rest, less the drift since the build and the rounding of the cells.
double ShipGrid::clearance(point p, int cx, int cy, int ring) const {
    double d = std::numeric_limits<double>::infinity();
    if (cx - ring + 1 > 0) d = std::min(d, p.x - (originX + (cx - ring + 1) * cell));
    if (cx + ring - 1 < columns - 1) d = std::min(d, originX + (cx + ring) * cell - p.x);
    if (cy - ring + 1 > 0) d = std::min(d, p.y - (originY + (cy - ring + 1) * cell));
    if (cy + ring - 1 < rows - 1) d = std::min(d, originY + (cy + ring) * cell - p.y);
    const double size = std::max(std::fabs(p.x), std::fabs(p.y));
    return d - drift - 1 - (size + cell * ring) * ROUNDING_SLACK;
}

const std::vector<ShipGrid::Entry>& ShipGrid::nearInOrder(point a, point b, float reach) const {
    near.clear();
    forEachEntryNear(a, b, reach, [this](const Entry& e) { near.push_back(e); });
    std::sort(near.begin(), near.end(), [](const Entry& x, const Entry& y) { return x.order < y.order; });
    return near;
}

// A ship that went non-finite from a cell can be anywhere: every look-up then visits every cell.
void ShipGrid::moved(uint32_t order, point p) {
    byOrder[order]->pos = p;
    const point from = builtAt[order];
    if (!finite(from)) return;
    const double shift = std::max(std::fabs(double(p.x) - from.x), std::fabs(double(p.y) - from.y));
    if (!(shift <= drift)) drift = std::isnan(shift) ? std::numeric_limits<double>::infinity() : shift;
}

void ShipGrid::erased(uint32_t order) { byOrder[order]->ship = nullptr; }

ShipGridLoan::ShipGridLoan(WorldState& world, float minCell) : world(world), previous(world.shipGrid) {
    if (!shipGridEnabled()) return;
    grid.emplace(world.ships, minCell);
    world.shipGrid = &*grid;
}

ShipGridLoan::~ShipGridLoan() { world.shipGrid = previous; }
