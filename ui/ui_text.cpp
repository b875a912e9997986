#include "ui/ui_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zelvane {

QString DecodeGbk(std::string_view bytes) {
  // Looking the codec up costs more than decoding a number, so the decoder is kept; each number
  // starts afresh.
  thread_local QStringDecoder decoder("GBK");
  decoder.resetState();
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<std::string> EncodeGbk(const QString& text) {
  QStringEncoder encoder("GBK");
  const QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) return std::nullopt;
  return bytes.toStdString();
}

}  // namespace zelvane
