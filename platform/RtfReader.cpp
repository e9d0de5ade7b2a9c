#include "platform/RtfReader.h"

#include "platform/CodePage.h"
#include "platform/Fonts.h"
#include "platform/GameText.h"

#include <QFont>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariant>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

namespace {

constexpr int MaxGroupDepth = 4096;       // deeper groups are counted, not stored
constexpr long MaxParameter = 1000000000; // control-word numbers are clamped to this
constexpr std::size_t MaxWordLength = 32;
// A word of more characters offers a line break after every LongWordPiece.
constexpr int LongWordLength = 64;
constexpr int LongWordPiece = 8;

enum class Destination { Text, FontTable, ColorTable, Skip };

struct CharState {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int Font = -1; // index into the font table, -1 the default font
    int HalfPoints = 24;
    int Color = 0; // 0 automatic
    // Drawn in the plain text family of its notation font (a text character
    // at one of the font's glyph twins).
    bool Plain = false;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    int LeftTwips = 0;
    int RightTwips = 0;
    int FirstTwips = 0;
    int BeforeTwips = 0;
    int AfterTwips = 0;
    Qt::Alignment Align = Qt::AlignLeft;
    bool KeepWithNext = false;
};

struct GroupState {
    CharState Char;
    ParaState Para;
    Destination Dest = Destination::Text;
    int UnicodeSkip = 1; // \uc
};

struct FontEntry {
    QString Name;
    int Charset = -1;
    QFont::StyleHint Hint = QFont::AnyStyle;
};

struct Run {
    CharState Char;
    QString Text;
};

struct Paragraph {
    ParaState Para;
    CharState EndChar; // the character format at the break
    std::vector<Run> Runs;
};

// The text fonts of the notation and the figurine fonts that fall back to them.
bool IsNotationFont(const QString& name)
{
    return !PlainTextFamily(name).isEmpty();
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int ClampInt(long v, int lo, int hi)
{
    return static_cast<int>(std::clamp<long>(v, lo, hi));
}

// Destinations whose content is never shown.
bool IsSkippedDestination(std::string_view word)
{
    static constexpr std::string_view skipped[] = {"stylesheet",   "info",
                                                   "pict",         "object",
                                                   "header",       "footer",
                                                   "headerl",      "headerr",
                                                   "headerf",      "footerl",
                                                   "footerr",      "footerf",
                                                   "footnote",     "fldinst",
                                                   "xe",           "tc",
                                                   "themedata",    "colorschememapping",
                                                   "datastore",    "latentstyles",
                                                   "listtable",    "listoverridetable",
                                                   "rsidtbl",      "generator",
                                                   "filetbl",      "revtbl",
                                                   "pgdsctbl",     "bkmkstart",
                                                   "bkmkend",      "private",
                                                   "userprops",    "docvar",
                                                   "nonshppict",   "blipuid",
                                                   "xmlnstbl",     "mmathPr",
                                                   "template",     "author",
                                                   "operator",     "title",
                                                   "subject",      "comment",
                                                   "keywords",     "company",
                                                   "doccomm",      "buptim",
                                                   "creatim",      "revtim",
                                                   "printim",      "wgrffmtfilter",
                                                   "passwordhash", "fchars",
                                                   "lchars",       "ud"};
    return std::find(std::begin(skipped), std::end(skipped), word) != std::end(skipped);
}

class Reader {
public:
    Reader(std::string_view rtf) : in_(rtf) {}

    bool Parse();
    void Build(QTextDocument& doc, double dpi) const;
    const QList<int>& InsertedBreaks() const { return insertedBreaks_; }

private:
    GroupState& State() { return stack_.back(); }
    void OpenGroup();
    bool CloseGroup(); // false when the outermost group closed
    void ControlWord(std::string_view word, bool hasParam, long param);
    void ControlSymbol(char c);
    void TextByte(unsigned char b);
    void ShownChar(char16_t c);
    void EndParagraph();
    void EndFontEntry();
    char16_t Decode(unsigned char b) const;
    const FontEntry* CurrentFont() const;

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_{GroupState{}};
    int overflowDepth_ = 0; // groups opened beyond MaxGroupDepth
    int pendingSkip_ = 0;   // characters still to skip after \u
    bool starDestination_ = false;
    bool sawRtf_ = false;
    bool ended_ = false;
    int defaultFont_ = 0;
    CodePage ansiPage_ = CodePage::Cp1252;
    bool ansiIsSymbol_ = false;

    std::map<int, FontEntry> fonts_;
    int fontEntry_ = -1; // entry being read in the font table
    QString fontName_;
    std::vector<QColor> colors_; // index 0 automatic (invalid colour)
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    std::vector<Paragraph> paragraphs_;
    std::vector<Run> runs_;
    int shownCount_ = 0;        // characters put in the document so far, added breaks too
    int wordLength_ = 0;        // characters since the last break opportunity
    char16_t previous_ = 0;     // the last character shown
    QList<int> insertedBreaks_; // document positions of the zero-width spaces added
};

bool Reader::Parse()
{
    while (pos_ < in_.size()) {
        const char c = in_[pos_++];
        if (c == '\0') break;
        if (c == '{') {
            OpenGroup();
        } else if (c == '}') {
            if (!CloseGroup()) break;
        } else if (c == '\\') {
            if (pos_ >= in_.size()) break;
            const char n = in_[pos_];
            if (IsLetter(n)) {
                const std::size_t start = pos_;
                while (pos_ < in_.size() && IsLetter(in_[pos_]))
                    ++pos_;
                std::string_view word = in_.substr(start, std::min(pos_ - start, MaxWordLength));
                bool negative = false;
                if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
                    negative = true;
                    ++pos_;
                }
                bool hasParam = false;
                long param = 0;
                while (pos_ < in_.size() && IsDigit(in_[pos_])) {
                    hasParam = true;
                    param = std::min(MaxParameter, param * 10 + (in_[pos_] - '0'));
                    ++pos_;
                }
                if (negative) param = -param;
                if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
                ControlWord(word, hasParam, param);
            } else {
                ++pos_;
                ControlSymbol(n);
            }
        } else if (c == '\r' || c == '\n') {
            // line breaks in the RTF stream are not text
        } else {
            TextByte(static_cast<unsigned char>(c));
        }
    }
    if (!ended_) EndParagraph();
    return sawRtf_;
}

void Reader::OpenGroup()
{
    starDestination_ = false;
    if (stack_.size() >= MaxGroupDepth) {
        ++overflowDepth_;
        return;
    }
    stack_.push_back(stack_.back());
}

bool Reader::CloseGroup()
{
    starDestination_ = false;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return true;
    }
    if (State().Dest == Destination::FontTable && fontEntry_ >= 0 && stack_.size() > 1 &&
        stack_[stack_.size() - 2].Dest == Destination::FontTable)
        EndFontEntry();
    if (stack_.size() <= 1) return true; // a stray close brace outside every group
    if (stack_.size() == 2) {
        // The outermost group is the document; its close ends the text.
        EndParagraph();
        ended_ = true;
        return false;
    }
    stack_.pop_back();
    return true;
}

