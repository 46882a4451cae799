#pragma once
// Rich Text Format for the info window: reads the common subset that word
// processors write (paragraphs with alignment, indents, spacing and tab stops; bold, italic,
// underline, strike-out, super- and subscript, font, size, text and background
// colour, `\'hh` and `\uN` escapes) into a QTextDocument and writes one back.
// Everything else is skipped: unknown control words are ignored, unknown
// destinations and `{\*...}` groups are consumed whole.
//
// The reader takes untrusted files: unbalanced braces, truncated escapes,
// absurd numbers, binary junk and deep nesting are all read as far as they
// make sense, in one pass, with the group stack bounded.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace liquidus {

/// Groups nested deeper than this are skipped whole (their text is lost).
constexpr int kRtfMaxGroupDepth = 256;

/// True when the data starts as an RTF document does ("{\rtf", after white
/// space and an optional UTF-8 byte-order mark).
bool LooksLikeRtf(const QByteArray& data);

/// Replaces the content of `into` with the RTF document in `rtf`. Returns
/// false, with a reason in `error` when given and `into` left empty, only when
/// the data is not RTF at all; damaged RTF is read leniently and returns true.
bool ReadRtf(const QByteArray& rtf, QTextDocument& into, QString* error);

/// The document as RTF: Windows-1252 text, `\uN?` for characters beyond it,
/// one `\par` between paragraphs, a font and a colour table of what is used.
QByteArray WriteRtf(const QTextDocument& doc);

}  // namespace liquidus
