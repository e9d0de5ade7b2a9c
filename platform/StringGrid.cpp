#include "platform/StringGrid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSizingMargin = 3; // pixels either side of a border that start sizing
constexpr int kMinSizedWidth = 0;

} // namespace

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent), cells_(5, 5)
{
    DecodeText = [](const std::string& s) {
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    };
    EncodeText = [](const QString& s) { return s.toLatin1().toStdString(); };
    options_ = {TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine, TGridOption::goVertLine,
                TGridOption::goHorzLine, TGridOption::goRangeSelect};
    colWidths_.assign(5, defaultColWidth_);
    rowHeights_.assign(5, defaultRowHeight_);
    QFont f = font();
    f.setPixelSize(13);
    font_.SetQtFont(f);
    Canvas.Font = font_;
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()}) {
        const Qt::Orientation o = bar->orientation();
        connect(bar, &QScrollBar::valueChanged, this, [this, o](int v) {
            if (syncingBars_) return;
            if (o == Qt::Vertical)
                SetTopRow(fixedRows_ + v);
            else
                SetLeftCol(fixedCols_ + v);
        });
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar, o](int action) {
            // Page by the visible count, as the framework does, whatever pageStep holds.
            const int step = std::max(1, o == Qt::Vertical ? VisibleRowCount() : VisibleColCount());
            if (action == QAbstractSlider::SliderPageStepAdd)
                bar->setSliderPosition(bar->value() + step);
            else if (action == QAbstractSlider::SliderPageStepSub)
                bar->setSliderPosition(bar->value() - step);
        });
    }
    UpdateScrollRange();
}

TStringGrid::~TStringGrid() = default;

// ---- cells ----------------------------------------------------------------

void TStringGrid::SetCells(int col, int row, std::string text)
{
    if (!cells_.Contains(col, row)) return;
    cells_.SetCell(col, row, std::move(text));
    InvalidateCell(col, row);
    SyncEditor();
}

void TStringGrid::SetRows(int row, const TGridRow& source)
{
    cells_.AssignRow(row, source);
    viewport()->update();
    SyncEditor();
}

QString TStringGrid::DisplayText(std::string_view text) const
{
    return DecodeText ? DecodeText(std::string(text))
                      : QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// ---- size -----------------------------------------------------------------

void TStringGrid::AssignCells(TGridCells cells)
{
    if (cells.ColCount() < 1 || cells.RowCount() < 1)
        cells.SetSize(std::max(1, cells.ColCount()), std::max(1, cells.RowCount()));
    if (EditorMode()) HideEditor(true);
    const int oldCols = ColCount();
    const int oldRows = RowCount();
    cells_ = std::move(cells);
    colWidths_.resize(static_cast<std::size_t>(ColCount()), defaultColWidth_);
    rowHeights_.resize(static_cast<std::size_t>(RowCount()), defaultRowHeight_);
    fixedCols_ = std::min(fixedCols_, ColCount() - 1);
    fixedRows_ = std::min(fixedRows_, RowCount() - 1);
    ClampCurrent();
    if (oldCols != ColCount() || oldRows != RowCount())
        SizeChanged(oldCols, oldRows);
    else
        viewport()->update();
}

void TStringGrid::SetColCount(int value)
{
    value = std::max(1, value);
    const int oldCols = ColCount();
    if (value == oldCols) return;
    if (EditorMode()) HideEditor(true);
    cells_.SetSize(value, RowCount());
    colWidths_.resize(static_cast<std::size_t>(value), defaultColWidth_);
    if (fixedCols_ >= value) fixedCols_ = value - 1;
    ClampCurrent();
    SizeChanged(oldCols, RowCount());
}

void TStringGrid::SetRowCount(int value)
{
    value = std::max(1, value);
    const int oldRows = RowCount();
    if (value == oldRows) return;
    if (EditorMode()) HideEditor(true);
    cells_.SetSize(ColCount(), value);
    rowHeights_.resize(static_cast<std::size_t>(value), defaultRowHeight_);
    if (fixedRows_ >= value) fixedRows_ = value - 1;
    ClampCurrent();
    SizeChanged(ColCount(), oldRows);
}

void TStringGrid::SetFixedCols(int value)
{
    if (value < 0 || value >= ColCount() || value == fixedCols_) return;
    fixedCols_ = value;
    leftCol_ = value; // the scrolled part starts after the fixed columns again
    ClampCurrent();
    UpdateScrollRange();
    viewport()->update();
}

void TStringGrid::SetFixedRows(int value)
{
    if (value < 0 || value >= RowCount() || value == fixedRows_) return;
    fixedRows_ = value;
    topRow_ = value;
    ClampCurrent();
    UpdateScrollRange();
    viewport()->update();
}

void TStringGrid::ClampCurrent()
{
    auto clampInto = [](int v, int lo, int hi) { return std::clamp(v, lo, std::max(lo, hi)); };
    current_.X = clampInto(current_.X, fixedCols_, ColCount() - 1);
    current_.Y = clampInto(current_.Y, fixedRows_, RowCount() - 1);
    anchor_.X = clampInto(anchor_.X, fixedCols_, ColCount() - 1);
    anchor_.Y = clampInto(anchor_.Y, fixedRows_, RowCount() - 1);
    topRow_ = clampInto(topRow_, fixedRows_, MaxTopRow());
    leftCol_ = clampInto(leftCol_, fixedCols_, MaxLeftCol());
}

int TStringGrid::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? colWidths_[col] : 0;
}

void TStringGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount() || width < 0 || colWidths_[col] == width) return;
    colWidths_[col] = width;
    ColWidthsChanged();
}

int TStringGrid::RowHeights(int row) const
{
    return row >= 0 && row < RowCount() ? rowHeights_[row] : 0;
}

void TStringGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= RowCount() || height < 0 || rowHeights_[row] == height) return;
    rowHeights_[row] = height;
    RowHeightsChanged();
}

void TStringGrid::SetDefaultColWidth(int value)
{
    if (value < 0) return;
    defaultColWidth_ = value;
    std::fill(colWidths_.begin(), colWidths_.end(), value);
    ColWidthsChanged();
}

void TStringGrid::SetDefaultRowHeight(int value)
{
    if (value < 0) return;
    defaultRowHeight_ = value;
    std::fill(rowHeights_.begin(), rowHeights_.end(), value);
    RowHeightsChanged();
}

void TStringGrid::SetGridLineWidth(int value)
{
    if (value < 0 || value == gridLineWidth_) return;
    gridLineWidth_ = value;
    UpdateScrollRange();
    viewport()->update();
}

void TStringGrid::ColWidthsChanged()
{
    ClampCurrent();
    UpdateScrollRange();
    PlaceEditor();
    viewport()->update();
}

void TStringGrid::RowHeightsChanged()
{
    ClampCurrent();
    UpdateScrollRange();
    PlaceEditor();
    viewport()->update();
}

void TStringGrid::SizeChanged(int /*OldColCount*/, int /*OldRowCount*/)
{
    UpdateScrollRange();
    viewport()->update();
}

namespace {

// Where index goes when the item at from moves to to.
int Follow(int index, int from, int to)
{
    if (index == from) return to;
    if (from < index && index <= to) return index - 1;
    if (to <= index && index < from) return index + 1;
    return index;
}

template <typename V>
void MoveItem(V& v, int from, int to)
{
    auto item = std::move(v[static_cast<std::size_t>(from)]);
    v.erase(v.begin() + from);
    v.insert(v.begin() + to, std::move(item));
}

} // namespace

void TStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() ||
        ToIndex >= RowCount())
        return;
    if (EditorMode()) HideEditor(true);
    cells_.MoveRow(FromIndex, ToIndex);
    MoveItem(rowHeights_, FromIndex, ToIndex);
    current_.Y = Follow(current_.Y, FromIndex, ToIndex);
    anchor_.Y = Follow(anchor_.Y, FromIndex, ToIndex);
    ClampCurrent();
    RowHeightsChanged();
}

void TStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() ||
        ToIndex >= ColCount())
        return;
    if (EditorMode()) HideEditor(true);
    cells_.MoveColumn(FromIndex, ToIndex);
    MoveItem(colWidths_, FromIndex, ToIndex);
    current_.X = Follow(current_.X, FromIndex, ToIndex);
    anchor_.X = Follow(anchor_.X, FromIndex, ToIndex);
    ClampCurrent();
    ColWidthsChanged();
}

void TStringGrid::DeleteRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    if (EditorMode()) HideEditor(true);
    if (RowCount() == 1) {
        cells_.ClearRow(0);
        viewport()->update();
        return;
    }
    const int oldRows = RowCount();
    cells_.DeleteRow(ARow);
    rowHeights_.erase(rowHeights_.begin() + ARow);
    fixedRows_ = std::min(fixedRows_, RowCount() - 1);
    ClampCurrent();
    SizeChanged(ColCount(), oldRows);
}

void TStringGrid::DeleteColumn(int ACol)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    if (EditorMode()) HideEditor(true);
    if (ColCount() == 1) {
        cells_.ClearColumn(0);
        viewport()->update();
        return;
    }
    const int oldCols = ColCount();
    cells_.DeleteColumn(ACol);
    colWidths_.erase(colWidths_.begin() + ACol);
    fixedCols_ = std::min(fixedCols_, ColCount() - 1);
    ClampCurrent();
    SizeChanged(oldCols, RowCount());
}

// ---- current cell and selection -----------------------------------------------

void TStringGrid::SetCol(int value)
{
    if (value < fixedCols_ || value >= ColCount()) return;
    FocusCell(value, current_.Y < fixedRows_ ? fixedRows_ : current_.Y, true);
}