void Reader::EndFontEntry()
{
    if (fontEntry_ >= 0) {
        FontEntry& f = fonts_[fontEntry_];
        const QString name = fontName_.trimmed();
        if (!name.isEmpty()) f.Name = name;
    }
    fontEntry_ = -1;
    fontName_.clear();
}

void Reader::ControlWord(std::string_view w, bool hasParam, long p)
{
    GroupState& s = State();
    const bool star = starDestination_;
    starDestination_ = false;
    if (w == "bin") {
        // Binary data: skipped whole, in any destination.
        const std::size_t n = hasParam && p > 0 ? static_cast<std::size_t>(p) : 0;
        pos_ = std::min(in_.size(), pos_ + n);
        return;
    }
    if (s.Dest == Destination::Skip) return;

    if (w == "rtf") {
        sawRtf_ = true;
        return;
    }
    if (w == "fonttbl") {
        s.Dest = Destination::FontTable;
        return;
    }
    if (w == "colortbl") {
        s.Dest = Destination::ColorTable;
        colors_.clear();
        red_ = green_ = blue_ = 0;
        colorSet_ = false;
        return;
    }
    if (star || IsSkippedDestination(w)) {
        s.Dest = Destination::Skip;
        return;
    }
    if (s.Dest == Destination::FontTable) {
        if (w == "f") {
            EndFontEntry();
            fontEntry_ = ClampInt(p, 0, 0x7fff);
            fonts_[fontEntry_];
        } else if (w == "fcharset" && fontEntry_ >= 0) {
            fonts_[fontEntry_].Charset = ClampInt(p, 0, 255);
        } else if (fontEntry_ >= 0) {
            QFont::StyleHint& hint = fonts_[fontEntry_].Hint;
            if (w == "fswiss")
                hint = QFont::SansSerif;
            else if (w == "froman")
                hint = QFont::Serif;
            else if (w == "fmodern")
                hint = QFont::TypeWriter;
            else if (w == "fscript")
                hint = QFont::Cursive;
            else if (w == "fdecor")
                hint = QFont::Decorative;
        }
        return;
    }
    if (s.Dest == Destination::ColorTable) {
        if (w == "red")
            red_ = ClampInt(p, 0, 255), colorSet_ = true;
        else if (w == "green")
            green_ = ClampInt(p, 0, 255), colorSet_ = true;
        else if (w == "blue")
            blue_ = ClampInt(p, 0, 255), colorSet_ = true;
        return;
    }

    CharState& ch = s.Char;
    ParaState& pa = s.Para;
    const bool on = !hasParam || p != 0;
    const int twips = ClampInt(p, -31680, 31680); // at most 22 inches
    if (w == "par") {
        EndParagraph();
    } else if (w == "pard") {
        pa = ParaState{};
    } else if (w == "plain") {
        ch = CharState{};
    } else if (w == "b") {
        ch.Bold = on;
    } else if (w == "i") {
        ch.Italic = on;
    } else if (w == "ul") {
        ch.Underline = on;
    } else if (w == "ulnone") {
        ch.Underline = false;
    } else if (w == "f") {
        ch.Font = ClampInt(p, 0, 0x7fff);
    } else if (w == "fs") {
        ch.HalfPoints = hasParam ? ClampInt(p, 2, 3276) : 24;
    } else if (w == "cf") {
        ch.Color = ClampInt(p, 0, 0x7fff);
    } else if (w == "li") {
        pa.LeftTwips = twips;
    } else if (w == "ri") {
        pa.RightTwips = twips;
    } else if (w == "fi") {
        pa.FirstTwips = twips;
    } else if (w == "sb") {
        pa.BeforeTwips = std::max(0, twips);
    } else if (w == "sa") {
        pa.AfterTwips = std::max(0, twips);
    } else if (w == "ql") {
        pa.Align = Qt::AlignLeft;
    } else if (w == "qc") {
        pa.Align = Qt::AlignHCenter;
    } else if (w == "qr") {
        pa.Align = Qt::AlignRight;
    } else if (w == "qj") {
        pa.Align = Qt::AlignJustify;
    } else if (w == "keepn") {
        pa.KeepWithNext = on;
    } else if (w == "deff") {
        defaultFont_ = ClampInt(p, 0, 0x7fff);
    } else if (w == "ansicpg") {
        ansiIsSymbol_ = false;
        ansiPage_ = p == 1250 ? CodePage::Cp1250 : CodePage::Cp1252;
    } else if (w == "uc") {
        s.UnicodeSkip = ClampInt(p, 0, 16);
    } else if (w == "u") {
        long v = p < 0 ? p + 65536 : p;
        ShownChar(static_cast<char16_t>(ClampInt(v, 0, 0xffff)));
        pendingSkip_ = s.UnicodeSkip;
    } else if (w == "tab") {
        ShownChar(u'\t');
    } else if (w == "line") {
        ShownChar(u'\u2028');
    } else if (w == "emdash") {
        ShownChar(u'\u2014');
    } else if (w == "endash") {
        ShownChar(u'\u2013');
    } else if (w == "lquote") {
        ShownChar(u'\u2018');
    } else if (w == "rquote") {
        ShownChar(u'\u2019');
    } else if (w == "ldblquote") {
        ShownChar(u'\u201C');
    } else if (w == "rdblquote") {
        ShownChar(u'\u201D');
    } else if (w == "bullet") {
        ShownChar(u'\u2022');
    } else if (w == "page" || w == "sect") {
        EndParagraph();
    }
    // Every other control word (\ansi, \viewkind, \nowidctlpar, \keep ...) has no effect here.
}

