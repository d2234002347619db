#include "gui/font_conversion.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>

namespace kem::gui {

namespace {

// Values of the description's byte fields, as the platform defines them.
constexpr std::uint8_t kFixedPitch = 1;
constexpr std::uint8_t kVariablePitch = 2;
constexpr std::uint8_t kPitchMask = 0x03;
constexpr std::uint8_t kFamilyMask = 0xF0;
constexpr std::uint8_t kFamilyRoman = 0x10;
constexpr std::uint8_t kFamilySwiss = 0x20;
constexpr std::uint8_t kFamilyModern = 0x30;
constexpr std::uint8_t kFamilyScript = 0x40;
constexpr std::uint8_t kFamilyDecorative = 0x50;
constexpr std::uint8_t kNonAntialiasedQuality = 3;
constexpr std::size_t kMaxFaceNameBytes = 31;

QFont::StyleHint StyleHintOf(std::uint8_t pitch_and_family) {
  switch (pitch_and_family & kFamilyMask) {
    case kFamilyRoman:
      return QFont::Serif;
    case kFamilySwiss:
      return QFont::SansSerif;
    case kFamilyModern:
      return QFont::Monospace;
    case kFamilyScript:
      return QFont::Cursive;
    case kFamilyDecorative:
      return QFont::Decorative;
    default:
      return QFont::AnyStyle;
  }
}

std::uint8_t FamilyOf(QFont::StyleHint hint) {
  switch (hint) {
    case QFont::Serif:
      return kFamilyRoman;
    case QFont::SansSerif:
      return kFamilySwiss;
    case QFont::Monospace:
    case QFont::TypeWriter:
      return kFamilyModern;
    case QFont::Cursive:
      return kFamilyScript;
    case QFont::Decorative:
      return kFamilyDecorative;
    default:
      return 0;
  }
}

// At most 31 bytes, never cutting a UTF-8 sequence.
std::string FaceName(const QString& family) {
  std::string name = family.toStdString();
  if (name.size() <= kMaxFaceNameBytes) return name;
  std::size_t end = kMaxFaceNameBytes;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  name.resize(end);
  return name;
}

}  // namespace

QFont ToQFont(const FontDescription& description) {
  QFont font;
  if (!description.face_name.empty())
    font.setFamily(QString::fromUtf8(description.face_name.data(),
                                     static_cast<qsizetype>(description.face_name.size())));
  // A negative height is the character height, a positive one the cell height; both are
  // near enough to Qt's pixel size.
  if (description.height != 0) font.setPixelSize(std::min(std::abs(description.height), 1000));
  if (description.weight > 0)
    font.setWeight(static_cast<QFont::Weight>(std::clamp(description.weight, 1, 1000)));
  font.setItalic(description.italic != 0);
  font.setUnderline(description.underline != 0);
  font.setStrikeOut(description.strike_out != 0);
  font.setFixedPitch((description.pitch_and_family & kPitchMask) == kFixedPitch);
  font.setStyleHint(
      StyleHintOf(description.pitch_and_family),
      description.quality == kNonAntialiasedQuality ? QFont::NoAntialias : QFont::PreferDefault);
  return font;
}

FontDescription FromQFont(const QFont& font, const FontDescription& base) {
  FontDescription description = base;
  const QFontInfo info(font);
  description.height = -info.pixelSize();
  description.weight = font.weight();
  description.italic = font.italic() ? 1 : 0;
  description.underline = font.underline() ? 1 : 0;
  description.strike_out = font.strikeOut() ? 1 : 0;
  if (font.styleStrategy() & QFont::NoAntialias) description.quality = kNonAntialiasedQuality;
  description.pitch_and_family = static_cast<std::uint8_t>(
      (HasFixedAdvances(font) ? kFixedPitch : kVariablePitch) | FamilyOf(font.styleHint()));
  description.face_name = FaceName(font.family());
  return description;
}

FontDescription DefaultEditorFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  // Kept as a hint in the description, so a face missing elsewhere falls back to a fixed one.
  font.setStyleHint(QFont::Monospace);
  return FromQFont(font);
}

bool HasFixedAdvances(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QLatin1Char('W'));
  for (const char c : {'i', '0', ' '}) {
    if (metrics.horizontalAdvance(QLatin1Char(c)) != width) return false;
  }
  return true;
}

int LineHeight(const QFont& font) {
  return QFontMetrics(font).lineSpacing();
}

}  // namespace kem::gui
