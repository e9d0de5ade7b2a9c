// Stands in for the rich-edit control's RTF loading: reads RTF into a
// QTextDocument. It reads everything the notation writer produces and stays
// safe on anything else (garbage, unbalanced braces, huge numbers).
//
// What the rich-edit layer relies on:
// - every shown character of the RTF ("\'hh", "\_", "\{", "\}", "\\", a text
//   byte, a diagram overlay) becomes exactly one QChar, and every "\par" one
//   block break, so that a position counted as the writer counts it (a
//   paragraph break 2) maps onto the document (see RichEdit.h);
// - text bytes are decoded by the charset of the current font: \fcharset0 as
//   cp1252, \fcharset238 as cp1250, \fcharset2 (symbol) byte for byte, a font
//   without charset by \ansicpg; in the notation's text fonts a byte that
//   carries a figurine or symbol there (IsNotationGlyphByte, "~" included) is
//   read as U+F000 + byte, where our fonts draw it, while \uN text is the
//   character N; a text character at a glyph byte's cp1252 code point (where
//   those fonts draw the glyph too, for other programs) is drawn in the
//   font's plain text family (PlainTextFamily), also when the RTF has it in
//   the notation font;
// - groups save and restore both character (\b \i \ul \f \fs \cf) and
//   paragraph properties (\li \ri \fi \sb \sa \ql \qc \qr \qj \keep \keepn);
//   a paragraph takes the paragraph properties in effect at its "\par";
// - \fonttbl, \colortbl, \stylesheet, \info, \pict, "\*" groups and the like
//   show nothing; a NUL byte or the close of the outermost group ends the text;
// - a word of more than 64 characters (no blank, tab, line break, zero-width
//   space or soft hyphen) gets a zero-width space (U+200B) after its 64th
//   character and after every 8 more, so that laying it out stays linear in
//   its length; those spaces are listed in the document's
//   RtfInsertedBreaksProperty and stand for nothing in the RTF.
//
// Sizes are in half-points, indents and spacing in twips, converted to
// pixels at the dpi given. The figurine fonts of the document fall back to
// our own text fonts where they are not installed.
//
// Left out: tables, pictures, fields, lists, styles, \bin data is skipped.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

class QTextDocument;

// A block property that marks a paragraph to be kept on the page of the next
// one (\keepn); the printer's paginator honours it.
constexpr int RtfKeepWithNextProperty = 0x100000 + 1; // QTextFormat::UserProperty + 1

// A dynamic property of the document read: the positions of the zero-width
// spaces the reader added (a QList<int>, ascending).
inline constexpr char RtfInsertedBreaksProperty[] = "rtfInsertedBreaks";

// Font families for one entry of the font table: the name first, then the
// fallback where the name is one of the figurine fonts.
QStringList RtfFontFamilies(const QString& name);

// Text of a document read by ReadRtf with the notation fonts' glyphs given
// as the cp1252 characters of their bytes again, as the RTF has them.
QString RtfPlainText(QString text);

// Reads rtf into doc (its old content is replaced); pixels for twips at dpi.
// Returns false when the input holds no "{\rtf" document; what could be read
// is in doc all the same.
bool ReadRtf(std::string_view rtf, QTextDocument& doc, double dpi = 96.0);
