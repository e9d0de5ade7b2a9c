// Loading rating lists into the ELO page, offscreen with scripted dialogs.
#include "tests/support/TestShots.h"

#include "app/EloPage.h"
#include "components/SortGrid.h"
#include "database/GameIndex.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>

namespace {

const std::string SampleList = VELMORA_SAMPLES "/velmora-elo.txt";

class EloPage : public ::testing::Test {
protected:
    EloPage()
    {
        sheet.resize(900, 500);
        button = CreateEloButton(&sheet);
        hooks.Button = button;
        hooks.CreateGrid = [this] {
            ++created;
            CreateEloGridOn(&sheet, [](int, int row, bool&) { ShowEloRowNumber(row); });
        };
        hooks.Expand = [this] { ++expanded; };
        hooks.Activate = [this] { ++activated; };
    }
    ~EloPage() override
    {
        delete EloGrid;
        EloGrid = nullptr;
    }

    std::string WriteFile(const std::string& name, const std::string& bytes)
    {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    QWidget sheet;
    QPushButton* button;
    EloPageHooks hooks;
    ScriptedDialogService dialogs;
    ScopedDialogService installed{dialogs};
    QTemporaryDir dir;
    int created = 0;
    int expanded = 0;
    int activated = 0;
};

TEST_F(EloPage, LoadsTheSampleList)
{
    ASSERT_EQ(OpenEloList(SampleList, hooks), EloOpenResult::Loaded);
    ASSERT_NE(EloGrid, nullptr);
    EXPECT_TRUE(dialogs.Requests().empty());
    EXPECT_EQ(created, 1);
    EXPECT_EQ(expanded, 1);
    EXPECT_EQ(activated, 1);
    EXPECT_TRUE(button->isHidden());
    EXPECT_FALSE(EloGrid->isHidden());
    EXPECT_FALSE(ListLoading);

    EXPECT_EQ(EloGrid->ColCount(), 7);
    EXPECT_EQ(EloGrid->RowCount(), 41);
    EXPECT_EQ(EloGrid->FixedRows(), 1);
    const char* titles[] = {"Id_number", "Name", "Title", "Country", "Rtg", "Gms", "Birthday"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(EloGrid->Cells(c, 0), titles[c]);
    // Every player row is there, the second one too (rows are grown before
    // they are written).
    for (int r = 1; r < 41; ++r)
        EXPECT_FALSE(EloGrid->Cells(0, r).empty()) << "row " << r;
    EXPECT_EQ(EloGrid->Cells(6, 2), "1992.09.05");
    // Cells keep the cp1250 bytes; the grid shows them decoded.
    EXPECT_EQ(EloGrid->DecodeText(std::string(EloGrid->Cells(1, 1))),
              QString::fromUtf8("Dvořák,Tomáš"));
    EXPECT_EQ(EloGrid->DecodeText(std::string(EloGrid->Cells(1, 3))),
              QString::fromUtf8("Kowalczyk,Łukasz"));
    EXPECT_EQ(EloGrid->ColWidths(1), 31 * 8);

    EloGrid->SetRow(5);
    EXPECT_EQ(EloGrid->Cells(1, 0), "Name [5.]");
    EloGrid->SetRow(40);
    EXPECT_EQ(EloGrid->Cells(1, 0), "Name [40.]");
}

TEST_F(EloPage, RefusedFiles)
{
    ASSERT_EQ(OpenEloList(SampleList, hooks), EloOpenResult::Loaded);
    TSortGrid* const loaded = EloGrid;

    // A file that cannot be opened changes nothing.
    dialogs.QueueMessageResult(mrOk);
    EXPECT_EQ(OpenEloList(dir.filePath("missing.txt").toStdString(), hooks),
              EloOpenResult::CantOpen);
    EXPECT_EQ(EloGrid, loaded);
    EXPECT_EQ(created, 1);

    // One that is no list leaves no grid.
    for (const std::string& junk :
         {std::string(), std::string("PK\x03\x04\0\0", 6), std::string("ID but no line end")}) {
        dialogs.QueueMessageResult(mrOk);
        EXPECT_EQ(OpenEloList(WriteFile("junk.txt", junk), hooks), EloOpenResult::NotEloList);
        EXPECT_EQ(EloGrid, nullptr);
        EXPECT_FALSE(ListLoading);
    }
    ASSERT_EQ(dialogs.Requests().size(), 4u);
    EXPECT_EQ(dialogs.Requests()[0].text, "Can't open ELO file!");
    EXPECT_EQ(dialogs.Requests()[0].type, TMsgDlgType::mtError);
    EXPECT_EQ(dialogs.Requests()[3].text, "Not an ELO database!");
    EXPECT_EQ(dialogs.Unexpected(), 0);

    // While another list loads nothing happens at all.
    ListLoadingGuard busy;
    EXPECT_EQ(OpenEloList(SampleList, hooks), EloOpenResult::Busy);
    EXPECT_EQ(dialogs.Requests().size(), 4u);
}

TEST_F(EloPage, OddLists)
{
    // One column: nothing to number.
    ASSERT_EQ(OpenEloList(WriteFile("one.txt", "ID\r\n17\r\n18\r\n"), hooks),
              EloOpenResult::Loaded);
    EXPECT_EQ(EloGrid->ColCount(), 1);
    EXPECT_EQ(EloGrid->Cells(0, 0), "Id");
    EloGrid->SetRow(2);
    ShowEloRowNumber(2);
    EXPECT_EQ(EloGrid->Cells(0, 0), "Id");

    // No players: the title row alone.
    ASSERT_EQ(OpenEloList(WriteFile("empty.txt", "ID      Name\r\n"), hooks),
              EloOpenResult::Loaded);
    EXPECT_EQ(EloGrid->RowCount(), 1);
    EXPECT_EQ(EloGrid->FixedRows(), 0);
}

TEST_F(EloPage, GrowsAheadAndPumps)
{
    std::string text = "ID      Name    \r\n";
    for (int i = 1; i <= 10000; ++i)
        text += std::to_string(100000 + i) + "  Player  \r\n";
    CreateEloGridOn(&sheet, {});
    int pumps = 0;
    const EloLoadResult result =
        FillEloGrid(*EloGrid, MemoryByteSource(text), [&pumps] { ++pumps; });
    EXPECT_EQ(result.RowCount, 10001);
    EXPECT_EQ(EloGrid->RowCount(), 10001);
    EXPECT_EQ(pumps, 1 + 10001 / EloPumpInterval);
    EXPECT_EQ(EloGrid->Cells(0, 10000), "110000");
}

TEST_F(EloPage, ShownListHighlightsTheSelectedPlayer)
{
    ASSERT_EQ(OpenEloList(SampleList, hooks), EloOpenResult::Loaded);
    sheet.show();
    EloGrid->SetRow(3);
    QApplication::processEvents();
    const QImage shot = sheet.grab().toImage();
    KeepShot(shot, QStringLiteral("elo-page.png"));

    // The list fills the page; the selected row alone is in the selection colour.
    EXPECT_EQ(shot.size(), QSize(900, 500) * sheet.devicePixelRatio());
    EXPECT_EQ(EloGrid->geometry(), sheet.rect());
    auto colourIn = [&](int row) {
        const QPoint at =
            EloGrid->viewport()->mapTo(&sheet, ToQRect(EloGrid->CellRect(0, row)).topLeft());
        return ColorOfPixel(shot.pixel(at + QPoint(2, 2)));
    };
    EXPECT_EQ(colourIn(3), ColorToRGB(clHighlight));
    EXPECT_NE(colourIn(2), ColorToRGB(clHighlight));
    EXPECT_NE(colourIn(4), ColorToRGB(clHighlight));
    EXPECT_EQ(EloGrid->Cells(1, 0), "Name [3.]");
}

} // namespace
