// The nesting measured before parsing: never less than how deep the parser itself goes.
#include <gtest/gtest.h>

#include <algorithm>

#include <rapidxml/rapidxml.hpp>

#include "nestedXml.h"
#include "xmlNesting.h"

namespace {

// Levels of elements in the parsed tree; an innermost element may be empty without content.
size_t treeDepth(const rapidxml::xml_node<>* node) {
    size_t deepest = 0;
    for (auto* child = node->first_node(); child; child = child->next_sibling())
        if (child->type() == rapidxml::node_element) deepest = std::max(deepest, 1 + treeDepth(child));
    return deepest;
}

}  // namespace

TEST(XmlNesting, CountsWhatTheParserOpensAndNothingItSkips) {
    const struct {
        std::string text;
        size_t nesting;
    } cases[] = {
        {"<a><b></b><c><d/></c></a>", 2},
        {"<a x='/>' y=\"'>\" z='<b>'><c></c></a>", 2},
        {"<a>x > y / z<b></b></a>", 2},
        {"<a\"><b x='1'><c></c></b></a\">", 3},   // a quote belongs to an element's name
        {"<r><a><b></b ></><c></c></r>", 3},
        {"<a><!-- <b> -- > --><c><d></d></c></a>", 3},
        {"<!----><a><b></b></a><!-- -->", 2},
        {"<a><!---><b><c></c></b>--><d></d></a>", 2},
        {"<a><![CDATA[<b><c>]]><d></d></a>", 2},
        {"<![CDATA[]]><a><b></b></a>", 2},
        {"<?xml version='1.0'?><?pi <a> ?><r><b></b></r>", 2},
        {"<?\?><r><b></b></r>", 2},
        {"<!DOCTYPE r [ <!ENTITY e '>'> [ ] > <x> ]><r><b></b></r>", 2},
        {"<!DOCTYPE r><r><b></b></r>", 2},
        {"<r><!x <b> <c></c></r>", 2},
        {"<a><b><c>", 3},
        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(elementNesting(c.text.c_str()), c.nesting);
        std::string text = c.text;
        rapidxml::xml_document<> doc;
        try {
            doc.parse<0>(&text[0]);
        } catch (const rapidxml::parse_error&) {
            continue;  // the unclosed case: only how far the parser got counts
        }
        EXPECT_GE(treeDepth(&doc), c.nesting);
        EXPECT_LE(treeDepth(&doc), c.nesting + 1);
    }
}

TEST(XmlNesting, ADeepDocumentIsMeasuredWhole) {
    EXPECT_EQ(elementNesting(nestedElements(STACK_BREAKING_DEPTH).c_str()), STACK_BREAKING_DEPTH);
}
