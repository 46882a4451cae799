#pragma once
// The program's icon and the button glyphs, drawn rather than shipped so the
// sources hold no binary art.

#include <QIcon>

namespace liquidus {

enum class TGlyph { Print, Save, Help, Info, About, OpenDiagram, SaveDiagram, Sections };

/// A small composition triangle with coloured phase fields.
QIcon ProgramIcon();
/// A 16 × 16 button glyph.
QIcon ButtonGlyph(TGlyph glyph);

}  // namespace liquidus
