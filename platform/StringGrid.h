// The framework's string grid (TStringGrid) on QAbstractScrollArea.
//
// Cells hold byte texts and object pointers in a TGridCells store; DecodeText
// and EncodeText turn texts into display strings and back (Latin-1 unless the
// program installs its code page). Coordinates are viewport pixels; TRect
// edges are exclusive, TGridRect bounds inclusive.
//
// Defaults (the framework's): ColCount 5, RowCount 5, FixedCols 1, FixedRows 1,
// DefaultColWidth 64, DefaultRowHeight 24, GridLineWidth 1, Options
// {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect},
// ScrollBars ssBoth, DefaultDrawing true, Color clWindow, FixedColor clBtnFace,
// TabStop true, Font the widget font at 13 pixels, current cell (FixedCols, FixedRows).
// RowCount and ColCount stay at least 1; setting them at or below the fixed
// count lowers FixedRows/FixedCols. A FixedRows/FixedCols value not below the
// count is ignored, as are Col/Row values outside the non-fixed range.
//
// Painting, per visible cell of non-zero size: with DefaultDrawing the canvas
// font becomes Font and the cell is filled (clHighlight with clHighlightText
// for a selected cell that is not focused, or always with goRowSelect or
// goDrawFocusSelected; FixedColor for fixed cells; Color otherwise); then
// DrawCell; then, with DefaultDrawing, the raised edge of fixed cells and the
// focus rectangle (not with goRowSelect). Grid lines of GridLineWidth follow
// each cell. The base DrawCell writes the text at (2, 2) when DefaultDrawing
// is on and then fires OnDrawCell. Without DefaultDrawing and without
// OnDrawCell nothing is drawn: the grid keeps the pixels it showed last.
//
// Mouse: with goColSizing a press on a column border inside the fixed rows
// sizes the column (goRowSizing: row borders inside the fixed columns); the
// state reads gsColSizing/gsRowSizing until the base MouseUp ends it, so a
// derived MouseUp that runs first still sees it. The grid takes the focus on
// a click even when it is not a tab stop. Key codes in KeyDown are Qt::Key values.
//
// Scroll bars: the vertical bar scrolls TopRow, the horizontal one LeftCol.
// GetScrollInfo gives the framework's view of a bar: nMin 0, nMax RowCount - 1
// (ColCount - 1), nPos the first scrolled row (column), nPage the page last set
// by SetScrollPage (0: a plain thumb); the Qt bar's thumb is sized so that it
// shows the same share nPage / (nMax - nMin + 1). Paging moves by the visible
// row (column) count.
//
// Hidden rows and columns: a row (column) of size 0 takes no space, grid line
// included; the keyboard steps over hidden rows.
//
// Left out: row and column moving by the mouse, the framework's own range
// selection by dragging beyond one rectangle, tab navigation between cells.
#pragma once

#include "platform/Canvas.h"
#include "platform/GridCells.h"
#include "platform/Types.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;
class QPainter;

enum class TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
using TGridOptions = TSet<TGridOption>;

enum class TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TScrollBarKind { sbHorizontal, sbVertical };

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;  // inclusive
    int Bottom = 0; // inclusive
    friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

struct TGridCoord {
    int X = -1;
    int Y = -1;
};

struct TScrollInfo {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
};

class TStringGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    // Cells.
    // A view of the cell's text, valid until the cell is next changed.
    std::string_view Cells(int col, int row) const { return cells_.Cell(col, row); }
    void SetCells(int col, int row, std::string text);
    void* Objects(int col, int row) const { return cells_.Object(col, row); }
    void SetObjects(int col, int row, void* object) { cells_.SetObject(col, row, object); }
    TGridRow Rows(int row) const { return cells_.Row(row); }
    void SetRows(int row, const TGridRow& source);
    const TGridCells& CellStore() const { return cells_; }
    // Direct access for bulk edits; call Invalidate afterwards.
    TGridCells& CellStore() { return cells_; }
    // Replaces every cell at once; ColCount and RowCount follow the store (at
    // least 1 each, fixed counts lowered as by SetColCount/SetRowCount).
    void AssignCells(TGridCells cells);

    std::function<QString(const std::string&)> DecodeText;
    std::function<std::string(const QString&)> EncodeText;

    // Size.
    int ColCount() const { return cells_.ColCount(); }
    void SetColCount(int value);
    int RowCount() const { return cells_.RowCount(); }
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);

    // Current cell, selection, scrolling.
    int Col() const { return current_.X; }
    void SetCol(int value);
    int Row() const { return current_.Y; }
    void SetRow(int value);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    int TopRow() const { return topRow_; }
    void SetTopRow(int value);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int value);
    int VisibleRowCount() const;
    int VisibleColCount() const;

    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    TGridState GridState() const { return state_; }
    bool Focused() const;

    // The in-place editor.
    bool EditorMode() const { return editor_ != nullptr && editorShown_; }
    void SetEditorMode(bool value);

    // Looks.
    bool DefaultDrawing = true;
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor value);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& value);
    TCanvas Canvas;

    // Geometry.
    void MouseToCell(int x, int y, int& col, int& row) const;
    TGridCoord MouseCoord(int x, int y) const;
    // The cell's rectangle in viewport coordinates, computed from the widths and
    // heights also for cells scrolled out of view; empty for cells outside the grid.
    TRect CellRect(int col, int row) const;
    void InvalidateCell(int col, int row);
    void Invalidate();

    TScrollInfo GetScrollInfo(TScrollBarKind kind) const;
    void SetScrollPage(TScrollBarKind kind, int page);

    // Events (Sender is the grid).
    std::function<void(QObject*, int, int, const TRect&, TGridDrawState)> OnDrawCell;
    std::function<void(QObject*, int, int, bool&)> OnSelectCell;
    std::function<void(QObject*)> OnClick;
    std::function<void(QObject*)> OnDblClick;
    std::function<void(QObject*, int&, TShiftState)> OnKeyDown;
    std::function<void(QObject*, int&, TShiftState)> OnKeyUp;
    std::function<void(QObject*, QChar&)> OnKeyPress;
    std::function<void(QObject*, TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(QObject*, TMouseButton, TShiftState, int, int)> OnMouseUp;
    std::function<void(QObject*, TShiftState, int, int)> OnMouseMove;
    std::function<void(QObject*)> OnEnter;
    std::function<void(QObject*)> OnExit;
    std::function<void(QObject*)> OnTopLeftChanged;
    std::function<void(QObject*, int, int, std::string&)> OnGetEditText;
    std::function<void(QObject*, int, int, const std::string&)> OnSetEditText;

protected:
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void KeyDown(int& Key, TShiftState Shift);
    virtual void KeyUp(int& Key, TShiftState Shift);
    virtual void KeyPress(QChar& Key);
    virtual void Click();
    virtual void DblClick();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void TopLeftChanged();
    virtual std::string GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const std::string& Value);
    // Runs after every resize of the control.
    virtual void WMSize();

    // The framework's structural operations: a row or column moves or goes
    // with its texts, objects and size, and the current cell follows its row
    // and column. Deleting the only row (column) empties it instead. Indexes
    // outside the grid change nothing.
    void MoveRow(int FromIndex, int ToIndex);
    void MoveColumn(int FromIndex, int ToIndex);
    void DeleteRow(int ARow);
    void DeleteColumn(int ACol);

    // Moves the current cell (asks SelectCell first), scrolls it into view and
    // fires Click. Returns false when SelectCell refused.
    bool FocusCell(int col, int row, bool moveAnchor);
    // The drawing state the base grid hands DrawCell for a cell.
    TGridDrawState CellState(int col, int row) const;
    QString DisplayText(std::string_view text) const;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int, int) override {}

private:
    void PaintCells(QPainter& painter);
    void PaintCell(int col, int row, const TRect& r);
    void UpdateScrollRange();
    void ApplyScrollPage(TScrollBarKind kind);
    int MaxTopRow() const;
    int MaxLeftCol() const;
    void ScrollIntoView(int col, int row);
    void ClampCurrent();
    // Column border under x inside the fixed rows, or -1.
    int SizingIndex(int x, int y, bool columns) const;
    void ShowEditor();
    void HideEditor(bool commit);
    void PlaceEditor();
    // The open editor shows the current cell's text (not while it writes it).
    void SyncEditor();
    // Width (height) plus grid line; 0 for a hidden column (row) of size 0.
    int ColExtent(int col) const;
    int RowExtent(int row) const;
    int ColLeft(int col) const;
    int RowTop(int row) const;

    TGridCells cells_;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    int topRow_ = 1;
    int leftCol_ = 1;
    TGridOptions options_;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    bool tabStop_ = true;
    TGridState state_ = TGridState::gsNormal;
    int sizingIndex_ = -1;
    int sizingOrigin_ = 0;
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    TColor gridLineColor_ = clSilver;
    TFont font_;
    int scrollPage_[2] = {0, 0};
    bool syncingBars_ = false;
    QLineEdit* editor_ = nullptr;
    bool editorShown_ = false;
    bool editorWriting_ = false;
    bool entered_ = false; // DoEnter ran and DoExit has not yet
    std::string editorOriginal_;
    QImage lastFrame_; // the cells as last drawn, without DefaultDrawing
};
