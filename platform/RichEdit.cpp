#include "platform/RichEdit.h"

#include "platform/Fonts.h"
#include "platform/GameText.h"
#include "platform/Printer.h"
#include "platform/RtfReader.h"
#include "platform/SaveFile.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QList>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QVariant>

#include <algorithm>

namespace {

// The zero-width spaces the reader added to long words: document positions,
// ascending. They are no characters of the RTF, so positions skip them.
QList<int> AddedBreaks(const QTextDocument& doc)
{
    return doc.property(RtfInsertedBreaksProperty).value<QList<int>>();
}

int AddedBefore(const QList<int>& breaks, int docPos)
{
    return static_cast<int>(std::lower_bound(breaks.begin(), breaks.end(), docPos) -
                            breaks.begin());
}

// The rich position where block starts.
int RichBlockStart(const QTextBlock& block, const QList<int>& breaks)
{
    return block.position() + block.blockNumber() - AddedBefore(breaks, block.position());
}

} // namespace

int RichTextLength(const QTextDocument& doc)
{
    return (doc.characterCount() - 1) + (doc.blockCount() - 1) -
           static_cast<int>(AddedBreaks(doc).size());
}

int DocToRichPos(const QTextDocument& doc, int docPos)
{
    docPos = std::clamp(docPos, 0, doc.characterCount() - 1);
    const QTextBlock block = doc.findBlock(docPos);
    const int number = block.isValid() ? block.blockNumber() : doc.blockCount() - 1;
    return docPos + number - AddedBefore(AddedBreaks(doc), docPos);
}

int RichToDocPos(const QTextDocument& doc, int richPos)
{
    const QList<int> breaks = AddedBreaks(doc);
    richPos = std::clamp(richPos, 0, RichTextLength(doc));
    // The last block that starts at or before richPos.
    int lo = 0;
    int hi = doc.blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (RichBlockStart(doc.findBlockByNumber(mid), breaks) <= richPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc.findBlockByNumber(lo);
    const int start = block.position();
    const int offset = richPos - RichBlockStart(block, breaks);
    // Added breaks of the block before the rich offset: the n-th of them
    // (from 0) at p stands at rich offset p - start - n.
    const int first = AddedBefore(breaks, start);
    int count = 0;
    int last = AddedBefore(breaks, start + block.length()) - first;
    while (count < last) {
        const int mid = (count + last) / 2;
        if (breaks[first + mid] - start - mid < offset)
            count = mid + 1;
        else
            last = mid;
    }
    const int blockEnd = start + block.length() - 1;
    return std::min(start + offset + count, blockEnd);
}

namespace {

// The selected text with paragraph breaks as line ends, without the added
// breaks, the characters as the RTF has them.
QString PlainText(const QTextCursor& cursor, const QString& lineEnd)
{
    const QString selected = cursor.selectedText();
    const QList<int> breaks = AddedBreaks(*cursor.document());
    const int start = cursor.selectionStart();
    QString text;
    text.reserve(selected.size());
    int from = 0;
    for (auto at = std::lower_bound(breaks.begin(), breaks.end(), start);
         at != breaks.end() && *at - start < selected.size(); ++at) {
        text.append(QStringView(selected).mid(from, *at - start - from));
        from = *at - start + 1;
    }
    text.append(QStringView(selected).mid(from));
    text = RtfPlainText(std::move(text));
    text.replace(QChar::ParagraphSeparator, lineEnd);
    text.replace(QChar::LineSeparator, lineEnd);
    return text;
}

// True for text in the board diagram font.
bool IsDiagramText(const QTextCharFormat& format)
{
    constexpr EmbeddedFontResource diagram = EmbeddedFontResources[3];
    static_assert(diagram.Id == DiagramFontId);
    const QStringList families = format.fontFamilies().toStringList();
    return !families.isEmpty() && families.front() == QLatin1String(diagram.Family);
}

// The selected text for other programs: the notation's glyphs as glyphText
// gives them, non-breaking hyphens as "-", without the added breaks and
// without the paragraphs of board diagrams.
QString PortableText(const QTextCursor& cursor,
                     const std::function<QString(unsigned char)>& glyphText, const QString& lineEnd)
{
    const QTextDocument& doc = *cursor.document();
    const QList<int> breaks = AddedBreaks(doc);
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QString text;
    bool firstBlock = true;
    for (QTextBlock block = doc.findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        QString line;
        bool diagram = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from >= to) continue;
            if (IsDiagramText(fragment.charFormat())) {
                diagram = true;
                continue;
            }
            const QString part = fragment.text().mid(from - fragment.position(), to - from);
            for (int i = 0; i < part.size(); ++i) {
                const char16_t c = part[i].unicode();
                if (std::binary_search(breaks.begin(), breaks.end(), from + i)) continue;
                if (c >= NotationGlyphBase && c <= NotationGlyphLast) {
                    const auto byte = static_cast<unsigned char>(c - NotationGlyphBase);
                    line += glyphText ? glyphText(byte) : RtfPlainText(QString(part[i]));
                } else {
                    line += c == u'\u2011' ? QChar(u'-') : part[i];
                }
            }
        }
        if (diagram && line.trimmed().isEmpty()) continue;
        if (!firstBlock) text += lineEnd;
        text += line;
        firstBlock = false;
    }
    return text;
}

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setCursorWidth(0); // read-only: no blinking caret
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);

    // White, and the selection shown in the same colours without focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);

    connect(this, &QTextEdit::cursorPositionChanged, this, &TRichEdit::NotifySelection);
    connect(this, &QTextEdit::selectionChanged, this, &TRichEdit::NotifySelection);
}

