#include "shell/settings.h"

#include <array>
#include <cstdio>

#include "common/allocation.h"
#include "common/file_io.h"
#include "common/format.h"
#include "device/jedec_parts.h"

namespace kem {

namespace {

constexpr const char* kPortKey = "KEMWin_Port";
constexpr std::string_view kLevelKey = "KEMWinMinLevel";
constexpr std::string_view kFontKey = "Font_Set";
// One key=value token: readers that do not know the key skip it.
constexpr std::string_view kHighlightKey = "KEMWinHighlight";
constexpr std::string_view kPartKey = "KEMWinPart";
constexpr std::string_view kHighlightOff = "0";
constexpr std::string_view kHighlightOn = "1";
constexpr std::array<const char*, 4> kPortNames = {"LPT1", "LPT2", "LPT3", "NoLPT"};
constexpr const char* kNameLineFormat = "%s=%s\n";
// The five 32-bit fields, then the eight byte fields and the face name.
constexpr const char* kFontLineHead = "%s=%d %d %d %d %d ";
constexpr const char* kFontLineTail = "%d %d %d %d %d %d %d %d %s\n";
constexpr std::int64_t kNumberBound = 100000000000;
constexpr std::size_t kMaxTokenLength = 51;  // longer tokens are beyond the format: ignored
constexpr std::size_t kMaxFaceNameLength = 31;
constexpr int kFontNumbersAfterHeight = 12;

// Reads the settings text the way formatted stream input does: tokens, numbers and lines.
class SettingsReader {
 public:
  explicit SettingsReader(std::string_view text) : text_(text) {}

  bool NextToken(std::string_view& token) {
    SkipSpace();
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsWhiteSpace(text_[pos_])) ++pos_;
    token = text_.substr(start, pos_ - start);
    return !token.empty();
  }

  // A decimal number after optional white space; on failure nothing but the space is consumed.
  // Digits past a bound no field needs are read but no longer counted, so the value stays far
  // within 64 bits on every platform.
  bool NextNumber(std::int64_t& value) {
    SkipSpace();
    std::size_t p = pos_;
    bool negative = false;
    if (p < text_.size() && (text_[p] == '-' || text_[p] == '+')) negative = text_[p++] == '-';
    const std::size_t digits = p;
    std::int64_t result = 0;
    while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
      if (result < kNumberBound) result = result * 10 + (text_[p] - '0');
      ++p;
    }
    if (p == digits) return false;
    pos_ = p;
    value = negative ? -result : result;
    return true;
  }

