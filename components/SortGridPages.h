// How the sortable grid's rows fall onto printed pages: the columns in bands
// that fit the page width, the rows of each band in pages, the page labels
// and the footer text. Plain arithmetic on sizes; no painting.
//
// Lengths come in screen pixels and are scaled to printer pixels one by one
// (PrinterScale); page sizes and positions are printer pixels. Every page
// carries the frame (title, row 0, footer) above and below its rows.
#pragma once

#include <QString>

#include <array>
#include <vector>

// Round(length * scale), with the length taken as at least 0.
int PrinterScale(int length, double scale);

// The page and the frame around the rows.
struct TPageFrame {
    int PageWidth = 1; // printer pixels
    int PageHeight = 1;
    double ScaleX = 1.0; // printer pixels per screen pixel
    double ScaleY = 1.0;
    // Screen pixels.
    int MarginLeft = 0;
    int MarginRight = 0;
    int MarginTop = 0;
    int MarginBottom = 0;
    int PageTitleMargin = 0;
    int TitleHeight = 0;  // the title's (or logo's) height
    int FooterHeight = 0; // the footer's text height
};

// Columns FirstCol .. LastCol print side by side on one page.
struct TPrintBand {
    int FirstCol = 0;
    int LastCol = 0;
};

// One page: the rows FirstRow .. LastRow of a band (none when LastRow <
// FirstRow), under row 0.
struct TPrintPage {
    int Band = 0;       // index into the layout's bands
    int PageInBand = 1; // from 1
    int FirstRow = 0;
    int LastRow = -1;
};

struct TPrintLayout {
    std::vector<TPrintBand> Bands;
    std::vector<TPrintPage> Pages;
    int TitleTop = 0;   // printer pixels: the title's top
    int HeaderTop = 0;  // row 0's top
    int RowsTop = 0;    // the first row's top
    int RowsBottom = 0; // rows end at or above this
};

// The bands of columns. A band takes the columns after the previous one for
// as long as they fit between the left and right margins (ColWidths + 1
// each; a column of width 0 takes no room), and always at least one column
// of width above 0.
std::vector<TPrintBand> ColumnBands(const std::vector<int>& colWidths, const TPageFrame& frame);

// The pages of rows fromRow .. toRow (rows of height 0 are left out), for
// every band in turn. A row that does not fit below the rows already on a
// page starts the next page; a row too tall for any page has a page of its
// own, cut off at the footer. A band of no rows still has one page.
TPrintLayout PaginateRows(const std::vector<int>& colWidths, const std::vector<int>& rowHeights,
                          int fromRow, int toRow, const TPageFrame& frame);

// "Page n", or "Page n-b" when the grid prints in several bands.
QString PageLabel(const TPrintPage& page, int bandCount);

// The left, centre and right text of a footer template ("date|time|page"):
// in each part the first "date", then the first "time", then the first
// "page" is replaced.
std::array<QString, 3> FooterParts(const QString& footer, const QString& date, const QString& time,
                                   const QString& label);