void TStringGrid::SetRow(int value)
{
    if (value < fixedRows_ || value >= RowCount()) return;
    FocusCell(current_.X < fixedCols_ ? fixedCols_ : current_.X, value, true);
}

bool TStringGrid::FocusCell(int col, int row, bool moveAnchor)
{
    if (col < fixedCols_ || col >= ColCount() || row < fixedRows_ || row >= RowCount())
        return false;
    if (col == current_.X && row == current_.Y) {
        if (moveAnchor && (anchor_.X != col || anchor_.Y != row)) {
            anchor_ = current_;
            viewport()->update();
        }
        return true;
    }
    if (!SelectCell(col, row)) return false;
    if (EditorMode()) HideEditor(true);
    current_ = {col, row};
    if (moveAnchor || !options_.Contains(TGridOption::goRangeSelect)) anchor_ = current_;
    ScrollIntoView(col, row);
    viewport()->update();
    Click();
    if (options_.Contains(TGridOption::goAlwaysShowEditor) &&
        options_.Contains(TGridOption::goEditing))
        ShowEditor();
    return true;
}

TGridRect TStringGrid::Selection() const
{
    TGridRect r{std::min(anchor_.X, current_.X), std::min(anchor_.Y, current_.Y),
                std::max(anchor_.X, current_.X), std::max(anchor_.Y, current_.Y)};
    if (options_.Contains(TGridOption::goRowSelect)) {
        r.Left = fixedCols_;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TStringGrid::SetSelection(const TGridRect& value)
{
    anchor_ = {value.Left, value.Top};
    current_ = {value.Right, value.Bottom};
    viewport()->update();
}

bool TStringGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

// ---- scrolling -----------------------------------------------------------------

int TStringGrid::MaxTopRow() const
{
    int avail = viewport()->height();
    for (int r = 0; r < fixedRows_ && r < RowCount(); ++r)
        avail -= RowExtent(r);
    int top = RowCount() - 1;
    int used = 0;
    for (int r = RowCount() - 1; r >= fixedRows_; --r) {
        used += RowExtent(r);
        if (used > avail) break;
        top = r;
    }
    return std::max(fixedRows_, top);
}

int TStringGrid::MaxLeftCol() const
{
    int avail = viewport()->width();
    for (int c = 0; c < fixedCols_ && c < ColCount(); ++c)
        avail -= ColExtent(c);
    int left = ColCount() - 1;
    int used = 0;
    for (int c = ColCount() - 1; c >= fixedCols_; --c) {
        used += ColExtent(c);
        if (used > avail) break;
        left = c;
    }
    return std::max(fixedCols_, left);
}

void TStringGrid::SetTopRow(int value)
{
    value = std::clamp(value, fixedRows_, MaxTopRow());
    if (value == topRow_) return;
    topRow_ = value;
    syncingBars_ = true;
    verticalScrollBar()->setValue(topRow_ - fixedRows_);
    syncingBars_ = false;
    PlaceEditor();
    viewport()->update();
    TopLeftChanged();
}

void TStringGrid::SetLeftCol(int value)
{
    value = std::clamp(value, fixedCols_, MaxLeftCol());
    if (value == leftCol_) return;
    leftCol_ = value;
    syncingBars_ = true;
    horizontalScrollBar()->setValue(leftCol_ - fixedCols_);
    syncingBars_ = false;
    PlaceEditor();
    viewport()->update();
    TopLeftChanged();
}

void TStringGrid::TopLeftChanged()
{
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

int TStringGrid::VisibleRowCount() const
{
    int y = 0;
    for (int r = 0; r < fixedRows_; ++r)
        y += RowExtent(r);
    int n = 0;
    for (int r = topRow_; r < RowCount(); ++r) {
        y += RowExtent(r);
        if (y > viewport()->height()) break;
        ++n;
    }
    return n;
}

int TStringGrid::VisibleColCount() const
{
    int x = 0;
    for (int c = 0; c < fixedCols_; ++c)
        x += ColExtent(c);
    int n = 0;
    for (int c = leftCol_; c < ColCount(); ++c) {
        x += ColExtent(c);
        if (x > viewport()->width()) break;
        ++n;
    }
    return n;
}

void TStringGrid::ScrollIntoView(int col, int row)
{
    if (row >= fixedRows_) {
        if (row < topRow_) {
            SetTopRow(row);
        } else {
            // Smallest top row that still shows `row` in full.
            int avail = viewport()->height();
            for (int r = 0; r < fixedRows_; ++r)
                avail -= RowExtent(r);
            int top = row;
            int used = RowExtent(row);
            while (top > topRow_ && used + RowExtent(top - 1) <= avail) {
                --top;
                used += RowExtent(top);
            }
            if (top > topRow_) SetTopRow(top);
        }
    }
    if (col >= fixedCols_ && !options_.Contains(TGridOption::goRowSelect)) {
        if (col < leftCol_) {
            SetLeftCol(col);
        } else {
            int avail = viewport()->width();
            for (int c = 0; c < fixedCols_; ++c)
                avail -= ColExtent(c);
            int left = col;
            int used = ColExtent(col);
            while (left > leftCol_ && used + ColExtent(left - 1) <= avail) {
                --left;
                used += ColExtent(left);
            }
            if (left > leftCol_) SetLeftCol(left);
        }
    }
}

void TStringGrid::SetScrollBars(TScrollStyle value)
{
    scrollBars_ = value;
    UpdateScrollRange();
}

void TStringGrid::UpdateScrollRange()
{
    const bool vert =
        scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
    const bool horz =
        scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
    setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const bool tracking = options_.Contains(TGridOption::goThumbTracking);
    syncingBars_ = true;
    QScrollBar* v = verticalScrollBar();
    v->setTracking(tracking);
    v->setRange(0, MaxTopRow() - fixedRows_);
    QScrollBar* h = horizontalScrollBar();
    h->setTracking(tracking);
    h->setRange(0, MaxLeftCol() - fixedCols_);
    syncingBars_ = false;
    // The range can cut the scrolled position.
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    leftCol_ = std::clamp(leftCol_, fixedCols_, MaxLeftCol());
    syncingBars_ = true;
    v->setValue(topRow_ - fixedRows_);
    h->setValue(leftCol_ - fixedCols_);
    syncingBars_ = false;
    ApplyScrollPage(TScrollBarKind::sbVertical);
    ApplyScrollPage(TScrollBarKind::sbHorizontal);
}

TScrollInfo TStringGrid::GetScrollInfo(TScrollBarKind kind) const
{
    TScrollInfo info;
    const bool vertical = kind == TScrollBarKind::sbVertical;
    info.nMin = 0;
    info.nMax = (vertical ? RowCount() : ColCount()) - 1;
    info.nPage = scrollPage_[vertical ? 1 : 0];
    info.nPos = vertical ? topRow_ - fixedRows_ : leftCol_ - fixedCols_;
    return info;
}

void TStringGrid::SetScrollPage(TScrollBarKind kind, int page)
{
    scrollPage_[kind == TScrollBarKind::sbVertical ? 1 : 0] = std::max(0, page);
    ApplyScrollPage(kind);
}

void TStringGrid::ApplyScrollPage(TScrollBarKind kind)
{
    const bool vertical = kind == TScrollBarKind::sbVertical;
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    const int page = scrollPage_[vertical ? 1 : 0];
    const int units = vertical ? RowCount() : ColCount();
    const int qmax = bar->maximum() - bar->minimum();
    int step = 1;
    if (page > 0 && units > 0 && qmax > 0) {
        // Qt's thumb shows pageStep / (range + pageStep); make that the share page / units.
        const double share = static_cast<double>(page) / units;
        step =
            share >= 1.0 ? qmax * 100 : static_cast<int>(std::lround(share * qmax / (1.0 - share)));
    }
    bar->setPageStep(std::max(1, step));
}

// ---- geometry --------------------------------------------------------------------

int TStringGrid::ColExtent(int col) const
{
    return colWidths_[col] > 0 ? colWidths_[col] + gridLineWidth_ : 0;
}

int TStringGrid::RowExtent(int row) const
{
    return rowHeights_[row] > 0 ? rowHeights_[row] + gridLineWidth_ : 0;
}

int TStringGrid::ColLeft(int col) const
{
    int x = 0;
    if (col < fixedCols_) {
        for (int c = 0; c < col; ++c)
            x += ColExtent(c);
        return x;
    }
    for (int c = 0; c < fixedCols_; ++c)
        x += ColExtent(c);
    if (col >= leftCol_) {
        for (int c = leftCol_; c < col; ++c)
            x += ColExtent(c);
    } else {
        for (int c = col; c < leftCol_; ++c)
            x -= ColExtent(c);
    }
    return x;
}

int TStringGrid::RowTop(int row) const
{
    int y = 0;
    if (row < fixedRows_) {
        for (int r = 0; r < row; ++r)
            y += RowExtent(r);
        return y;
    }
    for (int r = 0; r < fixedRows_; ++r)
        y += RowExtent(r);
    if (row >= topRow_) {
        for (int r = topRow_; r < row; ++r)
            y += RowExtent(r);
    } else {
        for (int r = row; r < topRow_; ++r)
            y -= RowExtent(r);
    }
    return y;
}

TRect TStringGrid::CellRect(int col, int row) const
{
    if (!cells_.Contains(col, row)) return {};
    const int x = ColLeft(col);
    const int y = RowTop(row);
    return {x, y, x + colWidths_[col], y + rowHeights_[row]};
}

TGridCoord TStringGrid::MouseCoord(int x, int y) const
{
    TGridCoord g;
    // A row or column of size 0 takes no space, so no point falls into it.
    auto find = [](int p, int fixed, int first, int count, auto extent) {
        int pos = 0;
        for (int i = 0; i < fixed; ++i) {
            pos += extent(i);
            if (p < pos) return i;
        }
        for (int i = first; i < count; ++i) {
            pos += extent(i);
            if (p < pos) return i;
        }
        return -1;
    };
    if (x < 0 || y < 0) return g;
    g.X = find(x, fixedCols_, leftCol_, ColCount(), [this](int c) { return ColExtent(c); });
    g.Y = find(y, fixedRows_, topRow_, RowCount(), [this](int r) { return RowExtent(r); });
    if (g.X < 0 || g.Y < 0) g = {};
    return g;
}

void TStringGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    const TGridCoord g = MouseCoord(x, y);
    col = g.X;
    row = g.Y;
}

void TStringGrid::InvalidateCell(int col, int row)
{
    // Cells scrolled out of view need no repaint; testing that first keeps bulk
    // filling of a long grid from walking the rows for every cell.
    if (!cells_.Contains(col, row) || (row >= fixedRows_ && row < topRow_) ||
        (col >= fixedCols_ && col < leftCol_))
        return;
    auto beyond = [](int index, int first, auto extent, int limit) {
        int pos = 0;
        for (int i = first; i < index; ++i) {
            pos += extent(i);
            if (pos > limit) return true;
        }
        return false;
    };
    if (row >= topRow_ &&
        beyond(
            row, topRow_, [this](int r) { return RowExtent(r); }, viewport()->height()))
        return;
    if (col >= leftCol_ &&
        beyond(
            col, leftCol_, [this](int c) { return ColExtent(c); }, viewport()->width()))
        return;
    const TRect r = CellRect(col, row);
    if (!r.IsEmpty()) viewport()->update(ToQRect(r).adjusted(0, 0, gridLineWidth_, gridLineWidth_));
}

void TStringGrid::Invalidate()
{
    viewport()->update();
    SyncEditor();
}

void TStringGrid::SetOptions(TGridOptions value)
{
    options_ = value;
    if (!options_.Contains(TGridOption::goEditing) && EditorMode()) HideEditor(true);
    if (!options_.Contains(TGridOption::goRangeSelect)) anchor_ = current_;
    UpdateScrollRange();
    viewport()->update();
}

void TStringGrid::SetTabStop(bool value)
{
    tabStop_ = value;
    // A click still focuses a grid that is no tab stop.
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TStringGrid::Focused() const
{
    return hasFocus() || (editor_ != nullptr && editor_->hasFocus());
}

void TStringGrid::SetColor(TColor value)
{
    color_ = value;
    viewport()->update();
}

void TStringGrid::SetFixedColor(TColor value)
{
    fixedColor_ = value;
    viewport()->update();
}

void TStringGrid::SetGridLineColor(TColor value)
{
    gridLineColor_ = value;
    viewport()->update();
}

void TStringGrid::SetFont(const TFont& value)
{
    font_ = value;
    Canvas.Font = value;
    if (editor_) editor_->setFont(font_.QtFont());
    viewport()->update();
}

// ---- painting --------------------------------------------------------------------

TGridDrawState TStringGrid::CellState(int col, int row) const
{
    TGridDrawState s;
    if (col < fixedCols_ || row < fixedRows_) {
        s.Include(TGridDrawStateFlag::gdFixed);
        return s;
    }
    if (col == current_.X && row == current_.Y && Focused())
        s.Include(TGridDrawStateFlag::gdFocused);
    const TGridRect sel = Selection();
    if (col >= sel.Left && col <= sel.Right && row >= sel.Top && row <= sel.Bottom)
        s.Include(TGridDrawStateFlag::gdSelected);
    return s;
}

void TStringGrid::paintEvent(QPaintEvent* /*event*/)
{
    QPainter screen(viewport());
    if (DefaultDrawing) {
        PaintCells(screen);
        return;
    }
    // Cells drawn by OnDrawCell alone: while no handler draws them, the grid
    // keeps the pixels it showed last.
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    if (!OnDrawCell && lastFrame_.size() == size) {
        screen.drawImage(0, 0, lastFrame_);
        return;
    }
    if (lastFrame_.size() != size) {
        lastFrame_ = QImage(size, QImage::Format_RGB32);
        lastFrame_.setDevicePixelRatio(ratio);
    }
    {
        QPainter painter(&lastFrame_);
        PaintCells(painter);
    }
    screen.drawImage(0, 0, lastFrame_);
}

void TStringGrid::PaintCells(QPainter& painter)
{
    painter.fillRect(viewport()->rect(), ToQColor(color_));
    Canvas.Begin(&painter);
    const int w = viewport()->width();
    const int h = viewport()->height();
    auto paintRow = [&](int row, int y) {
        int x = 0;
        auto cell = [&](int col) {
            const TRect r{x, y, x + colWidths_[col], y + rowHeights_[row]};
            PaintCell(col, row, r);
            x += ColExtent(col);
        };
        for (int c = 0; c < fixedCols_ && x < w; ++c)
            cell(c);
        for (int c = leftCol_; c < ColCount() && x < w; ++c)
            cell(c);
    };
    int y = 0;
    for (int r = 0; r < fixedRows_ && y < h; ++r) {
        if (rowHeights_[r] > 0) paintRow(r, y);
        y += RowExtent(r);
    }
    for (int r = topRow_; r < RowCount() && y < h; ++r) {
        if (rowHeights_[r] > 0) paintRow(r, y);
        y += RowExtent(r);
    }
    Canvas.End();
}

void TStringGrid::PaintCell(int col, int row, const TRect& r)
{
    QPainter* p = Canvas.Painter();
    const bool fixed = col < fixedCols_ || row < fixedRows_;
    if (r.Width() > 0 && r.Height() > 0) {
        const TGridDrawState state = CellState(col, row);
        if (DefaultDrawing) {
            Canvas.Font = font_;
            Canvas.Brush.Style = TBrushStyle::bsSolid;
            const bool highlight = state.Contains(TGridDrawStateFlag::gdSelected) &&
                                   (!state.Contains(TGridDrawStateFlag::gdFocused) ||
                                    options_.Contains(TGridOption::goDrawFocusSelected) ||
                                    options_.Contains(TGridOption::goRowSelect));
            if (highlight) {
                Canvas.Brush.Color = clHighlight;
                Canvas.Font.Color = clHighlightText;
            } else {
                Canvas.Brush.Color = fixed ? fixedColor_ : color_;
            }
            Canvas.FillRect(r);
        }
        p->save();
        DrawCell(col, row, r, state);
        p->restore();
        if (DefaultDrawing) {
            if (fixed && options_.Contains(TGridOption::goFixedVertLine) &&
                options_.Contains(TGridOption::goFixedHorzLine)) {
                const QRect q = ToQRect(r);
                p->fillRect(QRect(q.left(), q.top(), q.width(), 1), ToQColor(clBtnHighlight));
                p->fillRect(QRect(q.left(), q.top(), 1, q.height()), ToQColor(clBtnHighlight));
                p->fillRect(QRect(q.left(), q.bottom(), q.width(), 1), ToQColor(clBtnShadow));
                p->fillRect(QRect(q.right(), q.top(), 1, q.height()), ToQColor(clBtnShadow));
            }
            if (state.Contains(TGridDrawStateFlag::gdFocused) &&
                !options_.Contains(TGridOption::goRowSelect) && !EditorMode()) {
                QPen pen(ToQColor(clWindowText), 1, Qt::DotLine);
                p->save();
                p->setPen(pen);
                p->setBrush(Qt::NoBrush);
                p->drawRect(ToQRect(r).adjusted(0, 0, -1, -1));
                p->restore();
            }
        }
    }
    // A hidden row or column (size 0) has no grid line either.
    if (gridLineWidth_ > 0 && r.Width() > 0 && r.Height() > 0) {
        const bool vline =
            options_.Contains(fixed ? TGridOption::goFixedVertLine : TGridOption::goVertLine);
        const bool hline =
            options_.Contains(fixed ? TGridOption::goFixedHorzLine : TGridOption::goHorzLine);
        const QColor line = ToQColor(fixed ? clBlack : gridLineColor_);
        const QColor gap = ToQColor(color_);
        p->fillRect(QRect(r.Right, r.Top, gridLineWidth_, r.Height() + gridLineWidth_),
                    vline ? line : gap);
        p->fillRect(QRect(r.Left, r.Bottom, r.Width(), gridLineWidth_), hline ? line : gap);
    }
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing)
        Canvas.TextRect(ARect, ARect.Left + 2, ARect.Top + 2, DisplayText(Cells(ACol, ARow)));
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

// ---- mouse -----------------------------------------------------------------------

int TStringGrid::SizingIndex(int x, int y, bool columns) const
{
    if (columns) {
        int fixedH = 0;
        for (int r = 0; r < fixedRows_; ++r)
            fixedH += RowExtent(r);
        if (y >= fixedH) return -1;
        for (int c = 0; c < ColCount(); ++c) {
            if (c >= fixedCols_ && c < leftCol_) continue;
            const int border = ColLeft(c) + colWidths_[c];
            if (std::abs(x - border) <= kSizingMargin) return c;
            if (border > viewport()->width()) break;
        }
        return -1;
    }
    int fixedW = 0;
    for (int c = 0; c < fixedCols_; ++c)
        fixedW += ColExtent(c);
    if (x >= fixedW) return -1;
    for (int r = 0; r < RowCount(); ++r) {
        if (r >= fixedRows_ && r < topRow_) continue;
        const int border = RowTop(r) + rowHeights_[r];
        if (std::abs(y - border) <= kSizingMargin) return r;
        if (border > viewport()->height()) break;
    }
    return -1;
}

void TStringGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseDown(MouseButtonOf(event->button()), ShiftStateOf(event->modifiers(), event->buttons()),
              p.x(), p.y());
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseDown(MouseButtonOf(event->button()),
              ShiftStateOf(event->modifiers(), event->buttons(), true), p.x(), p.y());
    DblClick();
}

void TStringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseUp(MouseButtonOf(event->button()), ShiftStateOf(event->modifiers(), event->buttons()),
            p.x(), p.y());
}

void TStringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (focusPolicy() != Qt::NoFocus && !Focused()) setFocus(Qt::MouseFocusReason);
    if (Button == TMouseButton::mbLeft) {
        int idx = -1;
        if (options_.Contains(TGridOption::goColSizing) && (idx = SizingIndex(X, Y, true)) >= 0) {
            state_ = TGridState::gsColSizing;
            sizingIndex_ = idx;
            sizingOrigin_ = ColLeft(idx);
        } else if (options_.Contains(TGridOption::goRowSizing) &&
                   (idx = SizingIndex(X, Y, false)) >= 0) {
            state_ = TGridState::gsRowSizing;
            sizingIndex_ = idx;
            sizingOrigin_ = RowTop(idx);
        } else {
            const TGridCoord g = MouseCoord(X, Y);
            if (g.X >= fixedCols_ && g.Y >= fixedRows_) {
                const bool again = g.X == current_.X && g.Y == current_.Y;
                const bool extend = Shift.Contains(TShiftFlag::ssShift) &&
                                    options_.Contains(TGridOption::goRangeSelect);
                FocusCell(g.X, g.Y, !extend);
                if (options_.Contains(TGridOption::goRangeSelect)) state_ = TGridState::gsSelecting;
                if (again && options_.Contains(TGridOption::goEditing) &&
                    !Shift.Contains(TShiftFlag::ssDouble))
                    ShowEditor();
            }
        }
    }
    if (Shift.Contains(TShiftFlag::ssDouble) && options_.Contains(TGridOption::goEditing))
        ShowEditor();
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    if (state_ == TGridState::gsColSizing) {
        const int width = std::max(kMinSizedWidth, X - sizingOrigin_);
        if (colWidths_[sizingIndex_] != width) {
            colWidths_[sizingIndex_] = width;
            viewport()->update();
        }
    } else if (state_ == TGridState::gsRowSizing) {
        const int height = std::max(kMinSizedWidth, Y - sizingOrigin_);
        if (rowHeights_[sizingIndex_] != height) {
            rowHeights_[sizingIndex_] = height;
            viewport()->update();
        }
    } else if (state_ == TGridState::gsSelecting) {
        const TGridCoord g = MouseCoord(X, Y);
        if (g.X >= fixedCols_ && g.Y >= fixedRows_) FocusCell(g.X, g.Y, false);
    } else {
        const bool col =
            options_.Contains(TGridOption::goColSizing) && SizingIndex(X, Y, true) >= 0;
        const bool row =
            !col && options_.Contains(TGridOption::goRowSizing) && SizingIndex(X, Y, false) >= 0;
        viewport()->setCursor(col ? Qt::SplitHCursor : row ? Qt::SplitVCursor : Qt::ArrowCursor);
    }
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridState was = state_;
    state_ = TGridState::gsNormal;
    if (was == TGridState::gsColSizing)
        ColWidthsChanged();
    else if (was == TGridState::gsRowSizing)
        RowHeightsChanged();
    sizingIndex_ = -1;
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TStringGrid::Click()
{
    if (OnClick) OnClick(this);
}

void TStringGrid::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TStringGrid::enterEvent(QEnterEvent* event)
{
    QAbstractScrollArea::enterEvent(event);
    MouseEnter();
}

void TStringGrid::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    MouseLeave();
}

