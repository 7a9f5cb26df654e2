// Asking memory ahead for the next element of an entity list, whose nodes lie scattered over the
// heap: in a battle of thousands the walk would otherwise wait on every node in turn.
#pragma once

#include <cstddef>
#include <iterator>

// Starts fetching every cache line of the element after it, when there is one, while the caller
// works on it: a ship spans several lines, and an update reads all of them.
template <class List>
void prefetchNext(const List& list, typename List::const_iterator it) {
    constexpr std::size_t LINE = 64;
    const auto next = std::next(it);
    if (next == list.end()) return;
    const char* bytes = reinterpret_cast<const char*>(&*next);
    for (std::size_t at = 0; at < sizeof(*next); at += LINE) __builtin_prefetch(bytes + at);
}
