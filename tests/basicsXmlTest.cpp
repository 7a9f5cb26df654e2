// Reading and writing XML attributes through real documents and files.
#include <gtest/gtest.h>

#include <rapidxml/rapidxml.hpp>
#include <rapidxml/rapidxml_print.hpp>

#include <climits>
#include <limits>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "basicsXml.h"
#include "scratchDirectory.h"

namespace {

// A parsed document that keeps its own text alive, read from a real file.
struct XmlFile {
    explicit XmlFile(const std::string& path) {
        std::ifstream in(path);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        text.push_back('\0');
        doc.parse<0>(text.data());
    }
    rapidxml::xml_node<char>* root() { return doc.first_node(); }
    std::vector<char> text;
    rapidxml::xml_document<char> doc;
};

std::string attributeOrder(const rapidxml::xml_node<char>* node) {
    std::string names;
    for (auto* a = node->first_attribute(); a; a = a->next_attribute()) names += a->name();
    return names;
}

std::string printed(const rapidxml::xml_document<char>& doc) {
    std::string out;
    rapidxml::print(std::back_inserter(out), doc, rapidxml::print_no_indenting);
    return out;
}

const char* SAMPLE =
    "<ship num=\"12abc\" word=\"abc\" empty=\"\" lead=\"  7.5\" big=\"1e30\" exp=\"1e+06\" frac=\"123.9\""
    " neg=\"-42\" nan=\"nan\" inf=\"-inf\" over=\"1e39\" under=\"-1e39\""
    " huge=\"99999999999999999999999\" time=\"4294967295\" num=\"99\"/>";

}  // namespace

class XmlRead : public ::testing::Test {
protected:
    void SetUp() override { sample = std::make_unique<XmlFile>(dir.write("sample.xml", SAMPLE)); }
    rapidxml::xml_node<char>* ship() { return sample->root(); }
    ScratchDirectory dir;
    std::unique_ptr<XmlFile> sample;
};

TEST_F(XmlRead, TextReadersGiveTheFirstValueOrTheirFallback) {
    EXPECT_TRUE(checkVal(ship(), "num"));
    EXPECT_TRUE(checkVal(ship(), "empty"));
    EXPECT_FALSE(checkVal(ship(), "Num"));  // names are case-sensitive
    EXPECT_EQ(getVal(ship(), "num"), "12abc");  // the first of a doubled name wins
    EXPECT_EQ(getVal(ship(), "missing"), "");
    EXPECT_EQ(getVal(ship(), "missing", "fallback"), "fallback");
    EXPECT_EQ(getVal(ship(), "empty", "fallback"), "");

    testing::internal::CaptureStdout();
    EXPECT_EQ(getValND(ship(), "word"), "abc");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(XmlRead, FloatReadersTakeTheNumericPrefix) {
    struct Case {
        const char* name;
        float value;
    };
    const Case cases[] = {{"num", 12}, {"word", 0}, {"empty", 0}, {"lead", 7.5f}, {"neg", -42}, {"frac", 123.9f},
                          {"exp", 1e6f}};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(getValF(ship(), c.name), c.value) << c.name;
        EXPECT_FLOAT_EQ(getValF(ship(), c.name, 1000), c.value) << c.name;  // present: never the default
        EXPECT_FLOAT_EQ(getValFND(ship(), c.name), c.value) << c.name;
    }
    EXPECT_FLOAT_EQ(getValF(ship(), "missing"), 0);
    EXPECT_FLOAT_EQ(getValF(ship(), "missing", 1000), 1000);
    EXPECT_FLOAT_EQ(getValF(ship(), "big"), 1e30f);
}

TEST_F(XmlRead, FloatReadersTurnNonFiniteTextToZeroAndClampToTheFloatRange) {
    EXPECT_EQ(getValF(ship(), "nan", 1000), 0.0f);  // a "nan" position must not spread through a save
    EXPECT_EQ(getValFND(ship(), "inf"), 0.0f);
    EXPECT_EQ(getValF(ship(), "over"), std::numeric_limits<float>::max());
    EXPECT_EQ(getValFND(ship(), "under"), -std::numeric_limits<float>::max());
}

TEST_F(XmlRead, IntegerReaderStopsAtTheFirstNonDigitAndNeverOverflows) {
    struct Case {
        const char* name;
        int64_t value;
    };
    const Case cases[] = {{"exp", 1},
                          {"frac", 123},
                          {"num", 12},
                          {"word", 0},
                          {"neg", -42},
                          {"time", 4294967295LL},  // a saved game time above 2^31 reads whole
                          {"huge", INT64_MAX}};
    for (const Case& c : cases) EXPECT_EQ(getValLIND(ship(), c.name), c.value) << c.name;
}

TEST_F(XmlRead, RequiredReadersReportEachMissingValueOnce) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(getValND(ship(), "x"), "");
    EXPECT_FLOAT_EQ(getValFND(ship(), "speed"), 0);
    EXPECT_EQ(getValLIND(ship(), "time2"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error, XML value x not present, and is required\n"
              "Error, XML value speed not present, and is required\n"
              "Error, XML value time2 not present, and is required\n");
}