// ---- keyboard ----------------------------------------------------------------------

void TStringGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyDown(key, ShiftStateOf(event->modifiers()));
    const QString text = event->text();
    if (key != 0 && !text.isEmpty()) {
        QChar ch = text.at(0);
        KeyPress(ch);
    }
    event->accept();
}

void TStringGrid::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyUp(key, ShiftStateOf(event->modifiers()));
}

void TStringGrid::KeyUp(int& Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TStringGrid::KeyDown(int& Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    if (Key == 0) return;
    const bool ctrl = Shift.Contains(TShiftFlag::ssCtrl);
    const bool extend =
        Shift.Contains(TShiftFlag::ssShift) && options_.Contains(TGridOption::goRangeSelect);
    int col = current_.X;
    int row = current_.Y;
    const int page = std::max(1, VisibleRowCount());
    const bool rowSelect = options_.Contains(TGridOption::goRowSelect);
    switch (Key) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        if (rowSelect) {
            SetLeftCol(leftCol_ - 1);
            return;
        }
        --col;
        break;
    case Qt::Key_Right:
        if (rowSelect) {
            SetLeftCol(leftCol_ + 1);
            return;
        }
        ++col;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        if (ctrl)
            row = fixedRows_;
        else
            col = fixedCols_;
        break;
    case Qt::Key_End:
        if (ctrl)
            row = RowCount() - 1;
        else
            col = ColCount() - 1;
        break;
    case Qt::Key_F2:
        if (options_.Contains(TGridOption::goEditing)) ShowEditor();
        return;
    default:
        return;
    }
    col = std::clamp(col, fixedCols_, std::max(fixedCols_, ColCount() - 1));
    row = std::clamp(row, fixedRows_, std::max(fixedRows_, RowCount() - 1));
    // Hidden rows (height 0) are stepped over in the direction of the move.
    const int dir = row < current_.Y ? -1 : 1;
    for (int r = row; r >= fixedRows_ && r < RowCount(); r += dir)
        if (rowHeights_[r] > 0) {
            row = r;
            break;
        }
    FocusCell(col, row, !extend);
}

