// Reading and writing attributes of rapidxml elements (data files and saves).
#pragma once

#include <cstdint>
#include <string>

#include "basics.h"  // point, and saturatingInt: every whole-number field read from XML goes through it
#include "xmlForward.h"

// Every reader takes a null element as one without the attribute.

// Whether the element carries the attribute.
bool checkVal(const rapidxml::xml_node<char>* node, const char* name);
// The attribute's text, or "" when absent.
std::string getVal(const rapidxml::xml_node<char>* node, const char* name);
// The attribute's text, or fallback when absent.
std::string getVal(const rapidxml::xml_node<char>* node, const char* name, const std::string& fallback);
// The attribute's text; when absent prints that it is required and gives "".
std::string getValND(const rapidxml::xml_node<char>* node, const char* name);
// atof of the attribute's text (0 when non-numeric), or 0 when absent.
float getValF(const rapidxml::xml_node<char>* node, const char* name);
// atof of the attribute's text (0 when non-numeric), or fallback only when absent.
float getValF(const rapidxml::xml_node<char>* node, const char* name, float fallback);
// atof of the required attribute; when absent prints that it is required and gives 0.
float getValFND(const rapidxml::xml_node<char>* node, const char* name);
// The required attribute's leading decimal integer, clamped to 64 bits so that every
// unsigned 32-bit value (the saved game time) reads whole; absent: the message and 0.
int64_t getValLIND(const rapidxml::xml_node<char>* node, const char* name);
// The required attributes xName then yName as a point, each read as getValFND reads it.
point getPointND(const rapidxml::xml_node<char>* node, const char* xName, const char* yName);

// Whether name, printed as an attribute name, parses back as the same name: not empty, and
// none of the bytes that end one (NUL, space, tab, CR, LF, ! / < = > ?). Keys of saved script
// data must pass it, or the save loses them or cannot be read.
bool attributeNameReadsBack(const std::string& name);

// The writers copy name and value into the document's pool; a null element is left alone.

// Appends name = toString(value), even when the element already has that name.
void addAttribValue(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node, const char* name,
                    float value);
// Appends name = value.
void addAttribValue(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node, const char* name,
                    const std::string& value);
// Appends name = toString(value), the name given as a string.
void addAttribValue(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node,
                    const std::string& name, float value);
// Appends xName = toString(p.x), then yName = toString(p.y).
void addAttribPoint(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node, const char* xName,
                    const char* yName, point p);
// Appends name = value as plain decimal digits (times, counts, ids: never an exponent).
void addAttribInt(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node, const char* name,
                  int64_t value);
// Removes the first attribute called name and appends name = value at the end.
void changeAttribValue(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node, const char* name,
                       const char* value);
// The same with the value as a string.
void changeAttribValue(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node, const char* name,
                       const std::string& value);
// The same with toString(value).
void changeAttribValue(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* node, const char* name,
                       float value);
