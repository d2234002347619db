// The editor font's description and Qt's font, converted both ways. Fields that Qt has no use for
// (width, escapement, character set, precisions) are kept from the description they came from.
#pragma once

#include <QFont>

#include "shell/settings.h"

namespace kem::gui {

QFont ToQFont(const FontDescription& description);

// `base` supplies the fields a QFont does not carry.
FontDescription FromQFont(const QFont& font, const FontDescription& base = {});

// The editor's font when the settings name none: the platform's fixed-width font, so columns of
// equations and fuse maps line up.
FontDescription DefaultEditorFont();

// Whether every character takes the same width, measured on narrow and wide glyphs: Qt's
// QFontInfo::fixedPitch() says no for some monospace faces (Noto Sans Mono) that are.
bool HasFixedAdvances(const QFont& font);

// The height of one text line: character height plus external leading.
int LineHeight(const QFont& font);

}  // namespace kem::gui
