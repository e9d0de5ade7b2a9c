// TSortGrid: a string grid that sorts its data rows on a header click, stably
// and by a style detected from the column, marks the sorted column with a
// glyph, draws footer rows, bevels and aligned text, keeps its scroll-bar
// thumbs proportional and sizes columns and rows to their contents.
//
// The sort itself runs on the cell store (SortGridSort.h); this class holds
// the properties, events and drawing. Texts are compared through Codec (the
// grid's DecodeText/EncodeText) and converted with FormatSettings (the user's
// locale unless a program sets another).
//
// The other concerns are filed beside this one: SortGridDraw (cell drawing,
// glyph, scroll pages, auto-size), SortGridEdit (row and column operations,
// selection by the mouse, validation, hide/show), SortGridFile (text files
// and find) and SortGridPrint (printing in pages and column bands, preview).
//
// What belongs to a row follows it when rows are inserted, deleted or moved:
// its selection, its remembered hidden size and the cell under validation.
// A search started in a rectangle of cells goes on inside those columns.
// Printed cells break their text into lines only with WordWrap, as on the
// screen, where a cell is one line.
#pragma once

#include "components/SortGridConvert.h"
#include "components/SortGridSort.h"
#include "components/SortGridTypes.h"
#include "platform/Canvas.h"
#include "platform/Printer.h"
#include "platform/StringGrid.h"

#include <QImage>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QPainter;

// The format of one cell, filled before it is drawn or measured.
struct TFormatOptions {
    TBrush Brush;
    TFont Font;
    TAlignment AlignmentHorz = TAlignment::taLeftJustify;
    TVertAlignment AlignmentVert = TVertAlignment::taTopJustify;
    TCellBevelStyle Bevel = TCellBevelStyle::cbNone;
    TColor HighlightColor = clWindow;
    TColor ShadowColor = clWindow;
    bool HideText = false;
};

// How the grid prints. Lengths are screen pixels, scaled to the printer's
// resolution; sizes are points. Every field is a plain stored value.
struct TPrintOptions {
    TPrinterOrientation Orientation = TPrinterOrientation::poPortrait;
    QString JobTitle;
    QString PageTitle;
    QString Logo;            // picture file drawn at the top left of each page
    int PageTitleMargin = 0; // space below the title, before row 0
    QString PageFooter = QStringLiteral("date|time|page"); // left|centre|right
    int HeaderSize = 0;                                    // title font size
    int FooterSize = 0;                                    // footer font size
    QString DateFormat = QStringLiteral("d-mmm-yyyy");
    QString TimeFormat = QStringLiteral("h:nn");
    int Copies = 1;
    int FromRow = 0;
    int ToRow = 0;
    int PreviewPage = 1;
    TBorderStyle BorderStyle = TBorderStyle::bsNone;
    int Leftpadding = 2;
    int MarginBottom = 0;
    int MarginLeft = 0;
    int MarginTop = 0;
    int MarginRight = 0;
};

// The print options a new grid starts with: the values above, unless others
// are installed (a test installs others, to tell what a program sets from
// what a grid starts with). Gives back the ones it replaces.
const TPrintOptions* SetInitialPrintOptions(const TPrintOptions* options);
using ScopedInitialPrintOptions = ScopedInstall<const TPrintOptions*, &SetInitialPrintOptions>;

class TSortGrid;

using TFormatDrawCellEvent =
    std::function<void(QObject*, int, int, TGridDrawState, TFormatOptions&)>;
using TClickSortEvent = std::function<void(QObject*, int, int, TSortOptions&)>;
using TUpdateGridEvent = std::function<void(QObject*, int)>;
using TSizeChangedEvent = std::function<void(QObject*, int, int)>;
using TBeginSortEvent = std::function<void(QObject*, int, TSortOptions&)>;
using TEndSortEvent = std::function<void(QObject*, int)>;
using TCellValidateEvent = std::function<void(QObject*, int, int, std::string&, bool&)>;

class TSortGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit TSortGrid(QWidget* parent = nullptr);
    ~TSortGrid() override;

    // Published properties.
    bool CaseSensitive = false;
    TAlignment AlignmentHorz() const { return alignmentHorz_; }
    void SetAlignmentHorz(TAlignment value);
    TVertAlignment AlignmentVert() const { return alignmentVert_; }
    void SetAlignmentVert(TVertAlignment value);
    TCellBevelStyle BevelStyle() const { return bevelStyle_; }
    void SetBevelStyle(TCellBevelStyle value);
    bool ProportionalScrollBars() const { return proportionalScrollBars_; }
    void SetProportionalScrollBars(bool value);
    bool ExtendedKeys = false;
    TSortSymbol SortSymbol() const { return sortSymbol_; }
    void SetSortSymbol(TSortSymbol value);
    int SortSpacingHor() const { return sortSpacingHor_; }
    void SetSortSpacingHor(int value);
    int SortSpacingVert() const { return sortSpacingVert_; }
    void SetSortSpacingVert(int value);
    TSortDirection SortDirection() const { return sortDirection_; }
    void SetSortDirection(TSortDirection value);
    const QImage& SortBitMapA() const { return sortBitMapA_; }
    void SetSortBitMapA(const QImage& value);
    const QImage& SortBitMapD() const { return sortBitMapD_; }
    void SetSortBitMapD(const QImage& value);
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int value);
    bool SortOnClick() const { return sortOnClick_; }
    void SetSortOnClick(bool value);
    bool SortFooter() const { return sortFooter_; }
    void SetSortFooter(bool value);
    int FooterRows() const { return footerRows_; }
    void SetFooterRows(int value);
    bool UseDateTime = false;
    TColor FooterColor() const { return footerColor_; }
    void SetFooterColor(TColor value);
    const TFont& FooterFont() const { return footerFont_; }
    void SetFooterFont(const TFont& value);
    TCellBevelStyle FooterBevelStyle() const { return footerBevelStyle_; }
    void SetFooterBevelStyle(TCellBevelStyle value);
    TPrintOptions& PrintOptions() { return printOptions_; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    // Published events.
    TFormatDrawCellEvent OnGetCellFormat;
    TClickSortEvent OnClickSort;
    TUpdateGridEvent OnRowInsert;
    TUpdateGridEvent OnRowDelete;
    TUpdateGridEvent OnColumnInsert;
    TUpdateGridEvent OnColumnDelete;
    TNotifyEvent OnColumnWidthsChanged;
    TNotifyEvent OnRowHeightsChanged;
    TSizeChangedEvent OnSizeChanged;
    TBeginSortEvent OnBeginSort;
    TEndSortEvent OnEndSort;
    TCellValidateEvent OnCellValidate;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Conversions and text handling of the sort.
    TFormatSettings FormatSettings = TFormatSettings::System();
    TTextCodec Codec() const { return {DecodeText, EncodeText}; }

    // State.
    TSortState SortState() const { return sortState_; }
    const TSortedList& SortedList() const { return sortedList_; }
    // Rows kept out of sorting at the bottom (FooterRows or 0), never more than the data rows.
    int RowsKeptOut() const;
    // The rows a sort moves.
    TSortRows SortedRows() const;
    bool IsFooterRow(int row) const;
    // The glyph drawn beside the header text of SortColumn (null when none).
    const QImage& SortGlyph() const { return glyph_; }

    // Public, unpublished: the selected data rows, in the order they were selected.
    bool Selected(int row) const;
    void SetSelected(int row, bool value);
    int SelectedCount() const { return static_cast<int>(selectedRows_.size()); }
    int SelItems(int index) const; // 1-based; -1 outside

    // The operations, in slot order (the numbers are their slots). Indexes
    // outside the grid are refused: nothing changes, and the ranged ones
    // return false.
    // clang-format off
    virtual void ListQuickSort(int ACol, TSortOptions& SortOptions);              // 1
    virtual TSortStyle DetermineSortStyle(int ACol);                              // 2
    virtual void UpdateScrollPage();                                              // 3
    virtual void InitValidate();                                                  // 4
    virtual void MoveTo(int ACol, int ARow);                                      // 5
    virtual void Clear();                                                         // 6
    virtual void ClearFrom(int FromRow);                                          // 7
    virtual void InsertRow(int ARow);                                             // 8
    virtual void InsertColumn(int ACol);                                          // 9
    virtual void DeleteRow(int ARow);                                             // 10
    virtual void DeleteColumn(int ACol);                                          // 11
    virtual void MoveRow(int FromIndex, int ToIndex);                             // 12
    virtual void MoveColumn(int FromIndex, int ToIndex);                          // 13
    virtual void SwapRows(int ARow1, int ARow2);                                  // 14
    virtual void SwapColumns(int ACol1, int ACol2);                               // 15
    virtual void AutoSizeCol(int ACol);                                           // 16
    virtual void AutoSizeColumns(bool DoFixedCols, int ExtraWidth);               // 17
    virtual void SortByColumn(int ACol, TSortOptions SortOptions);                // 18
    virtual bool IsCell(const std::string& Value, int& ACol, int& ARow);          // 19
    virtual bool LoadFromFile(const std::string& FileName, char Separator);       // 20
    virtual bool SaveToFile(const std::string& FileName, char Separator);         // 21
    virtual bool CanUndoSort();                                                   // 22
    virtual void UndoSort();                                                      // 23
    virtual void ValidateCell();                                                  // 24
    virtual bool InsertRows(int ARow, int Count);                                 // 25
    virtual bool InsertCols(int ACol, int Count);                                 // 26
    virtual bool ClearRows(int FromRow, int ToRow);                               // 27
    virtual bool RemoveRows(int FromRow, int ToRow);                              // 28
    virtual bool RemoveCols(int FromCol, int ToCol);                              // 29
    virtual bool ClearCols(int FromCol, int ToCol);                               // 30
    virtual bool FindFirst(const std::string& Text, int& ACol, int& ARow, int LastCol, int LastRow); // 31
    virtual bool FindNext(int& ACol, int& ARow);                                  // 32
    virtual void ShowRows(int FromRow, int ToRow);                                // 33
    virtual void HideRows(int FromRow, int ToRow);                                // 34
    virtual void ShowCols(int FromCol, int ToCol);                                // 35
    virtual void HideCols(int FromCol, int ToCol);                                // 36
    virtual void AutoSizeRow(int ARow);                                           // 37
    virtual void AutoSizeRows(int FromRow, int ToRow);                            // 38
    virtual void AutoSizeVisibleRows(int FromRow, int ToRow);                     // 39
    virtual void AutoSizeHiddenRows(int FromRow, int ToRow);                      // 40
    // clang-format on

    // Selection of data rows (drawn highlighted with goRangeSelect).
    void ToggleRow(int ARow);
    void SelectRow(int ARow, bool Select);
    void SelectRows(int ARow1, int ARow2, bool Select);
    void ClearSelection();
    void InvalidateRow(int ARow);
    // 0 <= From <= To < RowCount (ColCount for columns).
    bool CheckRange(int From, int To, bool IsRow) const;
    // The sizes hidden rows and columns had.
    const TOldRowColValueList& HiddenSizes() const { return hidden_; }
    // Whether the in-place editor changed a cell since the last clear.
    bool Modified() const { return modified_; }

    // Why the last LoadFromFile or SaveToFile failed.
    const QString& FileError() const { return fileError_; }
    // A text file bigger than this many cells is refused.
    static constexpr long long MaxFileCells = 1LL << 24;

    // Printing on Printer(): rows FromRow (at least 1: row 0 heads every
    // page) .. RowCount - 1. False when nothing was printed.
    bool Print();
    // Shows the preview form for this grid, modally.
    void PrintPreview();
    // Draws page PreviewPage into bitmap, sized as the printed page at screen
    // resolution; a page beyond the last is empty.
    void UpdatePreview(QImage& Bitmap);
    int PageCount();
    // pmPrint draws every page on ACanvas (begun on Printer()'s painter),
    // pmPreview page PreviewPage on ACanvas (its painter scaled to the
    // printer page), pmPageCount only counts.
    void DrawToCanvas(TCanvas* ACanvas, TPrintMode Mode, int FromRow, int ToRow);
    // Pages begun in the current run.
    int PageCounter() const { return pageCounter_; }
    // Bilinear scaling of Src into Dst at the size Dst already has.
    static void SmoothResize(const QImage& Src, QImage& Dst);

    // The default format of a cell (footer font, colour and bevel; bevel colours).
    void InitializeFormatOptions(int ACol, int ARow, TFormatOptions& FormatOptions);
    TGridDrawState GetCellDrawState(int ACol, int ARow) const;
    // The scroll page the proportional thumb gets for a bar (the formula alone).
    static int ProportionalPage(int visiblePlusFixed, int count, const TScrollInfo& info);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    void Click() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void TopLeftChanged() override;
    void WMSize() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;

    void DrawSortSymbol(int X, int Y);
    void SetGSortSymbol();
    void AutoSizeRowsWhere(int FromRow, int ToRow, TAutoSize filter);
    void InvalidateHeaderRow();
    void InvalidateFooter(int bandRows);
    void InvalidateGrid() { Invalidate(); }
    // Takes goAlwaysShowEditor out of Options while a structural change runs
    // (nested calls count), and puts it back after the outermost one.
    void SetResetASE(bool Suspend);
    void ShowRC(int From, int To, int RowCol);
    void HideRC(int From, int To, int RowCol);
    // The flags a clear resets: not modified, ascending, unsorted.
    void ResetAfterClear();
    // The data row under a vertical position, clamped to the data rows.
    int DataRowAt(int Y) const;

    // Printing: the pages laid out with what they need drawn, one page, one row.
    struct PrintJob;
    PrintJob PreparePrint(TPrintMode Mode, int FromRow, int ToRow);
    void DrawPrintPage(QPainter& Painter, const PrintJob& Job, int PageIndex);
    void DrawPrintRow(QPainter& Painter, const PrintJob& Job, int FirstCol, int LastCol, int ARow,
                      int Y);

private:
    TAlignment alignmentHorz_ = TAlignment::taLeftJustify;
    TVertAlignment alignmentVert_ = TVertAlignment::taTopJustify;
    TCellBevelStyle bevelStyle_ = TCellBevelStyle::cbNone;
    bool proportionalScrollBars_ = true;
    TSortSymbol sortSymbol_ = TSortSymbol::sgNone;
    int sortSpacingHor_ = 2;
    int sortSpacingVert_ = 0;
    TSortDirection sortDirection_ = TSortDirection::sdAscending;
    QImage sortBitMapA_;
    QImage sortBitMapD_;
    int sortColumn_ = 1;
    bool sortOnClick_ = true;
    bool sortFooter_ = false;
    int footerRows_ = 0;
    TColor footerColor_ = clAqua;
    TFont footerFont_;
    TCellBevelStyle footerBevelStyle_ = TCellBevelStyle::cbNone;
    TPrintOptions printOptions_;
    bool wordWrap_ = false;

    TSortedList sortedList_;
    TSortState sortState_ = TSortState::ssUnsorted;
    int keptOut_ = 0;
    bool sorting_ = false;
    std::vector<int> selectedRows_;
    bool dragSelecting_ = false;
    int anchorRow_ = 1;
    int lastDragRow_ = 1;
    int rememberedTopRow_ = 1;
    TOldRowColValueList hidden_;
    int aseDepth_ = 0;
    bool aseRemoved_ = false;

    // Validation memory.
    int validCol_ = 0;
    int validRow_ = 0;
    std::string validText_;
    bool modified_ = false;
    bool validModified_ = false;
    bool entered_ = false;

    // Search memory.
    std::string findText_;
    int findFirstCol_ = 0;
    int findLastCol_ = 0;
    int findLastRow_ = 0;
    int hitCol_ = 0;
    int hitRow_ = 0;

    QString fileError_;
    int pageCounter_ = 0;
    QImage glyph_;
    int glyphWidth_ = 0;
    int glyphHeight_ = 0;
    TFont savedFont_;
    TBrush savedBrush_;
};
