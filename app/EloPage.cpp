#include "app/EloPage.h"

#include "components/SortGrid.h"
#include "database/GameIndex.h"
#include "platform/AlignLayout.h"
#include "platform/CodePage.h"
#include "platform/WaitCursor.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <utility>

TSortGrid* EloGrid = nullptr;
std::string EloNameCaption;

namespace {

// Rows added at a time while a list loads.
constexpr int RowGrowth = 40;

void SetUpGrid(TSortGrid& grid)
{
    grid.setObjectName("EloGrid");
    grid.SetTabStop(false);
    grid.SetColCount(8);
    grid.SetDefaultColWidth(90);
    grid.SetDefaultRowHeight(20);
    grid.SetFixedCols(0);
    grid.SetRowCount(2);
    grid.SetFixedRows(1);
    grid.SetGridLineWidth(0);
    grid.SetScrollBars(TScrollStyle::ssVertical);
    grid.SetOptions({TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine,
                     TGridOption::goVertLine, TGridOption::goHorzLine, TGridOption::goColSizing,
                     TGridOption::goRowSelect, TGridOption::goThumbTracking});
    TFont font = grid.Font();
    font.SetName("Arial");
    font.SetHeight(-15);
    font.SetStyle({});
    font.Charset = EASTEUROPE_CHARSET;
    font.Color = clWindowText;
    grid.SetFont(font);
    // Rows of 20 fit Arial's own metrics; a substitute face with a taller
    // line gets rows that still show its descenders and accents.
    grid.SetDefaultRowHeight(std::max(20, QFontMetrics(font.QtFont()).height() + 2));
    grid.CaseSensitive = false;
    grid.SetAlignmentHorz(TAlignment::taLeftJustify);
    grid.SetAlignmentVert(TVertAlignment::taTopJustify);
    grid.SetProportionalScrollBars(true);
    grid.ExtendedKeys = false;
    grid.SetSortSymbol(TSortSymbol::sgArrow);
    grid.SetSortOnClick(true);
    grid.SetWordWrap(false);
    grid.DecodeText = [](const std::string& s) { return DecodeCp1250(s); };
    grid.EncodeText = [](const QString& s) { return EncodeCodePage(CodePage::Cp1250, s); };
}

void ShowError(const char* text)
{
    Dialogs().MessageDlg(text, TMsgDlgType::mtError, mbOKOnly, 0);
}

} // namespace

FileDialogOptions EloOpenDialogOptions()
{
    FileDialogOptions options;
    options.Title = "Open ELO list";
    options.Filter = "ELO list - fixed width text (*.txt)|*.txt";
    options.DefaultExt = "txt";
    return options;
}

QPushButton* CreateEloButton(QWidget* sheet)
{
    auto* button = new QPushButton("Open ELO list...", sheet);
    button->setObjectName("EloButton");
    button->setGeometry(24, 24, 140, 28);
    return button;
}

void CreateEloGridOn(QWidget* sheet, std::function<void(int, int, bool&)> selectCell)
{
    delete EloGrid;
    EloGrid = new TSortGrid(sheet);
    EloGrid->hide();
    SetUpGrid(*EloGrid);
    EloGrid->OnSelectCell = [select = std::move(selectCell)](QObject*, int col, int row,
                                                             bool& can) {
        if (select) select(col, row, can);
    };
    SetAlign(EloGrid, TAlign::alClient);
}

EloLoadResult FillEloGrid(TSortGrid& grid, const ByteSource& source,
                          const std::function<void()>& pump)
{
    EloLoadHooks hooks;
    hooks.OnLayout = [&grid](const EloLayout& layout) {
        const auto columns = static_cast<int>(layout.Columns.size());
        grid.SetColCount(columns);
        for (int c = 0; c < columns; ++c) {
            const EloColumn& column = layout.Columns[static_cast<std::size_t>(c)];
            grid.SetCells(c, 0, column.Title);
            grid.SetColWidths(c, column.Width);
        }
        EloNameCaption = columns > 1 ? layout.Columns[1].Title : std::string();
    };
    hooks.OnRow = [&grid](int row, std::vector<std::string>& fields) {
        // Grows before the row is written, never one past the end.
        if (grid.RowCount() <= row) grid.SetRowCount(row + RowGrowth);
        // Packed: a list of a million lines costs little more than its text.
        grid.CellStore().SetRowTexts(row, fields);
    };
    hooks.Pump = [&pump](int) {
        if (pump) pump();
    };
    const EloLoadResult result = LoadEloList(source, hooks);
    if (result.Status == EloLoadStatus::Loaded) grid.SetRowCount(result.RowCount);
    grid.Invalidate();
    return result;
}

EloOpenResult OpenEloList(const std::string& path, const EloPageHooks& page)
{
    if (ListLoading) return EloOpenResult::Busy;
    const EloListFile file(path);
    if (!file.IsOpen()) {
        ShowError("Can't open ELO file!");
        return EloOpenResult::CantOpen;
    }
    if (page.CreateGrid) page.CreateGrid();
    if (!EloGrid) return EloOpenResult::Busy;
    if (page.Button) page.Button->hide();
    if (page.Expand) page.Expand();

    std::optional<WaitCursor> wait(std::in_place);
    const EloLoadResult result =
        FillEloGrid(*EloGrid, file.Source(), [] { QCoreApplication::processEvents(); });
    wait.reset();
    if (result.Status == EloLoadStatus::Busy) return EloOpenResult::Busy;
    if (result.Status == EloLoadStatus::NotEloList) {
        ShowError("Not an ELO database!");
        delete EloGrid;
        EloGrid = nullptr;
        return EloOpenResult::NotEloList;
    }
    if (page.Activate) page.Activate();
    EloGrid->show();
    EloGrid->setFocus();
    return EloOpenResult::Loaded;
}

void ShowEloRowNumber(int row)
{
    // A list of one column has no name column to write to.
    if (!EloGrid || EloGrid->ColCount() < 2) return;
    EloGrid->SetCells(1, 0, EloNameCaption + " [" + std::to_string(row) + ".]");
}
