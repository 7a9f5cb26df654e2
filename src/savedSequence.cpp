// Reading and writing the numbered sequences of saved records.
#include "savedSequence.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include <rapidxml/rapidxml.hpp>

#include "basicsXml.h"

namespace {

const char PREFIX[] = "index";
constexpr std::size_t PREFIX_SIZE = sizeof(PREFIX) - 1;

// The N of "index" + N, or false when the name is anything else or N is out of bounds.
bool parseIndexName(const std::string& name, std::size_t& index) {
    if (name.size() <= PREFIX_SIZE || name.compare(0, PREFIX_SIZE, PREFIX) != 0) return false;
    index = 0;
    for (std::size_t i = PREFIX_SIZE; i < name.size(); i++) {
        if (name[i] < '0' || name[i] > '9') return false;
        index = index * 10 + static_cast<std::size_t>(name[i] - '0');
        if (index >= MAX_SAVED_INDEX) return false;
    }
    return true;
}

}  // namespace

void forEachSavedIndex(const rapidxml::xml_node<char>* element,
                       const std::function<void(std::size_t, double)>& store) {
    if (element == nullptr) return;
    for (auto* attr = element->first_attribute(); attr; attr = attr->next_attribute()) {
        std::string name(attr->name(), attr->name_size());
        std::size_t index = 0;
        if (!parseIndexName(name, index)) {
            std::cout << "Error, bad saved slot " << name << " in "
                      << std::string(element->name(), element->name_size()) << ", skipped" << std::endl;
            continue;
        }
        store(index, std::atof(std::string(attr->value(), attr->value_size()).c_str()));
    }
}

void forEachSavedChild(const rapidxml::xml_node<char>* record, const char* name,
                       const std::function<void(const rapidxml::xml_node<char>*)>& fill) {
    for (auto* child = record->first_node(name); child; child = child->next_sibling(name)) fill(child);
}

void writeSavedSequence(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* parent,
                        const char* name, const std::vector<long long>& values) {
    if (values.empty()) return;
    rapidxml::xml_node<char>* child = doc.allocate_node(rapidxml::node_element, name);
    parent->append_node(child);
    for (std::size_t i = 0; i < values.size(); i++)
        addAttribInt(doc, child, (PREFIX + std::to_string(i)).c_str(), values[i]);
}
