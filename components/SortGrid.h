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
// Row editing, multi-row selection by the mouse, validation, hide/show, text
// load/save, find and printing are not built yet: their operations are
// declared in their slots and, until then, change nothing and return false.
#pragma once

#include "components/SortGridConvert.h"
#include "components/SortGridSort.h"
#include "components/SortGridTypes.h"
#include "platform/Canvas.h"
#include "platform/StringGrid.h"

#include <QImage>

#include <functional>
#include <string>
#include <vector>

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

// Page header and footer sizes of printing; the rest comes with printing.
struct TPrintOptions {
    int HeaderSize = 0;
    int FooterSize = 0;
};

class TSortGrid;

using TFormatDrawCellEvent = std::function<void(QObject*, int, int, TGridDrawState, TFormatOptions&)>;
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

    // Public, unpublished selection (built with the selection issue).
    bool Selected(int row) const;
    void SetSelected(int row, bool value);
    int SelectedCount() const { return static_cast<int>(selectedRows_.size()); }
    int SelItems(int index) const;

    // The operations built so far, in slot order (the numbers are their slots).
    virtual void ListQuickSort(int ACol, TSortOptions& SortOptions);           // 1
    virtual TSortStyle DetermineSortStyle(int ACol);                             // 2
    virtual void UpdateScrollPage();                                             // 3
    virtual void MoveTo(int ACol, int ARow);                                     // 5
    virtual void Clear();                                                        // 6
    virtual void ClearFrom(int FromRow);                                         // 7
    virtual void AutoSizeCol(int ACol);                                          // 16
    virtual void AutoSizeColumns(bool DoFixedCols, int ExtraWidth);              // 17
    virtual void SortByColumn(int ACol, TSortOptions SortOptions);               // 18
    virtual bool CanUndoSort();                                                  // 22
    virtual void UndoSort();                                                     // 23
    virtual bool ClearRows(int FromRow, int ToRow);                              // 27
    virtual void AutoSizeRow(int ARow);                                          // 37
    virtual void AutoSizeRows(int FromRow, int ToRow);                           // 38
    virtual void AutoSizeVisibleRows(int FromRow, int ToRow);                    // 39
    virtual void AutoSizeHiddenRows(int FromRow, int ToRow);                     // 40

    // The default format of a cell (footer font, colour and bevel; bevel colours).
    void InitializeFormatOptions(int ACol, int ARow, TFormatOptions& FormatOptions);
    TGridDrawState GetCellDrawState(int ACol, int ARow) const;
    // The scroll page the proportional thumb gets for a bar (the formula alone).
    static int ProportionalPage(int visiblePlusFixed, int count, const TScrollInfo& info);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
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
    QImage glyph_;
    int glyphWidth_ = 0;
    int glyphHeight_ = 0;
    TFont savedFont_;
    TBrush savedBrush_;
};
