#include "interchange/source_import.h"

#include "common/format.h"
#include "interchange/cupl_import.h"
#include "interchange/design_text.h"
#include "interchange/galasm_import.h"
#include "interchange/import_messages.h"

namespace kem {
namespace {

std::string_view LastComponent(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Stem(std::string_view path) {
  const std::string_view leaf = LastComponent(path);
  return leaf.substr(0, leaf.rfind('.'));
}

}  // namespace

ImportResult ImportSource(std::string_view text, std::string_view file_name) {
  ImportResult result;
  std::optional<ImportedDesign> imported;
  if (LooksLikeGalasm(text)) {
    imported = ImportGalasm(text, Stem(file_name), result.report);
  } else if (LooksLikeCupl(text)) {
    imported = ImportCupl(text, Stem(file_name), result.report);
  } else {
    result.report.Error(0, import_messages::kUnknownLanguage);
  }
  if (!imported) return result;
  if (!imported->heading.empty() && !imported->heading.front().empty())
    imported->heading.insert(imported->heading.begin(), "");
  imported->heading.insert(
      imported->heading.begin(),
      FormatText(import_messages::kOrigin, {LastComponent(file_name), imported->language}));
  std::optional<DesignText> design = ToDesignText(*imported, result.report);
  if (design) result.design = WriteDesignText(*design);
  return result;
}

}  // namespace kem