void TStringGrid::KeyPress(QChar& Key)
{
    if (OnKeyPress) OnKeyPress(this, Key);
    if (Key.isNull() || !options_.Contains(TGridOption::goEditing) || EditorMode()) return;
    if (Key == QChar(13)) {
        ShowEditor();
    } else if (Key.isPrint()) {
        ShowEditor();
        if (editor_) {
            editor_->setText(QString(Key));
            SetEditText(current_.X, current_.Y, EncodeText(editor_->text()));
        }
    }
}

// ---- focus --------------------------------------------------------------------------

void TStringGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    if (!entered_) {
        entered_ = true;
        DoEnter();
    }
}

void TStringGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
    if (editor_ && QApplication::focusWidget() == editor_) return;
    if (entered_) {
        entered_ = false;
        DoExit();
    }
}

void TStringGrid::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TStringGrid::DoExit()
{
    if (OnExit) OnExit(this);
}

// ---- in-place editor ------------------------------------------------------------------

std::string TStringGrid::GetEditText(int ACol, int ARow)
{
    std::string text(Cells(ACol, ARow));
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
    SetCells(ACol, ARow, Value);
}

void TStringGrid::SetEditorMode(bool value)
{
    if (value)
        ShowEditor();
    else if (EditorMode())
        HideEditor(true);
}

