#include "ops/workbook_parts.h"

namespace zelvane {

namespace {

// Where target, as a link of part gives it, lies in the archive: beside part, or from the root when it
// begins with "/"; ".." steps up.
std::string ResolvePart(const std::string& part, const std::string& target) {
  std::string resolved = target.starts_with('/') ? std::string() : part.substr(0, part.rfind('/') + 1);
  std::string_view rest = target.starts_with('/') ? std::string_view(target).substr(1) : std::string_view(target);
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view step = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (step == "..") {
      const std::size_t cut = resolved.size() > 1 ? resolved.rfind('/', resolved.size() - 2) : std::string::npos;
      resolved.resize(cut == std::string::npos ? 0 : cut + 1);
    } else if (!step.empty() && step != ".") {
      resolved.append(step);
      if (!rest.empty()) resolved += '/';
    }
  }
  return resolved;
}

class LinkHandler : public XmlHandler {
 public:
  LinkHandler(const std::string& part, std::vector<PartLink>& links) : part_(part), links_(links) {}

  void Start(std::string_view name, const char** attributes) override {
    if (name != "Relationship") return;
    const char* id = AttributeValue(attributes, "Id");
    const char* type = AttributeValue(attributes, "Type");
    const char* target = AttributeValue(attributes, "Target");
    const char* mode = AttributeValue(attributes, "TargetMode");
    if (!id || !type || !target || (mode && std::string_view(mode) == "External")) return;
    const std::string_view typeText(type);
    links_.push_back({id, std::string(typeText.substr(typeText.rfind('/') + 1)), ResolvePart(part_, target)});
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  const std::string& part_;
  std::vector<PartLink>& links_;
};

class SheetListHandler : public XmlHandler {
 public:
  explicit SheetListHandler(std::vector<SheetEntry>& sheets) : sheets_(sheets) {}

  void Start(std::string_view name, const char** attributes) override {
    if (name != "sheet") return;
    const char* sheetName = AttributeValue(attributes, "name");
    const char* link = AttributeValue(attributes, "id");
    if (sheetName && link) sheets_.push_back({sheetName, link});
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  std::vector<SheetEntry>& sheets_;
};

}  // namespace

FileResult ParsePart(ZipArchive& archive, const std::string& name, XmlHandler& handler,
                     const std::function<void(std::uint64_t, std::uint64_t)>& progress) {
  XmlParser parser(handler);
  bool good = true;
  FileResult error = archive.Read(
      name, [&](std::string_view piece) { good = good && parser.Feed(piece); }, progress);
  if (error) return error;
  if (good) good = parser.Finish();
  if (!good) return archive.Damaged(name + " " + parser.Error());
  return std::nullopt;
}

FileResult ReadPartLinks(ZipArchive& archive, const std::string& part, std::vector<PartLink>& links) {
  const std::size_t slash = part.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  const std::string name = folder + "_rels/" + file + ".rels";
  links.clear();
  if (!archive.Has(name)) return std::nullopt;
  LinkHandler handler(part, links);
  return ParsePart(archive, name, handler);
}

FileResult ReadSheetEntries(ZipArchive& archive, const std::string& workbookPart, std::vector<SheetEntry>& sheets) {
  sheets.clear();
  SheetListHandler handler(sheets);
  return ParsePart(archive, workbookPart, handler);
}

}  // namespace zelvane
