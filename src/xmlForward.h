// The rapidxml types that headers only point to, declared without the parser itself.
#pragma once

namespace rapidxml {
template <class Ch> class xml_node;
template <class Ch> class xml_document;
}  // namespace rapidxml