void TStringGrid::ShowEditor()
{
    if (!options_.Contains(TGridOption::goEditing) || !cells_.Contains(current_.X, current_.Y) ||
        current_.X < fixedCols_ || current_.Y < fixedRows_)
        return;
    if (!editor_) {
        editor_ = new QLineEdit(viewport());
        editor_->setFrame(false);
        editor_->installEventFilter(this);
        connect(editor_, &QLineEdit::textEdited, this, [this](const QString& t) {
            editorWriting_ = true;
            SetEditText(current_.X, current_.Y, EncodeText(t));
            editorWriting_ = false;
        });
    }
    editor_->setFont(font_.QtFont());
    editorOriginal_ = std::string(Cells(current_.X, current_.Y));
    editor_->setText(DisplayText(GetEditText(current_.X, current_.Y)));
    editorShown_ = true;
    PlaceEditor();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
}

void TStringGrid::HideEditor(bool commit)
{
    if (!editor_ || !editorShown_) return;
    editorShown_ = false;
    if (!commit) SetEditText(current_.X, current_.Y, editorOriginal_);
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    viewport()->update();
}

void TStringGrid::SyncEditor()
{
    if (!EditorMode() || editorWriting_) return;
    const QString text = DisplayText(GetEditText(current_.X, current_.Y));
    if (editor_->text() != text) editor_->setText(text);
}

void TStringGrid::PlaceEditor()
{
    if (!editor_ || !editorShown_) return;
    const TRect r = CellRect(current_.X, current_.Y);
    editor_->setGeometry(ToQRect(r));
}

bool TStringGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editor_) return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            QChar ch(13);
            KeyPress(ch);
            HideEditor(true);
            return true;
        }
        case Qt::Key_Escape:
            HideEditor(false);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            HideEditor(true);
            int key = ke->key();
            KeyDown(key, ShiftStateOf(ke->modifiers()));
            return true;
        }
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (!entered_) {
            entered_ = true;
            DoEnter();
        }
    } else if (event->type() == QEvent::FocusOut) {
        QWidget* next = QApplication::focusWidget();
        if (next != this && entered_) {
            entered_ = false;
            DoExit();
        }
    }
    return false;
}

// ---- resize ------------------------------------------------------------------------------

void TStringGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    WMSize();
}

void TStringGrid::WMSize()
{
    UpdateScrollRange();
    PlaceEditor();
}
