// The pages of a rich-text document on paper. The document comes laid out
// as one long column (page size width x -1, so that Qt's own paging moves no
// line) and is cut into pages between its lines: every line lies whole on
// exactly one page, in order, and a page draws the lines it holds and no
// other. A run of paragraphs marked RtfKeepWithNextProperty goes onto one
// page with the first line of the paragraph after it when together they fit
// on a page; a run that does not fit is cut like any text.
//
// Nothing here changes the document, so the layout measured is the one
// drawn; the document must stay unchanged while its pages are used.
#pragma once

#include <QPointF>
#include <QTextBlock>

#include <vector>

class QPainter;
class QTextDocument;

// One line of the document and where it lies in the column.
struct TextLineBox {
    QTextBlock Block;
    int Line = 0;   // in the block's layout
    QPointF Origin; // of the block's layout in the column
    double Top = 0; // of the line in the column
    double Bottom = 0;
    int KeepFirst = 0; // the lines, by index, that go onto one page with it
    int KeepLast = 0;
};

class TextPages {
public:
    // Cuts doc, laid out as one column, into pages of pageHeight.
    TextPages(const QTextDocument& doc, double pageHeight);

    int Count() const { return static_cast<int>(starts_.size()); }
    const std::vector<TextLineBox>& Lines() const { return lines_; }
    // The lines of page (counted from 0): FirstLine(page) to FirstLine(page + 1) - 1.
    int FirstLine(int page) const;
    // Paints the lines of page with the painter's origin at the page's top-left.
    void Draw(QPainter& painter, int page) const;

private:
    void CollectLines(const QTextDocument& doc);
    void CutPages(double pageHeight);

    std::vector<TextLineBox> lines_;
    std::vector<int> starts_;  // first line of each page
    std::vector<double> tops_; // where each page starts in the column
};
