// Writes number files for the comparison benchmark into FOLDER, one set per SIZE (10k, 1m, 10m or
// 100m; default: 10k 1m). A set of n numbers is:
//   numbers-n.txt          n lines as users' lists look: mobiles, some with +86 or 86, landlines,
//                          a few repeats; CR LF line ends
//   whitelist-n.txt        n plain numbers: half of them from numbers-n.txt, shuffled
//   whitelist-junk-n.txt   the same whitelist with a junk line after about one line in fifty: 4 to 40
//                          bytes of digits only, of printable ASCII or of any byte but separators and zero
//   numbers-real-n.txt     numbers-n.txt's numbers as real files hold them (CR LF): about 85% plain
//                          mobiles, the rest landlines, +86 / 86 / 0 forms, text around numbers, 13 service
//                          numbers repeated over and over, digit fragments, numbers in groups ("175 5093
//                          6597": three tokens), 400 numbers and long junk
//   whitelist-real-n.txt   whitelist-n.txt's numbers written the same way, with LF line ends
// The 1m set also has whitelist-100k.txt: 100,000 plain numbers, half of them from numbers-1m.txt.
// The numbers files carry prefixes the clean whitelists lack, so they are the larger and are scanned;
// the junk lines make a junk whitelist the larger, so it is scanned and its junk is searched for.
// numbers-real-n.txt is larger than whitelist-n.txt, so it is scanned against the clean whitelist;
// whitelist-real-n.txt (LF) is smaller than numbers-n.txt, so it is the one searched.
// The output is the same on every run. Usage: make_compare_data FOLDER [SIZE...]

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr const char* kMobilePrefixes[] = {"130", "131", "132", "133", "134", "135", "136", "137", "138", "139",
                                           "145", "147", "150", "151", "152", "153", "155", "156", "157", "158",
                                           "159", "166", "173", "175", "176", "177", "178", "180", "181", "182",
                                           "183", "184", "185", "186", "187", "188", "189", "191", "198", "199"};
constexpr const char* kAreaCodes[] = {"010", "020", "021", "0755", "0571", "028", "0731", "0898"};
// What real files repeat thousands of times; the 3-digit ones are too short to be numbers at all.
constexpr const char* kServiceNumbers[] = {"110",   "120",   "10086", "10010", "10000", "95588", "95555",
                                           "95533", "95566", "12306", "12315", "12345", "96110"};
