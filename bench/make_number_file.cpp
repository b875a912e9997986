// Writes a realistic number file for the benchmarks: mobiles of every carrier with and without
// +86, 86 or 0, landlines with area codes, service numbers and junk, separated by a mix of CR LF,
// LF and commas. Usage: make_number_file COUNT OUTPUT [SEED]

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

const char* const kMobilePrefixes[] = {"134", "135", "136", "137", "138", "139", "150", "151", "152", "157",
                                       "158", "159", "187", "188", "130", "131", "132", "155", "156", "185",
                                       "186", "133", "153", "180", "189", "170", "176", "181", "182", "199"};
const char* const kAreaCodes[] = {"010", "021", "020", "0755", "0571", "028", "0991"};
const char* const kServiceNumbers[] = {"95588", "10086", "10010", "12345", "4008"};

void AppendDigits(std::string& out, std::mt19937_64& random, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<char>('0' + random() % 10));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s COUNT OUTPUT [SEED]\n", argv[0]);
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  std::mt19937_64 random(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 2026);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  std::string line;
  for (long long i = 0; i < count; ++i) {
    line.clear();
    const unsigned kind = random() % 100;
    if (kind < 80) {
      const unsigned prefix = random() % 100;
      if (prefix < 8)
        line += "+86";
      else if (prefix < 14)
        line += "86";
      else if (prefix < 17)
        line += "0";
      line += kMobilePrefixes[random() % std::size(kMobilePrefixes)];
      AppendDigits(line, random, 8);
    } else if (kind < 92) {
      line += kAreaCodes[random() % std::size(kAreaCodes)];
      AppendDigits(line, random, 7 + static_cast<int>(random() % 2));
    } else if (kind < 97) {
      line += kServiceNumbers[random() % std::size(kServiceNumbers)];
      if (line.size() == 4) AppendDigits(line, random, 6);
    } else {
      AppendDigits(line, random, 3 + static_cast<int>(random() % 12));  // short codes and typos
    }
    const unsigned separator = random() % 10;
    line += separator < 6 ? "\r\n" : (separator < 9 ? "\n" : ",");
    std::fwrite(line.data(), 1, line.size(), out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