TEST_F(XmlRead, AMissingElementReadsAsMissingAttributes) {
    rapidxml::xml_node<char>* none = ship()->first_node("trail");
    ASSERT_EQ(none, nullptr);
    EXPECT_FALSE(checkVal(none, "num"));
    EXPECT_EQ(getVal(none, "num"), "");
    EXPECT_EQ(getVal(none, "num", "dflt"), "dflt");
    EXPECT_FLOAT_EQ(getValF(none, "num"), 0);
    EXPECT_FLOAT_EQ(getValF(none, "num", 500), 500);
    testing::internal::CaptureStdout();
    EXPECT_EQ(getValND(none, "a"), "");
    EXPECT_FLOAT_EQ(getValFND(none, "b"), 0);
    EXPECT_EQ(getValLIND(none, "c"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error, XML value a not present, and is required\n"
              "Error, XML value b not present, and is required\n"
              "Error, XML value c not present, and is required\n");
}

TEST(XmlWrite, WritersFormatValuesAndKeepThemAfterTheCallersStringsAreGone) {
    rapidxml::xml_document<char> doc;
    auto* node = doc.allocate_node(rapidxml::node_element, "record");
    doc.append_node(node);
    {
        std::string name = "label";
        std::string value = "temporary text";
        addAttribValue(doc, node, name.c_str(), value);
        addAttribValue(doc, node, std::string("ratio"), 0.1f);
        name.assign("overwritten");
        value.assign("overwritten too");
    }
    addAttribValue(doc, node, "big", 1234567.0f);
    addAttribValue(doc, node, "big", 2.5f);  // adding never replaces
    addAttribInt(doc, node, "time", 4294967295LL);
    addAttribInt(doc, node, "million", 1000000);
    addAttribInt(doc, node, "neg", -7);
    EXPECT_EQ(printed(doc),
              "<record label=\"temporary text\" ratio=\"0.1\" big=\"1.23457e+06\" big=\"2.5\" time=\"4294967295\""
              " million=\"1000000\" neg=\"-7\"/>");
}

TEST(XmlWrite, ChangeMovesTheAttributeToTheEnd) {
    ScratchDirectory dir;
    XmlFile file(dir.write("abc.xml", "<e a=\"1\" b=\"2\" c=\"3\" b=\"4\"/>"));
    auto* e = file.root();
    changeAttribValue(file.doc, e, "b", 9.5f);
    EXPECT_EQ(attributeOrder(e), "acbb");
    EXPECT_EQ(getVal(e, "b"), "4");  // the second b is now the first
    changeAttribValue(file.doc, e, "b", std::string("str"));
    changeAttribValue(file.doc, e, "b", "chars");  // each change replaces the first b
    EXPECT_EQ(printed(file.doc), "<e a=\"1\" c=\"3\" b=\"str\" b=\"chars\"/>");
    changeAttribValue(file.doc, e, "new", 3.0f);  // absent: simply appended
    EXPECT_EQ(attributeOrder(e), "acbbnew");
}

TEST(XmlWrite, SavedValuesReadBackFromAFile) {
    ScratchDirectory dir;
    rapidxml::xml_document<char> doc;
    auto* root = doc.allocate_node(rapidxml::node_element, "universe");
    doc.append_node(root);
    addAttribInt(doc, root, "time", 3000000123LL);
    addAttribValue(doc, root, "x", -12345.6f);
    addAttribValue(doc, root, "name", std::string("Ky <&> \"Ro\""));
    std::ofstream(dir.file("saved.xml")) << doc;

    XmlFile back(dir.file("saved.xml"));
    EXPECT_EQ(getValLIND(back.root(), "time"), 3000000123LL);
    EXPECT_FLOAT_EQ(getValF(back.root(), "x"), -12345.6f);
    EXPECT_EQ(getVal(back.root(), "name"), "Ky <&> \"Ro\"");
}

// Each name is also printed and parsed again, so the rule is held to what the parser does.
TEST(XmlWrite, AnAttributeNameIsKeptWhenTheParserReadsItBack) {
    const struct {
        std::string name;
        bool readsBack;
    } cases[] = {
        {"2nd", true},     {"_a-b.c:d", true}, {"\xc3\xa9t\xc3\xa9", true}, {"a\"b'c&d", true},
        {"\x01\x0b\x7f", true}, {"[]*;", true}, {"", false},       {"bad key", false},
        {"a\tb", false},   {"a\nb", false},    {"a\rb", false},    {std::string("a\0b", 3), false},
        {"a!b", false},    {"a/b", false},     {"a<b", false},     {"a=b", false},
        {"a>b", false},    {"?a", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(attributeNameReadsBack(c.name), c.readsBack) << c.name;
        rapidxml::xml_document<char> doc;
        auto* node = doc.allocate_node(rapidxml::node_element, "extraData");
        doc.append_node(node);
        node->append_attribute(doc.allocate_attribute(c.name.data(), "v", c.name.size(), 1));  // NUL and all
        std::string text = printed(doc);
        rapidxml::xml_document<char> back;
        bool same = false;
        try {
            back.parse<0>(&text[0]);
            const auto* attribute = back.first_node()->first_attribute();
            same = attribute && std::string(attribute->name(), attribute->name_size()) == c.name;
        } catch (const rapidxml::parse_error&) {
        }
        EXPECT_EQ(same, c.readsBack) << "printed as " << text;
    }
}

TEST(XmlWrite, NullElementIsLeftAlone) {
    rapidxml::xml_document<char> doc;
    addAttribValue(doc, nullptr, "a", 1.0f);
    addAttribInt(doc, nullptr, "a", 1);
    changeAttribValue(doc, nullptr, "a", "v");
    EXPECT_EQ(doc.first_node(), nullptr);
}
