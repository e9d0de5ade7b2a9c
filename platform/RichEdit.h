// Stands in for the framework's read-only rich-edit control (TRichEdit) that
// shows the notation document (the main window's Memo1).
//
// The control keeps two things: the RTF source it was loaded from (what it
// saves, copies as rich text and prints) and the QTextDocument read from it
// by ReadRtf.
//
// Positions (SelStart, SelLength, GetTextLen) are in the framework's units:
// every shown character counts 1 and a paragraph break counts 2, the way the
// notation writer counts RtfTextPos. So the text of a move lies at
// [TextPos, TextPos + TextLength) as the writer recorded it. The zero-width
// spaces the reader adds inside very long words count 0 and are left out of
// the text given back (TextRange, copies). A position that
// falls inside a break means the end of its paragraph; positions past the
// end are clamped.
//
// OnSelectionChange is called once for every change of the caret or the
// selection, by the user or by the program; set it empty to detach it (the
// framework's "detach while the program sets the selection").
//
// The selection shows also without focus. Left out: editing, undo, the
// framework's own RTF writer (saving writes the source back unchanged).
#pragma once

#include "platform/Printer.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QTextEdit>

#include <functional>
#include <string_view>

class QMenu;
class QMimeData;

// Position conversions between the framework's units and QTextDocument's.
int RichTextLength(const QTextDocument& doc);
int DocToRichPos(const QTextDocument& doc, int docPos);
int RichToDocPos(const QTextDocument& doc, int richPos);

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

    // Lines->LoadFromStream: replaces the document by the RTF text (up to a
    // NUL, if any); the selection goes to the start. False when the text held
    // no RTF document (whatever could be read is shown).
    bool LoadRtf(std::string_view rtf);
    // Lines->SaveToStream: the RTF of the document, as it was loaded.
    const QByteArray& SaveToStream() const { return source_; }
    // Lines->SaveToFile: writes the RTF atomically; an existing file is
    // replaced only once the new one is complete. False on failure.
    bool SaveToFile(const QString& fileName) const;

    int GetTextLen() const;
    int SelStart() const;
    int SelLength() const;
    // Setting SelStart collapses the selection there; setting SelLength
    // selects from SelStart. Both scroll the caret into view.
    void SetSelStart(int pos);
    void SetSelLength(int length);
    // The shown text of [start, start + length) in the framework's units, a
    // paragraph break as "\r\n", a figurine or symbol of the notation fonts
    // as the cp1252 character of its byte (so also the copied text).
    QString TextRange(int start, int length) const;

    void SelectAll();
    // Copies the selection: text/plain always, and text/rtf (the source)
    // when the whole document is selected. The plain text is portable: a
    // glyph of the notation fonts as GlyphText gives it, a non-breaking
    // hyphen as "-", and board diagrams left out.
    void CopyToClipboard();
    // The plain text of a notation glyph, by its byte; unset, the cp1252
    // character of the byte.
    std::function<QString(unsigned char)> GlyphText;

    // EM_SETRECT: inner margins at the left and right of the text, pixels.
    void SetTextMargins(int left, int right);
    // The popup menu shown on a right click (EditMenu).
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

    // PageRect and Print: the text area of a printed page in printer pixels,
    // relative to the printable area's origin (may start at minus the
    // physical offset). Print lays the document out on the printer's
    // metrics, with the screen's bold and indents, and prints every page (or
    // the printer's page range), keeping a diagram on one page; the result
    // tells the pages printed and whether the job succeeded.
    QRect PageRect;
    PrintResult Print(PrinterDevice& printer, const QString& title) const;

    std::function<void()> OnSelectionChange;

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void NotifySelection();
    void SetRichSelection(int anchor, int position);

    QByteArray source_;
    QMenu* popupMenu_ = nullptr;
    int lastAnchor_ = -1;
    int lastPosition_ = -1;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
};

// Detaches a rich edit's selection handler while the program itself changes
// the text or the selection, and attaches it again when the scope ends.
class SelectionHandlerDetached {
public:
    explicit SelectionHandlerDetached(TRichEdit& memo)
        : memo_(memo), handler_(std::move(memo.OnSelectionChange))
    {
        memo_.OnSelectionChange = nullptr;
    }
    ~SelectionHandlerDetached() { memo_.OnSelectionChange = std::move(handler_); }
    SelectionHandlerDetached(const SelectionHandlerDetached&) = delete;
    SelectionHandlerDetached& operator=(const SelectionHandlerDetached&) = delete;

private:
    TRichEdit& memo_;
    std::function<void()> handler_;
};