  // The rest of the line after blanks and line ends; the line end itself is consumed.
  std::string_view RestOfLine() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n')) ++pos_;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    std::string_view line = text_.substr(start, pos_ - start);
    if (pos_ < text_.size()) ++pos_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
  }

 private:
  void SkipSpace() {
    while (pos_ < text_.size() && IsWhiteSpace(text_[pos_])) ++pos_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

template <typename... Args>
void AppendFormatted(std::string& out, const char* format, Args... args) {
  const int size = std::snprintf(nullptr, 0, format, args...);
  if (size <= 0) return;
  std::string piece(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(piece.data(), piece.size(), format, args...);
  piece.resize(static_cast<std::size_t>(size));
  out += piece;
}

std::int64_t LeadingNumber(std::string_view text) {
  SettingsReader reader(text);
  std::int64_t value = 0;
  return reader.NextNumber(value) ? value : 0;
}

// The face name as a font lookup takes it: a C string of at most 31 characters. Carriage returns
// left at its end are line-end debris, not part of a name, and would be written back as a line
// end that the next reading drops.
std::string FaceName(std::string_view rest_of_line) {
  std::string_view name = rest_of_line.substr(0, rest_of_line.find('\0'));
  name = name.substr(0, kMaxFaceNameLength);
  while (!name.empty() && name.back() == '\r') name.remove_suffix(1);
  return std::string(name);
}

// Font_Set=height width escapement orientation weight italic underline strike-out char-set
// out-precision clip-precision quality pitch-and-family face name to the end of the line
bool ReadFont(SettingsReader& reader, std::string_view height, FontDescription& font) {
  std::array<std::int64_t, kFontNumbersAfterHeight> numbers{};
  for (std::int64_t& number : numbers) {
    if (!reader.NextNumber(number)) return false;
  }
  font.height = static_cast<std::int32_t>(LeadingNumber(height));
  font.width = static_cast<std::int32_t>(numbers[0]);
  font.escapement = static_cast<std::int32_t>(numbers[1]);
  font.orientation = static_cast<std::int32_t>(numbers[2]);
  font.weight = static_cast<std::int32_t>(numbers[3]);
  std::array<std::uint8_t*, 8> bytes = {&font.italic,   &font.underline,       &font.strike_out,
                                        &font.char_set, &font.out_precision,   &font.clip_precision,
                                        &font.quality,  &font.pitch_and_family};
  for (std::size_t i = 0; i < bytes.size(); ++i)
    *bytes[i] = static_cast<std::uint8_t>(numbers[4 + i] & 0xFF);
  font.face_name = FaceName(reader.RestOfLine());
  return true;
}

}  // namespace

int MinimizationLevelFromName(std::string_view name) {
  for (const MinimizationLevel& level : kMinimizationLevels) {
    if (level.settings_word == name) return level.level;
  }
  return -1;
}

Settings ParseSettings(std::string_view text) {
  Settings settings;
  SettingsReader reader(text);
  std::string_view token;
  while (reader.NextToken(token)) {
    if (ReadRecentFileToken(token, settings.recent_files)) continue;
    if (token.size() > kMaxTokenLength) continue;
    const std::size_t equals = token.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = token.substr(0, equals);
    const std::string_view value = token.substr(equals + 1);
    if (key == kLevelKey) {
      const int level = MinimizationLevelFromName(value);
      if (level >= 0) settings.minimization_level = level;
    } else if (key == kFontKey) {
      FontDescription font;
      if (ReadFont(reader, value, font)) {
        settings.font = std::move(font);
        settings.font_read = true;
      }
      settings.settings_changed = true;
    } else if (key == kPartKey) {
      // A part no version of the program knows is left out, as an unknown level is.
      if (const Part* part = FindPart(value)) settings.part = part->name;
    } else if (key == kHighlightKey) {
      if (value == kHighlightOff || value == kHighlightOn)
        settings.highlighting = value == kHighlightOn;
    } else {
      // The port is not taken from the file: it always starts as "NoLPT".
      settings.settings_changed = true;
    }
  }
  return settings;
}

Settings ReadSettingsFile(const std::string& path) {
  std::string text;
  // No settings file is anywhere near the budget; one that is cannot take the memory either.
  if (ReadRegularFile(path, text, kDefaultMemoryBudget) != ReadResult::kRead) return Settings{};
  return ParseSettings(text);
}

std::string FormatSettings(const Settings& settings) {
  const int port = settings.port >= 0 && settings.port < static_cast<int>(kPortNames.size())
                       ? settings.port
                       : kPortNone;
  const int level = IsMinimizationLevel(settings.minimization_level)
                        ? settings.minimization_level
                        : Settings{}.minimization_level;
  const std::string level_name(kMinimizationLevels[static_cast<std::size_t>(level)].settings_word);
  const FontDescription& f = settings.font;
  // The recent files come first: a font line with an empty face name takes the next line as its
  // name, so it must stay the last line.
  std::string text = FormatRecentFiles(settings.recent_files);
  AppendFormatted(text, kNameLineFormat, kPortKey, kPortNames[static_cast<std::size_t>(port)]);
  AppendFormatted(text, kNameLineFormat, std::string(kLevelKey).c_str(), level_name.c_str());
  // Before the font line: an empty face name would let a reader take the next line for it.
  if (!settings.part.empty())
    AppendFormatted(text, kNameLineFormat, std::string(kPartKey).c_str(), settings.part.c_str());
  if (!settings.highlighting)
    AppendFormatted(text, kNameLineFormat, std::string(kHighlightKey).c_str(),
                    std::string(kHighlightOff).c_str());
  AppendFormatted(text, kFontLineHead, std::string(kFontKey).c_str(), f.height, f.width,
                  f.escapement, f.orientation, f.weight);
  AppendFormatted(text, kFontLineTail, int{f.italic}, int{f.underline}, int{f.strike_out},
                  int{f.char_set}, int{f.out_precision}, int{f.clip_precision}, int{f.quality},
                  int{f.pitch_and_family}, f.face_name.c_str());
  return text;
}

bool WriteSettingsFile(const std::string& path, const Settings& settings) {
  // A write-protected file stays as it is; a link is replaced by the file, its target untouched.
  return ReplaceFileContents(path, FormatSettings(settings)) == ReplaceResult::kReplaced;
}

}  // namespace kem