bool TRichEdit::LoadRtf(std::string_view rtf)
{
    const std::size_t nul = rtf.find('\0');
    if (nul != std::string_view::npos) rtf = rtf.substr(0, nul);
    source_ = QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size()));
    bool read = false;
    {
        const QSignalBlocker blocker(this);
        read = ReadRtf(rtf, *document(), logicalDpiY());
        SetTextMargins(leftMargin_, rightMargin_);
        QTextCursor start(document());
        setTextCursor(start);
    }
    lastAnchor_ = lastPosition_ = 0;
    return read;
}

bool TRichEdit::SaveToFile(const QString& fileName) const
{
    return SaveWholeFile(fileName, source_);
}

int TRichEdit::GetTextLen() const
{
    return RichTextLength(*document());
}

int TRichEdit::SelStart() const
{
    return DocToRichPos(*document(), textCursor().selectionStart());
}

int TRichEdit::SelLength() const
{
    const QTextCursor cursor = textCursor();
    return DocToRichPos(*document(), cursor.selectionEnd()) -
           DocToRichPos(*document(), cursor.selectionStart());
}

void TRichEdit::SetSelStart(int pos)
{
    SetRichSelection(pos, pos);
}

void TRichEdit::SetSelLength(int length)
{
    const int start = SelStart();
    SetRichSelection(start, start + std::max(0, length));
}

void TRichEdit::SetRichSelection(int anchor, int position)
{
    QTextCursor cursor(document());
    cursor.setPosition(RichToDocPos(*document(), anchor));
    cursor.setPosition(RichToDocPos(*document(), position), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QString TRichEdit::TextRange(int start, int length) const
{
    QTextCursor cursor(document());
    cursor.setPosition(RichToDocPos(*document(), start));
    cursor.setPosition(RichToDocPos(*document(), start + std::max(0, length)),
                       QTextCursor::KeepAnchor);
    return PlainText(cursor, QStringLiteral("\r\n"));
}

void TRichEdit::SelectAll()
{
    selectAll();
}

void TRichEdit::CopyToClipboard()
{
    if (!textCursor().hasSelection()) return;
    QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    auto* mime = new QMimeData; // owned by the clipboard or the drag that asked for it
    const QTextCursor cursor = textCursor();
    mime->setText(PortableText(cursor, GlyphText, QStringLiteral("\n")));
    const bool whole =
        cursor.selectionStart() == 0 && cursor.selectionEnd() >= document()->characterCount() - 1;
    if (whole && !source_.isEmpty()) mime->setData(QStringLiteral("text/rtf"), source_);
    return mime;
}

void TRichEdit::contextMenuEvent(QContextMenuEvent* event)
{
    if (popupMenu_) popupMenu_->exec(event->globalPos());
    event->accept();
}

void TRichEdit::SetTextMargins(int left, int right)
{
    leftMargin_ = left;
    rightMargin_ = right;
    if (left == 0 && right == 0) return; // the document's own margin until margins are set
    QTextFrame* root = document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    format.setLeftMargin(left);
    format.setRightMargin(right);
    format.setTopMargin(0);
    root->setFrameFormat(format);
}

PrintResult TRichEdit::Print(PrinterDevice& printer, const QString& title) const
{
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(printer.MetricsDevice());
    // Qt scales the spacing between paragraphs from screen pixels to the
    // device itself, so the document is read at the screen's resolution, as
    // for the display; the indents it leaves alone are scaled here.
    const int dpi = logicalDpiY();
    ReadRtf(std::string_view(source_.constData(), static_cast<std::size_t>(source_.size())), doc,
            dpi);
    ScaleParagraphIndents(doc, static_cast<double>(printer.LogPixelsX()) / dpi);
    return PrintTextDocument(doc, printer, PageRect, title);
}

void TRichEdit::NotifySelection()
{
    const QTextCursor cursor = textCursor();
    if (cursor.anchor() == lastAnchor_ && cursor.position() == lastPosition_) return;
    lastAnchor_ = cursor.anchor();
    lastPosition_ = cursor.position();
    if (OnSelectionChange) {
        const std::function<void()> handler = OnSelectionChange; // may be replaced while it runs
        handler();
    }
}
