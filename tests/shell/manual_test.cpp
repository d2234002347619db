// The manual against the program: every diagnostic, menu item and message the user can meet is
// documented, every example provokes exactly the error file the manual shows, and every link
// leads somewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "common/allocation.h"
#include "common/diagnostics.h"
#include "common/file_io.h"
#include "compiler/messages.h"
#include "device/fitter_messages.h"
#include "shell/help.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"
#include "shell/waveform_messages.h"
#include "tests/support/compile_fixture.h"

namespace kem {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDiagnosticsPage = "meldungen.html";
constexpr const char* kMenuPage = "menues.html";

std::string Page(const std::string& name) {
  std::string text;
  ReadWholeFile(std::string(MANUAL_DIR) + "/" + name, text);
  return text;
}

std::vector<std::string> PageNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(MANUAL_DIR)) {
    if (entry.path().extension() == ".html") names.push_back(entry.path().filename().string());
  }
  return names;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string Unescape(std::string text) {
  text = Replace(text, "&lt;", "<");
  text = Replace(text, "&gt;", ">");
  text = Replace(text, "&quot;", "\"");
  return Replace(text, "&amp;", "&");
}

std::string Escape(std::string text) {
  text = Replace(text, "&", "&amp;");
  text = Replace(text, "<", "&lt;");
  return Replace(text, ">", "&gt;");
}

// The text of <pre class="CLASS" id="PREFIX-CODE">, by CODE.
std::map<std::string, std::string> Blocks(const std::string& page, const std::string& css_class,
                                          const std::string& prefix) {
  std::map<std::string, std::string> blocks;
  const std::string open = "<pre class=\"" + css_class + "\" id=\"" + prefix + "-";
  for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at + 1)) {
    const std::size_t code = at + open.size();
    const std::size_t body = page.find("\">", code);
    const std::size_t end = page.find("</pre>", body);
    blocks[page.substr(code, body - code)] = Unescape(page.substr(body + 2, end - body - 2));
  }
  return blocks;
}

// The code of a diagnostic, "E12" or "W01".
std::string Code(Diag id) {
  return std::string(DiagnosticEntry(id).format.substr(0, 3));
}

// A text of the program as the manual prints it: placeholders become <var>...</var>.
std::regex ShownText(std::string_view text) {
  static const std::regex kPlaceholder("%[sd]");
  static const std::regex kSpecial(R"([.^$|()\[\]{}*+?\\])");
  std::string pattern;
  std::string rest(text);
  std::smatch match;
  while (std::regex_search(rest, match, kPlaceholder)) {
    pattern += std::regex_replace(Escape(match.prefix()), kSpecial, R"(\$&)") + "<var>[^<]+</var>";
    rest = match.suffix();
  }
  pattern += std::regex_replace(Escape(rest), kSpecial, R"(\$&)");
  return std::regex(Replace(pattern, "\n", "<br>"));
}

// Diagnostics that no small design provokes: never issued, impossible with these devices, or
// about memory and files rather than the source. The manual explains them without an example.
const std::set<std::string> kWithoutExample = {"E01", "E03", "E04", "W02", "E09",
                                               "E11", "E16", "E25", "E27", "E33"};

TEST(Manual, EveryDiagnosticHasItsExactTextAndAnExampleWhereOneExists) {
  const std::string page = Page(kDiagnosticsPage);
  const std::map<std::string, std::string> examples = Blocks(page, "beispiel", "bsp");
  for (int i = 0; i < kDiagnosticCount; ++i) {
    const Diag id = static_cast<Diag>(i);
    const std::string code = Code(id);
    SCOPED_TRACE(code);
    EXPECT_NE(page.find("<h3 id=\"" + code + "\">"), std::string::npos);
    EXPECT_TRUE(std::regex_search(page, ShownText(DiagnosticEntry(id).format)));
    EXPECT_EQ(examples.count(code), kWithoutExample.count(code) ? 0u : 1u);
  }
}

TEST(Manual, EveryExampleGivesTheErrorFileShown) {
  const std::string page = Page(kDiagnosticsPage);
  const std::map<std::string, std::string> examples = Blocks(page, "beispiel", "bsp");
  const std::map<std::string, std::string> results = Blocks(page, "fehlerdatei", "erg");
  ASSERT_FALSE(examples.empty());
  for (const auto& [code, source] : examples) {
    SCOPED_TRACE(code);
    testing_support::CompileFixture fixture;
    const testing_support::Compiled compiled = fixture.Compile(source, code + ".kem");
    ASSERT_TRUE(compiled.errors);
    ASSERT_EQ(results.count(code), 1u);
    EXPECT_EQ(*compiled.errors, results.at(code));
    EXPECT_NE(compiled.errors->find(code + " "), std::string::npos);
  }
}

