#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zelvane {

// What a workbook part's parse calls for its elements, by their local names (without a prefix such
// as "x:"). attributes alternate names and values, ending with a null.
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void Start(std::string_view name, const char** attributes) = 0;
  virtual void End(std::string_view name) = 0;
  virtual void Text(std::string_view text) = 0;
};

// The local part of an element's or attribute's name.
inline std::string_view LocalName(const char* name) {
  std::string_view text(name);
  const std::size_t colon = text.rfind(':');
  return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

// The value of the attribute whose local name is name, or nothing.
const char* AttributeValue(const char** attributes, std::string_view name);

// Parses one XML document fed in pieces with expat. A document with a document type declaration
// (and so any entity of its own, the way to entity bombs) is refused.
class XmlParser {
 public:
  explicit XmlParser(XmlHandler& handler);
  ~XmlParser();
  XmlParser(const XmlParser&) = delete;
  XmlParser& operator=(const XmlParser&) = delete;

  // False once the document is found bad; Error says why.
  bool Feed(std::string_view piece);
  bool Finish();
  std::string Error() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace zelvane
