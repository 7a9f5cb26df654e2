// Walking the child elements of a parsed XML element.
#pragma once

#include <rapidxml/rapidxml.hpp>

// Calls visit on every child element of parent called name (on every child element for a
// null name); a null parent has none.
template <class Visit>
void forEachElement(rapidxml::xml_node<char>* parent, const char* name, Visit visit) {
    if (!parent) return;
    for (auto* child = parent->first_node(name); child; child = child->next_sibling(name))
        if (child->type() == rapidxml::node_element) visit(child);
}

// The number of child elements of parent called name.
inline int countElements(rapidxml::xml_node<char>* parent, const char* name) {
    int count = 0;
    forEachElement(parent, name, [&](rapidxml::xml_node<char>*) { ++count; });
    return count;
}