void Reader::ControlSymbol(char c)
{
    const bool star = c == '*';
    starDestination_ = star;
    if (star) return;
    switch (c) {
    case '\'': {
        if (pos_ + 1 < in_.size()) {
            const int hi = HexValue(in_[pos_]);
            const int lo = HexValue(in_[pos_ + 1]);
            if (hi >= 0 && lo >= 0) {
                pos_ += 2;
                TextByte(static_cast<unsigned char>(hi * 16 + lo));
            }
        }
        break;
    }
    case '\\':
    case '{':
    case '}':
        TextByte(static_cast<unsigned char>(c));
        break;
    case '_':
        ShownChar(u'\u2011'); // non-breaking hyphen
        break;
    case '~':
        ShownChar(u'\u00A0');
        break;
    case '-':
        ShownChar(u'\u00AD');
        break;
    case '\r':
    case '\n':
        ControlWord("par", false, 0);
        break;
    default:
        break;
    }
}

const FontEntry* Reader::CurrentFont() const
{
    const int font = stack_.back().Char.Font < 0 ? defaultFont_ : stack_.back().Char.Font;
    const auto it = fonts_.find(font);
    return it == fonts_.end() ? nullptr : &it->second;
}

char16_t Reader::Decode(unsigned char b) const
{
    const FontEntry* font = CurrentFont();
    const int charset = font ? font->Charset : -1;
    // In the notation fonts the bytes of figurines and symbols are the
    // program's glyphs, drawn at U+F000 + byte; text comes as \uN, as bytes
    // that carry no glyph or in the plain text font.
    if (charset == 0 && IsNotationGlyphByte(b) && IsNotationFont(font->Name))
        return static_cast<char16_t>(NotationGlyphBase + b);
    if (b < 0x80) return b;
    switch (charset) {
    case 0:
        return CodePageToUnicode(CodePage::Cp1252, b);
    case 238:
        return CodePageToUnicode(CodePage::Cp1250, b);
    case 2:
        return b; // symbol font: the byte is the glyph's code
    case -1:
        return ansiIsSymbol_ ? b : CodePageToUnicode(ansiPage_, b);
    default:
        return CodePageToUnicode(CodePage::Cp1252, b);
    }
}

