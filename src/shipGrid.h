// A uniform grid over the ships of one world, lent to the passes that look for neighbours.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <list>
#include <optional>
#include <utility>
#include <vector>

#include "basics.h"

class Ship;
class WorldState;

// Whether the drivers lend grids (the default) or every look-up scans the whole ship list.
bool shipGridEnabled();
// Switches grids on or off; the results are the same either way, only the cost differs.
void enableShipGrid(bool on);

class ShipGrid {
public:
    // A ship, its position in the list when the grid was built, and what the look-ups read of
    // it, kept here so that they need not visit every ship they pass over: where it is now, its
    // ID, faction and size.
    struct Entry {
        Ship* ship;
        uint32_t order;
        point pos;
        uint32_t id;
        int16_t faction;
        float size;
    };

    // Bins every ship of the list; cells are at least minCell and twice the largest ship wide.
    ShipGrid(std::list<Ship>& ships, float minCell);

    // Calls visit(ship, order) for every live ship that may lie within reach of the box that
    // corners a and b span (a superset of those that do), in no particular order.
    template <class Visit>
    void forEachNear(point a, point b, float reach, Visit visit) const;
    // Visits the entries of the same ships as forEachNear(p, p, reach), nearest cells first, ring by ring;
    // before each further ring asks enough(clearance), clearance being a lower bound on the
    // distance from p of every ship not yet visited, and stops when it says yes.
    template <class Visit, class Enough>
    void forEachOutward(point p, float reach, Visit visit, Enough enough) const;
    // The same ships in list order, valid until the next call.
    const std::vector<Entry>& nearInOrder(point a, point b, float reach) const;
    // The first live ship in list order with this ID that accepts(ship) is true of, or null.
    template <class Accept>
    Ship* firstWithID(uint32_t id, Accept accepts) const;

    // How many ships the list held when the grid was built.
    uint32_t listed() const { return uint32_t(byOrder.size()); }
    // The entry of the ship that stood at this place in the list when the grid was built.
    const Entry& inOrder(uint32_t order) const { return *byOrder[order]; }
    // The largest ship's half-width (sign ignored, NaN skipped).
    float largestSize() const { return largest; }
    // Ship order has moved to p: later look-ups reach it there.
    void moved(uint32_t order, point p);
    // Ship order has left the list: no look-up returns it any more.
    void erased(uint32_t order);

private:
    struct CellRange {
        int x0, x1, y0, y1;
    };
    CellRange cellsNear(point a, point b, float reach) const;
    double clearance(point p, int cx, int cy, int ring) const;
    template <class Visit>
    void visitSpan(int y, int x0, int x1, Visit& visit) const;
    template <class Visit>
    void forEachEntryNear(point a, point b, float reach, Visit visit) const;
    int column(double x) const;
    int row(double y) const;
    void place(const std::vector<Entry>& listed);
    void indexIDs() const;

    std::vector<uint32_t> cellStart;  // entries of cell c: cellStart[c] .. cellStart[c + 1]
    std::vector<Entry> entries;       // by cell, list order within a cell
    std::vector<Entry> unplaced;      // ships whose position is not finite: every look-up visits them
    std::vector<Entry*> byOrder;
    mutable std::vector<std::pair<uint32_t, uint32_t>> ids;  // (ID, order), sorted; made at the first look-up
    std::vector<point> builtAt;
    mutable std::vector<Entry> near;  // what nearInOrder hands out, kept to spare an allocation per call
    double originX = 0, originY = 0, cell = 1;
    int columns = 1, rows = 1;
    float largest = 0;
    double drift = 0;  // how far any ship has moved since the build, per axis
};

// Lends the world a grid of its ships for the lifetime of this object, when grids are enabled.
class ShipGridLoan {
public:
    ShipGridLoan(WorldState& world, float minCell);
    ~ShipGridLoan();
    ShipGridLoan(const ShipGridLoan&) = delete;
    ShipGridLoan& operator=(const ShipGridLoan&) = delete;
    // The grid lent, or null when grids are off.
    ShipGrid* get() { return grid ? &*grid : nullptr; }

private:
    WorldState& world;
    ShipGrid* previous;
    std::optional<ShipGrid> grid;
};

// The pick a scan in list order makes when it keeps a candidate only for a strictly smaller key:
// the smallest key below the bound, the earliest in list order among equal keys.
struct NearestShip {
    Ship* ship = nullptr;
    double key;
    uint32_t order = 0;
    explicit NearestShip(double bound) : key(bound) {}
    void offer(Ship& candidate, double candidateKey, uint32_t candidateOrder) {
        if (candidateKey < key || (ship && candidateKey == key && candidateOrder < order)) {
            ship = &candidate;
            key = candidateKey;
            order = candidateOrder;
        }
    }
};

template <class Visit>
void ShipGrid::forEachEntryNear(point a, point b, float reach, Visit visit) const {
    const CellRange r = cellsNear(a, b, reach);
    for (int y = r.y0; y <= r.y1; y++) visitSpan(y, r.x0, r.x1, visit);
    for (const Entry& e : unplaced)
        if (e.ship) visit(e);
}

template <class Visit>
void ShipGrid::forEachNear(point a, point b, float reach, Visit visit) const {
    forEachEntryNear(a, b, reach, [&visit](const Entry& e) { visit(*e.ship, e.order); });
}

template <class Visit>
void ShipGrid::visitSpan(int y, int x0, int x1, Visit& visit) const {
    for (uint32_t i = cellStart[size_t(y * columns + x0)]; i < cellStart[size_t(y * columns + x1 + 1)]; i++)
        if (entries[i].ship) visit(entries[i]);
}

template <class Visit, class Enough>
void ShipGrid::forEachOutward(point p, float reach, Visit visit, Enough enough) const {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return forEachEntryNear(p, p, reach, visit);
    for (const Entry& e : unplaced)
        if (e.ship) visit(e);
    const CellRange r = cellsNear(p, p, reach);
    const int cx = column(p.x), cy = row(p.y);
    const int rings = std::max({cx - r.x0, r.x1 - cx, cy - r.y0, r.y1 - cy});
    for (int k = 0; k <= rings; k++) {
        if (k > 0 && enough(clearance(p, cx, cy, k))) return;
        const int x0 = std::max(cx - k, r.x0), x1 = std::min(cx + k, r.x1);
        for (int y = std::max(cy - k, r.y0); y <= std::min(cy + k, r.y1); y++) {
            if (y == cy - k || y == cy + k) {
                visitSpan(y, x0, x1, visit);
                continue;
            }
            if (cx - k >= r.x0) visitSpan(y, cx - k, cx - k, visit);
            if (cx + k <= r.x1) visitSpan(y, cx + k, cx + k, visit);
        }
    }
}

template <class Accept>
Ship* ShipGrid::firstWithID(uint32_t id, Accept accepts) const {
    if (ids.size() != byOrder.size()) indexIDs();
    auto it = std::lower_bound(ids.begin(), ids.end(), std::make_pair(id, uint32_t(0)));
    for (; it != ids.end() && it->first == id; ++it) {
        Ship* ship = byOrder[it->second]->ship;
        if (ship && accepts(*ship)) return ship;
    }
    return nullptr;
}
