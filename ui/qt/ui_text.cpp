#include "ui/qt/ui_text.h"

#include <QFile>
#include <QStringDecoder>

#include "core/text_encoding.h"

namespace zelvane {

QString PathText(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString DecodeGbk(std::string_view bytes) {
  // Looking the codec up costs more than decoding a number, so the decoder is kept; each number
  // starts afresh.
  thread_local QStringDecoder decoder("GBK");
  decoder.resetState();
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}


}  // namespace zelvane
