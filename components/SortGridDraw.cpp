#include "components/SortGrid.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

// The glyph resources in the order of their index: arrow up, arrow down, A-Z, Z-A.
constexpr std::string_view kGlyphNames = "SORTUPSORTDNSORTAZSORTZA";

QImage LoadGlyph(int index)
{
    const std::string_view name = kGlyphNames.substr(static_cast<std::size_t>(index) * 6, 6);
    return QImage(QStringLiteral(":/glyphs/") + QString::fromLatin1(name.data(), 6) +
                  QStringLiteral(".xpm"));
}

} // namespace

// ---- cell format and drawing ---------------------------------------------------------

void TSortGrid::InitializeFormatOptions(int ACol, int ARow, TFormatOptions& FormatOptions)
{
    (void)ACol;
    if (IsFooterRow(ARow)) {
        Canvas.Font = footerFont_;
        Canvas.Brush.Color = footerColor_;
        FormatOptions.Bevel = footerBevelStyle_;
    } else {
        FormatOptions.Bevel = bevelStyle_;
    }
    FormatOptions.HideText = false;
    FormatOptions.Brush = Canvas.Brush;
    FormatOptions.Font = Canvas.Font;
    FormatOptions.AlignmentHorz = alignmentHorz_;
    FormatOptions.AlignmentVert = alignmentVert_;
    switch (FormatOptions.Bevel) {
    case TCellBevelStyle::cbRaised:
        FormatOptions.HighlightColor = clBtnHighlight;
        FormatOptions.ShadowColor = clBtnShadow;
        break;
    case TCellBevelStyle::cbLowered:
        FormatOptions.HighlightColor = clBtnShadow;
        FormatOptions.ShadowColor = clBtnHighlight;
        break;
    case TCellBevelStyle::cbNone:
        FormatOptions.HighlightColor = clWindow;
        FormatOptions.ShadowColor = clWindow;
        break;
    }
}

void TSortGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TFormatOptions fo;
    InitializeFormatOptions(ACol, ARow, fo);

    TGridDrawState drawn = AState;
    if (Selected(ARow))
        drawn.Include(TGridDrawStateFlag::gdSelected);
    else
        drawn.Exclude(TGridDrawStateFlag::gdSelected);

    const bool fixed = ACol < FixedCols() || ARow < FixedRows();
    if (!fixed && !IsFooterRow(ARow) && Options().Contains(TGridOption::goRangeSelect)) {
        if (drawn.Contains(TGridDrawStateFlag::gdSelected)) {
            fo.Brush.Color = clHighlight;
            fo.Font.Color = clHighlightText;
        } else {
            fo.Brush.Color = clWindow;
            fo.Font.Color = clWindowText;
        }
    }
    if (OnGetCellFormat) OnGetCellFormat(this, ACol, ARow, AState, fo);

    if (!DefaultDrawing) {
        TStringGrid::DrawCell(ACol, ARow, ARect, drawn);
        return;
    }

    Canvas.Font = fo.Font;
    Canvas.Brush = fo.Brush;
    const QString text = DisplayText(Cells(ACol, ARow));
    const int w = ARect.Width();
    const int h = ARect.Height();
    const int tw = Canvas.TextWidth(text);
    const int th = Canvas.TextHeight(text);
    int x = 2;
    if (fo.AlignmentHorz == TAlignment::taRightJustify)
        x = w - tw - 2;
    else if (fo.AlignmentHorz == TAlignment::taCenter)
        x = (w - tw) / 2;
    int y = 2;
    if (fo.AlignmentVert == TVertAlignment::taBottomJustify)
        y = h - th - 3;
    else if (fo.AlignmentVert == TVertAlignment::taMiddle)
        y = (h - th) / 2;
    // Hidden text still places the glyph after where the text would end.
    Canvas.TextRect(ARect, ARect.Left + x, ARect.Top + y, fo.HideText ? QString() : text);

    if (sortSymbol_ != TSortSymbol::sgNone && ARow == 0 && ACol == sortColumn_ && FixedRows() > 0)
        DrawSortSymbol(ARect.Left + x + tw + sortSpacingHor_, ARect.Top + y + sortSpacingVert_);

    if (fo.Bevel != TCellBevelStyle::cbNone && ACol >= FixedCols() && ARow >= FixedRows()) {
        const bool vert = Options().Contains(TGridOption::goFixedVertLine);
        const bool horz = Options().Contains(TGridOption::goFixedHorzLine);
        Canvas.Pen.Color = fo.ShadowColor;
        if (vert) {
            Canvas.MoveTo(ARect.Right - 1, ARect.Top);
            Canvas.LineTo(ARect.Right - 1, ARect.Bottom);
        }
        if (horz) {
            Canvas.MoveTo(ARect.Left, ARect.Bottom - 1);
            Canvas.LineTo(ARect.Right, ARect.Bottom - 1);
        }
        Canvas.Pen.Color = fo.HighlightColor;
        if (vert) {
            Canvas.MoveTo(ARect.Left, ARect.Top);
            Canvas.LineTo(ARect.Left, ARect.Bottom);
        }
        if (horz) {
            Canvas.MoveTo(ARect.Left, ARect.Top);
            Canvas.LineTo(ARect.Right, ARect.Top);
        }
    }

    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, drawn);
}