TEST(Manual, MissingSourceGivesE04AsDescribed) {
  testing_support::CompileFixture fixture;
  const testing_support::Compiled compiled = fixture.CompileFile("fehlt.kem");
  ASSERT_TRUE(compiled.errors);
  EXPECT_EQ(*compiled.errors, std::string(DiagnosticEntry(Diag::E04).format) + "\n");
  EXPECT_NE(Page(kDiagnosticsPage).find("<code>fehlt.ERR</code>"), std::string::npos);
}

TEST(Manual, EveryMenuItemWithItsMnemonicAndShortcut) {
  const std::string page = Page(kMenuPage);
  const auto shown = [](std::string_view text) {
    std::string html;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '&' && i + 1 < text.size()) {
        // The mnemonic may be a two-byte UTF-8 letter such as "Ü".
        const std::size_t length = (static_cast<unsigned char>(text[i + 1]) & 0x80) ? 2 : 1;
        html += "<u>" + std::string(text.substr(i + 1, length)) + "</u>";
        i += length;
      } else {
        html += text[i];
      }
    }
    return html;
  };
  for (const MenuPopup& popup : MainMenu()) {
    EXPECT_NE(page.find(shown(popup.title)), std::string::npos) << popup.title;
    for (const MenuEntry& entry : popup.entries) {
      if (entry.id == 0) continue;
      const std::string_view text = entry.text.substr(0, entry.text.find('\t'));
      EXPECT_NE(page.find(shown(text)), std::string::npos) << entry.text;
      if (text.size() < entry.text.size()) {
        const std::string shortcut(entry.text.substr(text.size() + 1));
        EXPECT_NE(page.find("<td>" + shortcut + "</td>"), std::string::npos) << entry.text;
      }
    }
  }
}

TEST(Manual, MessagesTheUserMeetsAreExplained) {
  const std::string page = Page(kDiagnosticsPage);
  namespace msg = shell_messages;
  const std::string_view texts[] = {
      msg::kAskToSave,
      msg::kCannotOpen,
      msg::kFileEmpty,
      msg::kWriteFailed,
      msg::kCompileFirst,
      msg::kSimulationImpossible,
      msg::kCapacityReached,
      msg::kTextNotFound,
      msg::kSettingsNotSaved,
      msg::kPluginNotFound,
      msg::kJvmNotFound,
      messages::kRefuseOwnOutput,
      messages::kCannotSave,
      messages::kFitImpossible,
      messages::kCompiling,
      messages::kFinished,
      messages::kAborted,
      messages::kInternalErrorAt,
      kOutOfMemoryBox,
      fitter_messages::kSucceeded,
      fitter_messages::kFailed,
      fitter_messages::kNoIntermediateFile,
      waveform_messages::kCannotRead,
      waveform_messages::kNotLoaded,
      waveform_messages::kNoDevice,
  };
  for (std::string_view text : texts) EXPECT_TRUE(std::regex_search(page, ShownText(text))) << text;
}

TEST(Manual, EveryLinkAndAnchorResolves) {
  static const std::regex kLink(R"re((href|src)="([^"]*)")re");
  std::set<std::string> pages;
  for (const std::string& name : PageNames()) pages.insert(name);
  ASSERT_TRUE(pages.count(std::string(kManualEntryPage)));
  for (const std::string& name : pages) {
    const std::string text = Page(name);
    for (std::sregex_iterator it(text.begin(), text.end(), kLink), end; it != end; ++it) {
      const std::string target = (*it)[2];
      SCOPED_TRACE(name + " -> " + target);
      // Everything the manual needs is inside it: it must read the same without a network.
      ASSERT_EQ(target.find(':'), std::string::npos);
      const std::size_t hash = target.find('#');
      const std::string file = hash == 0 ? name : target.substr(0, hash);
      ASSERT_TRUE(fs::is_regular_file(fs::path(MANUAL_DIR) / file));
      if (hash != std::string::npos) {
        EXPECT_NE(Page(file).find("id=\"" + target.substr(hash + 1) + "\""), std::string::npos);
      }
    }
  }
}

TEST(Manual, EveryPageIsReachableFromTheContents) {
  const std::string contents = Page(std::string(kManualEntryPage));
  for (const std::string& name : PageNames()) {
    if (name == kManualEntryPage) continue;
    EXPECT_NE(contents.find("href=\"" + name), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace kem
