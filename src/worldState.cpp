// One world (star system): its timed effects, ships, shots, stars, wormholes and gravity walls.
#include "worldState.h"

#include <type_traits>
#include <utility>

// The sequence of worlds must move, not copy, its worlds when it grows: a copy
// would give every ship and planet a new address behind the registries' backs.
static_assert(std::is_nothrow_move_constructible<WorldState>::value,
              "moving a world must not throw");

WorldState::WorldState(std::string name, int size) : name(std::move(name)), size(size) {}