// ---- sort glyph ---------------------------------------------------------------------------

void TSortGrid::DrawSortSymbol(int X, int Y)
{
    if (glyph_.isNull()) return;
    const TColor transparent =
        sortSymbol_ == TSortSymbol::sgCustom ? ColorOfPixel(glyph_.pixel(0, 0)) : clAqua;
    Canvas.BrushCopy(Bounds(X, Y, glyphWidth_, glyphHeight_), glyph_,
                     Bounds(0, 0, glyphWidth_, glyphHeight_), transparent);
}

void TSortGrid::SetGSortSymbol()
{
    glyph_ = QImage();
    glyphWidth_ = 0;
    glyphHeight_ = 0;
    const bool descending = sortDirection_ == TSortDirection::sdDescending;
    switch (sortSymbol_) {
    case TSortSymbol::sgNone:
        return;
    case TSortSymbol::sgArrow:
        glyph_ = LoadGlyph(descending ? 1 : 0);
        break;
    case TSortSymbol::sgGlyph:
        glyph_ = LoadGlyph(descending ? 3 : 2);
        break;
    case TSortSymbol::sgCustom:
        // An empty custom bitmap gives no glyph.
        glyph_ = descending ? sortBitMapD_ : sortBitMapA_;
        break;
    }
    if (!glyph_.isNull()) {
        glyphWidth_ = glyph_.width();
        glyphHeight_ = glyph_.height();
    }
}

// ---- scroll pages ---------------------------------------------------------------------------

int TSortGrid::ProportionalPage(int visiblePlusFixed, int count, const TScrollInfo& info)
{
    if (count <= 0) return 1;
    // Rounded half away from zero.
    const double page = static_cast<double>(visiblePlusFixed) / count * (info.nMax - info.nMin + 1);
    return std::max(1, static_cast<int>(std::lround(page)));
}

void TSortGrid::UpdateScrollPage()
{
    const TScrollStyle bars = ScrollBars();
    if (bars == TScrollStyle::ssVertical || bars == TScrollStyle::ssBoth) {
        const TScrollInfo info = GetScrollInfo(TScrollBarKind::sbVertical);
        SetScrollPage(TScrollBarKind::sbVertical,
                      proportionalScrollBars_
                          ? ProportionalPage(VisibleRowCount() + FixedRows(), RowCount(), info)
                          : 0);
    }
    if (bars == TScrollStyle::ssHorizontal || bars == TScrollStyle::ssBoth) {
        const TScrollInfo info = GetScrollInfo(TScrollBarKind::sbHorizontal);
        SetScrollPage(TScrollBarKind::sbHorizontal,
                      proportionalScrollBars_
                          ? ProportionalPage(VisibleColCount() + FixedCols(), ColCount(), info)
                          : 0);
    }
}

void TSortGrid::WMSize()
{
    TStringGrid::WMSize();
    UpdateScrollPage();
}

void TSortGrid::ColWidthsChanged()
{
    TStringGrid::ColWidthsChanged();
    if (OnColumnWidthsChanged) OnColumnWidthsChanged(this);
    UpdateScrollPage();
}

