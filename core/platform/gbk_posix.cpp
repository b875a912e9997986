#include <iconv.h>

#include <cerrno>

#include "core/platform/gbk.h"
#include "core/text_encoding.h"

namespace zelvane {

namespace {

// An iconv conversion, closed when it goes.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(handle_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

}  // namespace

bool AppendGbk(std::u16string_view text, std::string& output) {
  static_assert(sizeof(char16_t) == 2);
  const Iconv gbk("GBK", "UTF-16LE");
  if (!gbk.ok()) return false;
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  char* in = bytes.data();
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    const std::size_t start = output.size();
    output.resize(start + inLeft + 16);  // at most two GBK bytes for every unit of two bytes
    char* out = output.data() + start;
    std::size_t outLeft = output.size() - start;
    const std::size_t result = iconv(gbk.get(), &in, &inLeft, &out, &outLeft);
    const int error = errno;
    output.resize(output.size() - outLeft);
    if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    output.push_back('?');  // EILSEQ: a character GBK lacks
    in += 2;
    inLeft -= 2;
  }
  return true;
}

std::vector<char16_t> GbkPairCharacters() {
  std::vector<char16_t> characters(kGbkLeadBytes * kGbkTrailBytes, 0);
  const Iconv unicode("UTF-16LE", "GBK");
  if (!unicode.ok()) return characters;
  for (unsigned lead = 0; lead < kGbkLeadBytes; ++lead) {
    for (unsigned trail = 0; trail < kGbkTrailBytes; ++trail) {
      char pair[2] = {static_cast<char>(0x81 + lead), static_cast<char>(0x40 + trail)};
      unsigned char unit[4];
      char* in = pair;
      std::size_t inLeft = 2;
      char* out = reinterpret_cast<char*>(unit);
      std::size_t outLeft = sizeof unit;
      if (iconv(unicode.get(), &in, &inLeft, &out, &outLeft) != 0 || outLeft != 2) {
        iconv(unicode.get(), nullptr, nullptr, nullptr, nullptr);  // a clean state for the next pair
        continue;
      }
      characters[lead * kGbkTrailBytes + trail] = static_cast<char16_t>(unit[0] | unit[1] << 8);
    }
  }
  return characters;
}

std::optional<std::string> EncodeGbk(std::string_view text, const char* fromCharset) {
  const Iconv gbk("GBK", fromCharset);
  if (!gbk.ok()) return std::nullopt;
  std::string input(text);
  std::string output(text.size() * 2 + 16, '\0');  // no charset needs more than two GBK bytes a byte
  char* in = input.data();
  std::size_t inLeft = input.size();
  char* out = output.data();
  std::size_t outLeft = output.size();
  // iconv counts irreversible conversions in its result: those are characters GBK cannot hold too.
  if (iconv(gbk.get(), &in, &inLeft, &out, &outLeft) != 0) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace zelvane
