#include "ops/numbers_inside_text.h"

#include <algorithm>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/normalize_number.h"
#include "core/number_file_reader.h"
#include "core/number_finder.h"

namespace zelvane {

namespace {

// Whether the numbers found in a line are something else than its tokens.
bool FindsOtherThanTokens(std::string_view line) {
  std::vector<std::string> found;
  NumberFinder finder;
  const auto take = [&found](std::string_view number) { found.emplace_back(number); };
  finder.Feed(line, take);
  finder.Finish(take);
  if (found.empty()) return false;
  std::vector<std::string> tokens;
  for (std::size_t at = 0; at < line.size();) {
    const std::size_t end = std::min(line.find_first_of(" ,\r", at), line.size());
    if (end > at) tokens.emplace_back(NormalizeNumber(line.substr(at, end - at)));
    at = end + 1;
  }
  return found != tokens;
}

}  // namespace

bool NumbersMostlyInsideText(const std::filesystem::path& path) {
  NumberFile file;
  if (file.Open(path)) return false;
  std::string start;
  std::stop_source enough;
  WorkProgress reading(enough.get_token(), nullptr);
  const FileResult error = file.Read(
      [&](std::string_view piece) {
        start.append(piece.substr(0, kJudgedTextBytes - start.size()));
        if (start.size() == kJudgedTextBytes) enough.request_stop();
      },
      &reading);
  if (error && !WasCancelled(error)) return false;
  // A line cut at the end of the start is left out.
  if (WasCancelled(error) || start.size() == kJudgedTextBytes) start.erase(start.find_last_of('\n') + 1);

  std::size_t lines = 0;
  std::size_t mixed = 0;
  for (std::size_t at = 0; at < start.size();) {
    std::size_t end = start.find('\n', at);
    if (end == std::string::npos) end = start.size();
    const std::string_view line = std::string_view(start).substr(at, end - at);
    if (line.find_first_not_of(" \t\r") != std::string_view::npos) {
      ++lines;
      if (FindsOtherThanTokens(line)) ++mixed;
    }
    at = end + 1;
  }
  return mixed * 2 > lines;
}

}  // namespace zelvane
