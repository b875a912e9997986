#include "ops/xml_parser.h"

#include <expat.h>

#include <climits>
#include <exception>
#include <utility>

namespace zelvane {

struct XmlParser::State {
  XML_Parser parser = nullptr;
  XmlHandler* handler = nullptr;
  bool refused = false;
  // What a handler threw, thrown again once expat has returned: never through its frames.
  std::exception_ptr thrown;

  template <class Call>
  static void Guarded(void* data, Call&& call) {
    auto* state = static_cast<State*>(data);
    try {
      call(*state->handler);
    } catch (...) {
      state->thrown = std::current_exception();
      XML_StopParser(state->parser, XML_FALSE);
    }
  }
  static void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](XmlHandler& to) { to.Start(LocalName(name), attributes); });
  }
  static void OnEnd(void* data, const XML_Char* name) {
    Guarded(data, [&](XmlHandler& to) { to.End(LocalName(name)); });
  }
  static void OnText(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](XmlHandler& to) { to.Text(std::string_view(text, static_cast<std::size_t>(length))); });
  }
  bool Parse(const char* bytes, int length, bool last) {
    const bool parsed = XML_Parse(parser, bytes, length, last ? XML_TRUE : XML_FALSE) == XML_STATUS_OK;
    if (thrown) std::rethrow_exception(std::exchange(thrown, nullptr));
    return parsed;
  }
  static void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto* state = static_cast<State*>(data);
    state->refused = true;
    XML_StopParser(state->parser, XML_FALSE);
  }
};

const char* AttributeValue(const char** attributes, std::string_view name) {
  for (; attributes[0] != nullptr; attributes += 2) {
    if (LocalName(attributes[0]) == name) return attributes[1];
  }
  return nullptr;
}

XmlParser::XmlParser(XmlHandler& handler) : state_(std::make_unique<State>()) {
  state_->handler = &handler;
  state_->parser = XML_ParserCreate(nullptr);
  if (!state_->parser) throw std::bad_alloc();
  XML_SetUserData(state_->parser, state_.get());
  XML_SetElementHandler(state_->parser, &State::OnStart, &State::OnEnd);
  XML_SetCharacterDataHandler(state_->parser, &State::OnText);
  XML_SetStartDoctypeDeclHandler(state_->parser, &State::OnDoctype);
}

XmlParser::~XmlParser() { XML_ParserFree(state_->parser); }

bool XmlParser::Feed(std::string_view piece) {
  while (piece.size() > INT_MAX / 2) {
    if (!Feed(piece.substr(0, INT_MAX / 2))) return false;
    piece.remove_prefix(INT_MAX / 2);
  }
  return state_->Parse(piece.data(), static_cast<int>(piece.size()), false);
}

bool XmlParser::Finish() { return state_->Parse(nullptr, 0, true); }

std::string XmlParser::Error() const {
  if (state_->refused) return "含有文档类型声明（DTD），为防范实体炸弹拒绝读取";
  if (XML_GetErrorCode(state_->parser) == XML_ERROR_NO_MEMORY) throw std::bad_alloc();
  return "第" + std::to_string(XML_GetCurrentLineNumber(state_->parser)) + "行不是有效的 XML：" +
         XML_ErrorString(XML_GetErrorCode(state_->parser));
}

}  // namespace zelvane