void Reader::TextByte(unsigned char b)
{
    starDestination_ = false;
    GroupState& s = State();
    if (pendingSkip_ > 0) {
        --pendingSkip_;
        return;
    }
    switch (s.Dest) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (b == ';')
            EndFontEntry();
        else if (fontEntry_ >= 0 && fontName_.size() < 256 && b >= 0x20)
            fontName_.append(QChar(CodePageToUnicode(CodePage::Cp1252, b)));
        return;
    case Destination::ColorTable:
        if (b == ';') {
            colors_.push_back(colorSet_ ? QColor(red_, green_, blue_) : QColor());
            red_ = green_ = blue_ = 0;
            colorSet_ = false;
        }
        return;
    case Destination::Text:
        if (b < 0x20) return; // raw control characters are not text
        ShownChar(Decode(b));
        return;
    }
}

void Reader::ShownChar(char16_t c)
{
    if (State().Dest != Destination::Text) return;
    // Characters that QTextDocument would take as block or frame marks stay
    // one ordinary character, so positions keep their count.
    if (c == u'\u2029')
        c = u'\u2028';
    else if (c == u'\uFDD0' || c == u'\uFDD1' || c == u'\uFFFC' || (c < 0x20 && c != u'\t'))
        c = u'\uFFFD';
    // A notation font draws a chess glyph at a twin code point too: such a
    // character of text takes the plain text family.
    CharState ch = State().Char;
    const FontEntry* font = CurrentFont();
    ch.Plain = IsNotationGlyphTwin(c) && font && IsNotationFont(font->Name);
    if (runs_.empty() || !(runs_.back().Char == ch)) runs_.push_back(Run{ch, QString()});
    // Qt's line breaking scans a word to its end for every line it fills, so
    // a very long word gets a zero-width space after every few characters,
    // never inside a character (a surrogate pair, a combining mark, a joiner
    // sequence). Its document position is kept: it is no character of the RTF.
    if (runs_.size() == 1 && runs_.back().Text.isEmpty()) wordLength_ = 0; // a new paragraph
    if (c == u' ' || c == u'\t' || c == u'\u2028' || c == u'\u200B' || c == u'\u00AD') {
        wordLength_ = 0;
    } else if (wordLength_ >= LongWordLength && !QChar::isLowSurrogate(c) && !QChar::isMark(c) &&
               QChar::category(c) != QChar::Other_Format && previous_ != u'\u200D') {
        insertedBreaks_.push_back(shownCount_ + static_cast<int>(paragraphs_.size()));
        runs_.back().Text.append(QChar(u'\u200B'));
        ++shownCount_;
        wordLength_ = LongWordLength - LongWordPiece + 1;
    } else {
        ++wordLength_;
    }
    runs_.back().Text.append(QChar(c));
    ++shownCount_;
    previous_ = c;
}