void TSortGrid::RowHeightsChanged()
{
    TStringGrid::RowHeightsChanged();
    if (OnRowHeightsChanged) OnRowHeightsChanged(this);
    UpdateScrollPage();
}

void TSortGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // Rows that are gone leave the selection.
    std::erase_if(selectedRows_, [this](int r) { return r >= RowCount(); });
    TStringGrid::SizeChanged(OldColCount, OldRowCount);
    if (OnSizeChanged) OnSizeChanged(this, OldColCount, OldRowCount);
    UpdateScrollPage();
}

// ---- auto-size -------------------------------------------------------------------------------

TGridDrawState TSortGrid::GetCellDrawState(int ACol, int ARow) const
{
    TGridDrawState s;
    // Fixed when the row or the column is, as the drawing hands it.
    if (ARow < FixedRows() || ACol < FixedCols()) s.Include(TGridDrawStateFlag::gdFixed);
    if (Focused() && ACol == Col() && ARow == Row()) s.Include(TGridDrawStateFlag::gdFocused);
    const TGridRect sel = Selection();
    if (ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom)
        s.Include(TGridDrawStateFlag::gdSelected);
    return s;
}

void TSortGrid::AutoSizeCol(int ACol)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        // Each row starts from the grid font, so one row's format does not leak into the next.
        Canvas.Font = Font();
        TFormatOptions fo;
        InitializeFormatOptions(ACol, r, fo);
        if (OnGetCellFormat) OnGetCellFormat(this, ACol, r, GetCellDrawState(ACol, r), fo);
        Canvas.Font = fo.Font;
        widest = std::max(widest, Canvas.TextWidth(DisplayText(Cells(ACol, r))));
    }
    Canvas.Font = Font();
    SetColWidths(ACol, widest + Canvas.TextWidth(QStringLiteral("x")));
}

void TSortGrid::AutoSizeColumns(bool DoFixedCols, int ExtraWidth)
{
    auto one = [&](int c) {
        AutoSizeCol(c);
        if (ExtraWidth != 0) SetColWidths(c, std::max(0, ColWidths(c) + ExtraWidth));
    };
    if (DoFixedCols)
        for (int c = 0; c < FixedCols(); ++c)
            one(c);
    for (int c = FixedCols(); c < ColCount(); ++c)
        one(c);
}

void TSortGrid::AutoSizeRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    const QFontMetrics fm(Font().QtFont());
    int height = DefaultRowHeight();
    for (int c = 0; c < ColCount(); ++c) {
        const int w = ColWidths(c);
        if (w <= 0) continue; // a zero-width column would break every word onto its own line
        const QRect need = fm.boundingRect(QRect(0, 0, w, 1 << 20),
                                           Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                           DisplayText(Cells(c, ARow)));
        height = std::max(height, need.height() + 1);
    }
    // A hidden row stays hidden; it will show at the new height.
    if (hidden_.GetValue(ARow, TOldRowColValueList::Row) >= 0) {
        hidden_.RemRC(ARow, TOldRowColValueList::Row);
        hidden_.SetValue(ARow, height, TOldRowColValueList::Row);
        return;
    }
    SetRowHeights(ARow, height);
}

void TSortGrid::AutoSizeRowsWhere(int FromRow, int ToRow, TAutoSize filter)
{
    FromRow = std::max(0, FromRow);
    ToRow = std::min(ToRow, RowCount() - 1);
    for (int r = FromRow; r <= ToRow; ++r) {
        const bool hidden = RowHeights(r) == 0;
        if (filter == TAutoSize::asAll || (filter == TAutoSize::asVisible && !hidden) ||
            (filter == TAutoSize::asHidden && hidden))
            AutoSizeRow(r);
    }
}

void TSortGrid::AutoSizeRows(int FromRow, int ToRow)
{
    AutoSizeRowsWhere(FromRow, ToRow, TAutoSize::asAll);
}

void TSortGrid::AutoSizeVisibleRows(int FromRow, int ToRow)
{
    AutoSizeRowsWhere(FromRow, ToRow, TAutoSize::asVisible);
}

void TSortGrid::AutoSizeHiddenRows(int FromRow, int ToRow)
{
    AutoSizeRowsWhere(FromRow, ToRow, TAutoSize::asHidden);
}
