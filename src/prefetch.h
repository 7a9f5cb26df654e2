// Asking memory ahead for the next element of an entity list, whose nodes lie scattered over the
// heap: in a battle of thousands the walk would otherwise wait on every node in turn.
#pragma once

#include <iterator>

// Starts fetching the element after it, when there is one, while the caller works on it.
template <class List>
void prefetchNext(const List& list, typename List::const_iterator it) {
    const auto next = std::next(it);
    if (next != list.end()) __builtin_prefetch(&*next);
}

// For a list of pointers: starts fetching what the element after it points to.
template <class List>
void prefetchNextPointee(const List& list, typename List::const_iterator it) {
    const auto next = std::next(it);
    if (next != list.end()) __builtin_prefetch(*next);
}