// GBK text: 张三, 李四, 王经理, 备注, and the full-width comma.
constexpr const char* kGbkNames[] = {"\xD5\xC5\xC8\xFD", "\xC0\xEE\xCB\xC4", "\xCD\xF5\xBE\xAD\xC0\xED"};
constexpr const char* kGbkNote = "\xB1\xB8\xD7\xA2";
constexpr const char* kGbkComma = "\xA3\xAC";

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : random_(seed) {}

  std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(random_() % bound); }

  // A number as a whitelist stores it: a mobile, or one in twenty a landline.
  std::string PlainNumber() {
    std::string number;
    if (Below(20) == 0) {
      number = kAreaCodes[Below(std::size(kAreaCodes))];
      AppendDigits(number, number.size() == 3 ? 8 : 7 + Below(2));
    } else {
      number = kMobilePrefixes[Below(std::size(kMobilePrefixes))];
      AppendDigits(number, 8);
    }
    return number;
  }

  // How a user's list writes it: one in twenty with +86, one in thirty with 86.
  std::string Written(const std::string& number) {
    if (number[0] != '1') return number;
    const std::size_t pick = Below(60);
    if (pick < 3) return "+86" + number;
    if (pick < 5) return "86" + number;
    return number;
  }

  // 4 to 40 bytes that hold no separator and no zero byte: half of them digits only.
  std::string Junk() {
    std::string junk;
    const std::size_t kind = Below(4);
    for (std::size_t i = 4 + Below(37); i > 0; --i) {
      char c = 0;
      if (kind < 2) {
        c = static_cast<char>('0' + Below(10));
      } else if (kind == 2) {
        c = static_cast<char>('!' + Below(94));
      } else {
        do c = static_cast<char>(1 + Below(255));
        while (c == '\n' || c == '\r' || c == ' ' || c == ',');
      }
      junk.push_back(c == ',' ? ';' : c);
    }
    return junk;
  }

  // A line of a real file for number (a plain number of the set): mostly the number itself, as a share
  // of 10,000 lines each kind has (realistic-number-files.md); the rarer kinds make their own digits.
  std::string RealLine(const std::string& number) {
    const std::size_t pick = Below(10'000);
    const bool mobile = number[0] == '1';
    if (pick < 8'470 || !mobile) return number;
    if (pick < 8'930) return Landline();
    if (pick < 9'160) return "86" + number;
    if (pick < 9'390) return "+86" + number;
    if (pick < 9'530) return "0" + number;
    if (pick < 9'660) return TextWith(number);
    if (pick < 9'780) return kServiceNumbers[Below(std::size(kServiceNumbers))];
    if (pick < 9'890) return Digits(Below(4) == 0 ? 12 : 7 + Below(4));
    if (pick < 9'940) {
      const char joint = Below(2) == 0 ? ' ' : '-';
      return number.substr(0, 3) + joint + number.substr(3, 4) + joint + number.substr(7);
    }
    if (pick < 9'980) return (Below(4) == 0 ? "800" : "400") + Digits(7);
    return LongJunk(number);
  }

  template <class T>
  void Shuffle(std::vector<T>& items) {
    std::shuffle(items.begin(), items.end(), random_);
  }

 private:
  void AppendDigits(std::string& text, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) text.push_back(static_cast<char>('0' + Below(10)));
  }
  std::string Digits(std::size_t count) {
    std::string digits;
    AppendDigits(digits, count);
    return digits;
  }
  std::string Landline() {
    std::string landline = kAreaCodes[Below(std::size(kAreaCodes))];
    AppendDigits(landline, landline.size() == 3 ? 8 : 7 + Below(2));
    return landline;
  }
  std::string MobileNumber() {
    std::string mobile = kMobilePrefixes[Below(std::size(kMobilePrefixes))];
    AppendDigits(mobile, 8);
    return mobile;
  }
  // 0731-3979306, 张三13912345678, or two numbers joined by a tab or a full-width comma.
  std::string TextWith(const std::string& number) {
    switch (Below(4)) {
      case 0: {
        const std::string area = kAreaCodes[Below(std::size(kAreaCodes))];
        return area + "-" + Digits(area.size() == 3 ? 8 : 7);
      }
      case 1:
        return kGbkNames[Below(std::size(kGbkNames))] + number;
      case 2:
        return number + "\t" + MobileNumber();
      default:
        return number + kGbkComma + MobileNumber();
    }
  }
  // 17 to 40 bytes: a link, a note, a tel: link.
  std::string LongJunk(const std::string& number) {
    switch (Below(3)) {
      case 0:
        return "tel:" + number;
      case 1:
        return std::string(kGbkNote) + ":" + kGbkNames[Below(std::size(kGbkNames))] + "/" + number + "/" +
               Digits(Below(8));
      default:
        return "https://m.example.cn/c/" + Digits(6 + Below(12));
    }
  }

  std::mt19937_64 random_;
};

void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                const char* lineEnd = "\r\n") {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << lineEnd;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The lines of a real file for plain numbers.
std::vector<std::string> RealLines(Generator& generator, const std::vector<std::string>& plain) {
  std::vector<std::string> lines;
  lines.reserve(plain.size());
  for (const std::string& number : plain) lines.push_back(generator.RealLine(number));
  return lines;
}

// A user's list of count lines and whitelists of the given sizes that share half of it; the first
// whitelist also with junk, and both written as real files.
void WriteSet(const std::filesystem::path& folder, const std::string& suffix, std::size_t count,
              const std::vector<std::pair<std::size_t, std::string>>& whitelists, std::uint64_t seed) {
  Generator generator(seed);
  Generator junk(seed + 100);  // its own, so that the clean files stay as they were
  Generator real(seed + 200);
  std::vector<std::string> plain;
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i) {
    // One line in fifty repeats an earlier number.
    plain.push_back(i > 0 && generator.Below(50) == 0 ? plain[generator.Below(i)] : generator.PlainNumber());
    lines.push_back(generator.Written(plain.back()));
  }
  WriteLines(folder / ("numbers-" + suffix + ".txt"), lines);
  WriteLines(folder / ("numbers-real-" + suffix + ".txt"), RealLines(real, plain));

  for (const auto& [size, name] : whitelists) {
    std::vector<std::string> shared = plain;
    generator.Shuffle(shared);
    std::vector<std::string> whitelist(shared.begin(), shared.begin() + static_cast<std::ptrdiff_t>(size / 2));
    while (whitelist.size() < size) whitelist.push_back(generator.PlainNumber());
    generator.Shuffle(whitelist);
    WriteLines(folder / ("whitelist-" + name + ".txt"), whitelist);
    if (name != suffix) continue;
    WriteLines(folder / ("whitelist-real-" + name + ".txt"), RealLines(real, whitelist), "\n");
    std::vector<std::string> junky;
    for (const std::string& line : whitelist) {
      junky.push_back(line);
      if (junk.Below(50) == 0) junky.push_back(junk.Junk());
    }
    WriteLines(folder / ("whitelist-junk-" + name + ".txt"), junky);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: " << argv[0] << " FOLDER [10k|1m|10m|100m...]\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  std::vector<std::string> sizes(argv + 2, argv + argc);
  if (sizes.empty()) sizes = {"10k", "1m"};
  for (const std::string& size : sizes) {
    if (size == "10k") {
      WriteSet(folder, "10k", 10'000, {{10'000, "10k"}}, 2);
    } else if (size == "1m") {
      WriteSet(folder, "1m", 1'000'000, {{1'000'000, "1m"}, {100'000, "100k"}}, 1);
    } else if (size == "10m") {
      WriteSet(folder, "10m", 10'000'000, {{10'000'000, "10m"}}, 3);
    } else if (size == "100m") {
      WriteSet(folder, "100m", 100'000'000, {{100'000'000, "100m"}}, 4);
    } else {
      std::cerr << argv[0] << ": unknown size " << size << "\n";
      return 2;
    }
  }
  return 0;
}
