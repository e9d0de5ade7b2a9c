#include "platform/RichEdit.h"

#include "platform/GameText.h"
#include "platform/Printer.h"
#include "platform/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

int RichTextLength(const QTextDocument& doc)
{
    return (doc.characterCount() - 1) + (doc.blockCount() - 1);
}

int DocToRichPos(const QTextDocument& doc, int docPos)
{
    docPos = std::clamp(docPos, 0, doc.characterCount() - 1);
    const QTextBlock block = doc.findBlock(docPos);
    const int number = block.isValid() ? block.blockNumber() : doc.blockCount() - 1;
    return docPos + number;
}

int RichToDocPos(const QTextDocument& doc, int richPos)
{
    richPos = std::clamp(richPos, 0, RichTextLength(doc));
    // The block whose first character is at or before richPos; block n
    // starts at rich position position() + n.
    int lo = 0;
    int hi = doc.blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (doc.findBlockByNumber(mid).position() + mid <= richPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc.findBlockByNumber(lo);
    const int blockEnd = block.position() + block.length() - 1;
    return std::min(richPos - lo, blockEnd);
}

namespace {

// The selected text with paragraph breaks as line ends, and the notation
// fonts' glyphs as the cp1252 characters of their bytes.
QString PlainText(QString text, const QString& lineEnd)
{
    for (QChar& c : text)
        if (c.unicode() >= NotationGlyphBase && c.unicode() <= NotationGlyphLast)
            c = QChar(Cp1252ToUnicode(static_cast<unsigned char>(c.unicode() - NotationGlyphBase)));
    text.replace(QChar::ParagraphSeparator, lineEnd);
    text.replace(QChar::LineSeparator, lineEnd);
    return text;
}

}  // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
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
    if (nul != std::string_view::npos)
        rtf = rtf.substr(0, nul);
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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(source_) != source_.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int TRichEdit::GetTextLen() const { return RichTextLength(*document()); }

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

void TRichEdit::SetSelStart(int pos) { SetRichSelection(pos, pos); }

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
    cursor.setPosition(RichToDocPos(*document(), start + std::max(0, length)), QTextCursor::KeepAnchor);
    return PlainText(cursor.selectedText(), QStringLiteral("\r\n"));
}

void TRichEdit::SelectAll() { selectAll(); }

void TRichEdit::CopyToClipboard()
{
    if (!textCursor().hasSelection())
        return;
    QGuiApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    auto* mime = new QMimeData;  // owned by the clipboard or the drag that asked for it
    const QTextCursor cursor = textCursor();
    mime->setText(PlainText(cursor.selectedText(), QStringLiteral("\n")));
    const bool whole = cursor.selectionStart() == 0 &&
                       cursor.selectionEnd() >= document()->characterCount() - 1;
    if (whole && !source_.isEmpty())
        mime->setData(QStringLiteral("text/rtf"), source_);
    return mime;
}

void TRichEdit::contextMenuEvent(QContextMenuEvent* event)
{
    if (popupMenu_)
        popupMenu_->exec(event->globalPos());
    event->accept();
}

void TRichEdit::SetTextMargins(int left, int right)
{
    leftMargin_ = left;
    rightMargin_ = right;
    if (left == 0 && right == 0)
        return;  // the document's own margin until margins are set
    QTextFrame* root = document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    format.setLeftMargin(left);
    format.setRightMargin(right);
    format.setTopMargin(0);
    root->setFrameFormat(format);
}

int TRichEdit::Print(PrinterDevice& printer, const QString& title) const
{
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(printer.MetricsDevice());
    // Qt scales paragraph margins from screen pixels to the device itself, so
    // the document is read at the screen's resolution, as for the display.
    ReadRtf(std::string_view(source_.constData(), static_cast<std::size_t>(source_.size())), doc,
            logicalDpiY());
    return PrintTextDocument(doc, printer, PageRect, title);
}

void TRichEdit::NotifySelection()
{
    const QTextCursor cursor = textCursor();
    if (cursor.anchor() == lastAnchor_ && cursor.position() == lastPosition_)
        return;
    lastAnchor_ = cursor.anchor();
    lastPosition_ = cursor.position();
    if (OnSelectionChange) {
        const std::function<void()> handler = OnSelectionChange;  // may be replaced while it runs
        handler();
    }
}
