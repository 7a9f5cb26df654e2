// The numbered sequences of saved records, from real XML text and back.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <rapidxml/rapidxml.hpp>
#include <rapidxml/rapidxml_print.hpp>

#include "savedSequence.h"

namespace {

// Parses text (kept alive by the caller) and returns its first element.
rapidxml::xml_node<char>* parse(rapidxml::xml_document<char>& doc, std::string& text) {
    doc.parse<0>(&text[0]);
    return doc.first_node();
}

}  // namespace

TEST(SavedSequence, OnlyIndexFollowedByDigitsBelowTheBoundIsRead) {
    struct Case {
        const char* attributes;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {R"(index0="5" index1="6")", {5, 6}},
        {R"(index3="9")", {0, 0, 0, 9}},
        {R"(index1="1" index1="2")", {0, 2}},
        {R"(ind="4" index="4" indexabc="4" index-1="4" index1x="4" xindex1="4")", {}},
        {R"(index99999999="4" index1024="4" index18446744073709551617="4")", {}},
        {R"(index2="-7" index0="1e30")", {4294967295u, 0, 0}},
    };
    for (const Case& c : cases) {
        std::string text = std::string("<gunCooling ") + c.attributes + "/>";
        rapidxml::xml_document<char> doc;
        std::vector<uint32_t> seq;
        readSavedSequence(parse(doc, text), seq);
        EXPECT_EQ(seq, c.expected) << c.attributes;
    }
}

TEST(SavedSequence, TheLastSlotBelowTheBoundIsAccepted) {
    std::string text = "<personalRelations index1023=\"-100\"/>";
    rapidxml::xml_document<char> doc;
    std::vector<int16_t> seq;
    readSavedSequence(parse(doc, text), seq);
    ASSERT_EQ(seq.size(), 1024u);
    EXPECT_EQ(seq.back(), -100);
    EXPECT_EQ(seq.front(), 0);
}

TEST(SavedSequence, WrittenSequencesReadBackEqualAfterPrinting) {
    rapidxml::xml_document<char> doc;
    auto* record = doc.allocate_node(rapidxml::node_element, "shipData");
    doc.append_node(record);
    const std::vector<int16_t> relations = {100, 0, -100};
    const std::vector<uint32_t> cooling = {1234567, 0, 4000000000u};
    writeSavedSequence(doc, record, "personalRelations", relations);
    writeSavedSequence(doc, record, "gunCooling", cooling);

    std::string printed;
    rapidxml::print(std::back_inserter(printed), doc);
    EXPECT_NE(printed.find("index0=\"1234567\""), std::string::npos) << printed;

    rapidxml::xml_document<char> again;
    auto* root = parse(again, printed);
    std::vector<int16_t> readRelations;
    std::vector<uint32_t> readCooling;
    readSavedSequence(root->first_node("personalRelations"), readRelations);
    readSavedSequence(root->first_node("gunCooling"), readCooling);
    EXPECT_EQ(readRelations, relations);
    EXPECT_EQ(readCooling[0], cooling[0]);
    EXPECT_EQ(readCooling[1], 0u);
    // Values beyond float precision come back to within it (they are read as decimal floats).
    EXPECT_NEAR(static_cast<double>(readCooling[2]), 4e9, 512);
}
