// The numbered sequences of saved records: attributes "index0", "index1", ... of one element.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "basics.h"
#include "xmlForward.h"

// Saved slot numbers at or above this are data errors (no sequence is that long).
constexpr std::size_t MAX_SAVED_INDEX = 1024;

// Calls store(N, value) for each attribute named "index" + decimal N below MAX_SAVED_INDEX,
// in document order; any other attribute is reported and skipped.
void forEachSavedIndex(const rapidxml::xml_node<char>* element,
                       const std::function<void(std::size_t, double)>& store);

// Fills seq from element's "index" + N attributes: it grows to hold every N (new entries
// 0), and each value is truncated into Int's range.
template <class Int>
void readSavedSequence(const rapidxml::xml_node<char>* element, std::vector<Int>& seq) {
    forEachSavedIndex(element, [&seq](std::size_t index, double value) {
        if (index >= seq.size()) seq.resize(index + 1, 0);
        seq[index] = saturatingInt<Int>(value);
    });
}

// Calls fill on every child element of record called name, in document order.
void forEachSavedChild(const rapidxml::xml_node<char>* record, const char* name,
                       const std::function<void(const rapidxml::xml_node<char>*)>& fill);

// Fills seq from every child of record called name, in document order (later values win).
template <class Int>
void readSavedChildren(const rapidxml::xml_node<char>* record, const char* name, std::vector<Int>& seq) {
    forEachSavedChild(record, name, [&seq](const rapidxml::xml_node<char>* child) { readSavedSequence(child, seq); });
}

// Appends a child element called name (a literal: the document keeps the pointer) holding
// "index" + i = values[i] for every entry; an empty sequence writes no element at all.
void writeSavedSequence(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* parent,
                        const char* name, const std::vector<long long>& values);

// The same for any integer sequence.
template <class Int>
void writeSavedSequence(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* parent,
                        const char* name, const std::vector<Int>& values) {
    writeSavedSequence(doc, parent, name, std::vector<long long>(values.begin(), values.end()));
}
