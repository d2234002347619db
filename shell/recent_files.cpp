#include "shell/recent_files.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "common/names.h"

namespace kem {

namespace {

constexpr std::string_view kKeyPrefix = "KEMWin_Recent";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool NeedsEscape(unsigned char c) {
  return c <= ' ' || c == '%' || c == 0x7F;
}

std::string Escape(std::string_view name) {
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (NeedsEscape(byte)) {
      out += '%';
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A "%" not followed by two hex digits stands for itself.
std::string Unescape(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size()) {
      const int high = HexValue(value[i + 1]);
      const int low = HexValue(value[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += value[i];
  }
  return out;
}

}  // namespace

RecentFiles::RecentFiles(std::span<const std::string> slots) {
  for (const std::string& name : slots) {
    if (name.empty() || std::find(names_.begin(), names_.end(), name) != names_.end()) continue;
    if (names_.size() < kRecentFilesMax) names_.push_back(name);
  }
}

void RecentFiles::Add(const std::string& name) {
  if (name.empty()) return;
  Remove(name);
  names_.insert(names_.begin(), name);
  if (names_.size() > kRecentFilesMax) names_.resize(kRecentFilesMax);
}

void RecentFiles::Remove(const std::string& name) {
  names_.erase(std::remove(names_.begin(), names_.end(), name), names_.end());
}

std::string RecentFiles::NameOfCommand(int command_id) const {
  const int index = command_id - kCmdRecentFileFirst;
  if (index < 0 || index >= static_cast<int>(names_.size())) return {};
  return names_[static_cast<std::size_t>(index)];
}

std::vector<RecentFileItem> RecentFiles::MenuItems() const {
  std::vector<RecentFileItem> items;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    std::string text = "&" + std::to_string(i + 1) + " ";
    for (const char c : names_[i]) {
      text += c;
      if (c == '&') text += '&';
    }
    items.push_back({kCmdRecentFileFirst + static_cast<int>(i), std::move(text)});
  }
  return items;
}

RecentFileSlots RecentFiles::Slots() const {
  RecentFileSlots slots;
  std::copy(names_.begin(), names_.end(), slots.begin());
  return slots;
}

bool ReadRecentFileToken(std::string_view token, RecentFileSlots& slots) {
  if (!token.starts_with(kKeyPrefix)) return false;
  const std::size_t equals = token.find('=');
  if (equals != kKeyPrefix.size() + 1) return false;
  const char digit = token[kKeyPrefix.size()];
  if (digit < '1' || digit >= static_cast<char>('1' + kRecentFilesMax)) return false;
  slots[static_cast<std::size_t>(digit - '1')] = Unescape(token.substr(equals + 1));
  return true;
}

std::string FormatRecentFiles(const RecentFileSlots& slots) {
  std::string text;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].empty()) continue;
    text += std::string(kKeyPrefix) + std::to_string(i + 1) + "=" + Escape(slots[i]) + "\n";
  }
  return text;
}

bool IsDesignFileName(std::string_view name) {
  const std::size_t length = kSourceExtension.size();
  if (name.size() <= length + 1 || name[name.size() - length - 1] != '.') return false;
  const std::string_view tail = name.substr(name.size() - length);
  return std::equal(tail.begin(), tail.end(), kSourceExtension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

}  // namespace kem