void Reader::EndParagraph()
{
    paragraphs_.push_back(Paragraph{State().Para, State().Char, std::move(runs_)});
    runs_.clear();
}

void Reader::Build(QTextDocument& doc, double dpi) const
{
    const double pixelsPerTwip = dpi / 1440.0;
    auto charFormat = [&](const CharState& c) {
        QTextCharFormat f;
        const int index = c.Font < 0 ? defaultFont_ : c.Font;
        const auto font = fonts_.find(index);
        if (font != fonts_.end() && !font->second.Name.isEmpty()) {
            f.setFontFamilies(c.Plain ? QStringList{PlainTextFamily(font->second.Name)}
                                      : RtfFontFamilies(font->second.Name));
            if (font->second.Hint != QFont::AnyStyle) f.setFontStyleHint(font->second.Hint);
        }
        f.setFontPointSize(c.HalfPoints / 2.0);
        f.setFontWeight(c.Bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.Italic);
        f.setFontUnderline(c.Underline);
        if (c.Color > 0 && c.Color < static_cast<int>(colors_.size()) && colors_[c.Color].isValid())
            f.setForeground(colors_[c.Color]);
        return f;
    };
    auto blockFormat = [&](const ParaState& p) {
        QTextBlockFormat f;
        f.setAlignment(p.Align);
        f.setLeftMargin(p.LeftTwips * pixelsPerTwip);
        f.setRightMargin(p.RightTwips * pixelsPerTwip);
        f.setTextIndent(p.FirstTwips * pixelsPerTwip);
        f.setTopMargin(p.BeforeTwips * pixelsPerTwip);
        f.setBottomMargin(p.AfterTwips * pixelsPerTwip);
        if (p.KeepWithNext) f.setProperty(RtfKeepWithNextProperty, true);
        return f;
    };

    doc.clear();
    doc.setUndoRedoEnabled(false);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph& para : paragraphs_) {
        if (first) {
            cursor.setBlockFormat(blockFormat(para.Para));
            cursor.setBlockCharFormat(charFormat(para.EndChar));
            first = false;
        } else {
            cursor.insertBlock(blockFormat(para.Para), charFormat(para.EndChar));
        }
        for (const Run& run : para.Runs)
            cursor.insertText(run.Text, charFormat(run.Char));
    }
    cursor.endEditBlock();
}

} // namespace

QStringList RtfFontFamilies(const QString& name)
{
    if (name == QLatin1String("FigurineCB AriesSP"))
        return {name, QStringLiteral("VelmoraChess Swiss")};
    if (name == QLatin1String("FigurineCB TimeSP") || name == QLatin1String("FigurineCB LetterSP"))
        return {name, QStringLiteral("VelmoraChess Times")};
    return {name};
}

QString RtfPlainText(QString text)
{
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u >= NotationGlyphBase && u <= NotationGlyphLast)
            c = QChar(CodePageToUnicode(CodePage::Cp1252,
                                        static_cast<unsigned char>(u - NotationGlyphBase)));
    }
    return text;
}

bool ReadRtf(std::string_view rtf, QTextDocument& doc, double dpi)
{
    Reader reader(rtf);
    const bool ok = reader.Parse();
    reader.Build(doc, dpi);
    doc.setProperty(RtfInsertedBreaksProperty, QVariant::fromValue(reader.InsertedBreaks()));
    return ok;
}
