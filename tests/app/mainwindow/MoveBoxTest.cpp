// The move-entry and find box driven from the keyboard: moves typed into
// it, and text found in the game list and the ELO list.
#include "ProgramWindow.h"

#include "app/EloPage.h"
#include "components/SortGrid.h"
#include "database/GameLoader.h"
#include "platform/CodePage.h"
#include "rules/Board.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

namespace {

// Games whose players are known: White in column 1, Black in column 3.
constexpr const char* Players[][2] = {
    {"Zeta, Anna", "Kasparov, Ola"}, {"Kasimov, Bo", "Morr, Tim"}, {"Adams, Cy", "Lund, Eva"},
    {"kasper, Dan", "Boll, Al"},     {"Mikas, Ed", "Kasai, Fu"},   {"Ärnström, Öd", "Nagy, Ly"},
    {"Élan, Bo", "Šťastný, Ľu"},
};

const char* const OpenTitle = "Open pgn file";
const char* const AllColumns = "Find in all columns?";

class MoveBox : public ProgramWindow {
protected:
    // Picks an operation from the box's drop-down list by the keyboard.
    void Choose(int operation)
    {
        Click(form->MvGroup);
        QWidget* list = form->MvGroup->view();
        ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }));
        for (int k = form->MvGroup->currentIndex(); k < operation; ++k)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_EQ(form->MvGroup->currentIndex(), operation);
    }
    // Sorts a grid by a click on the title of column.
    void SortBy(TSortGrid* grid, int column)
    {
        const TRect title = grid->CellRect(column, 0);
        Click(grid->viewport(), QPoint((title.Left + title.Right) / 2, title.Bottom / 2));
        ASSERT_EQ(grid->SortColumn(), column);
        // The search starts at the first row.
        const TRect first = grid->CellRect(column, 1);
        Click(grid->viewport(), QPoint(first.Left + 4, (first.Top + first.Bottom) / 2));
        ASSERT_EQ(grid->Row(), 1);
    }
    // Finds text with the box and Enter; the box is emptied every time.
    void Find(const QString& text)
    {
        TypeInMoveBox(text);
        EXPECT_TRUE(form->MoveEdit->text().isEmpty()) << text.toStdString();
    }
    QString PlayersFile()
    {
        QByteArray text;
        int round = 1;
        for (const auto& game : Players) {
            const QString tags =
                QStringLiteral("[Event \"Find\"]\n[Site \"?\"]\n[Date \"2020.01.01\"]\n"
                               "[Round \"%1\"]\n[White \"%2\"]\n[Black \"%3\"]\n"
                               "[Result \"*\"]\n\n1. e4 e5 *\n\n")
                    .arg(round++)
                    .arg(QString::fromUtf8(game[0]), QString::fromUtf8(game[1]));
            // cp1252 where it holds the names, else UTF-8.
            const bool latin1 =
                std::all_of(tags.begin(), tags.end(), [](QChar c) { return c.unicode() < 0x100; });
            text += latin1 ? tags.toLatin1() : tags.toUtf8();
        }
        QFile file(dir.filePath("players.pgn"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(text), text.size());
        return file.fileName();
    }
    static std::string Cell(const TSortGrid* grid, int col)
    {
        return std::string(grid->Cells(col, grid->Row()));
    }
};

} // namespace

TEST_F(MoveBox, TextNamingASquareOffTheBoardIsNoMove)
{
    Start();
    Key(Qt::Key_N, Qt::ControlModifier);
    const struct {
        const char* Text;
        bool Played;
    } typed[] = {
        {"Nf9", false}, {"Nf0", false}, {"N f9", false}, {"Nf39", false}, {"e4", true},
        {"e5", true},   {"Nf3", true},  {"Ke9", false},  {"Ke10", false}, {"Ke7", true},
    };
    for (const auto& t : typed) {
        SCOPED_TRACE(t.Text);
        const int ply = CurrentPly;
        TypeInMoveBox(t.Text);
        EXPECT_EQ(CurrentPly, t.Played ? ply + 1 : ply);
        EXPECT_EQ(LineLength, CurrentPly);
        EXPECT_EQ(form->MoveEdit->text().toStdString(), t.Played ? "" : t.Text);
    }
}

TEST_F(MoveBox, FindSearchesTheSortedColumnThenAllColumnsOnRequest)
{
    Start();
    OpenDatabase(PlayersFile());
    SortBy(GameList, 1);
    const auto white = [] { return Cell(GameList, 1); };
    Choose(1);

    // From the selected row on, the sort column's cells that start with
    // the text, in any letter case.
    Find("kas");
    EXPECT_EQ(white(), "Kasimov, Bo");
    Find("kas"); // the selected row is searched first
    EXPECT_EQ(white(), "Kasimov, Bo");
    Find("KASP");
    EXPECT_EQ(white(), "kasper, Dan");
    Find(""); // found in the selected row itself
    EXPECT_EQ(white(), "kasper, Dan");
    EXPECT_EQ(answers.Shown(), Texts{OpenTitle});

    // Not at the start of a White cell: all columns, if the user wants.
    answers.Queue(ModalAnswers::Key(Qt::Key_N));
    Find("Lund");
    EXPECT_EQ(white(), "kasper, Dan");
    answers.Queue(ModalAnswers::Key(Qt::Key_Y));
    Find("Lund");
    EXPECT_EQ(Cell(GameList, 3), "Lund, Eva");
    // Text inside a cell is found in none.
    answers.Queue(ModalAnswers::Key(Qt::Key_Y));
    Find("ola");
    EXPECT_EQ(Cell(GameList, 3), "Lund, Eva");
    EXPECT_EQ(answers.Shown(), (Texts{OpenTitle, AllColumns, AllColumns, AllColumns}));

    // Every letter in either case, in cp1252 names and in UTF-8 names.
    SortBy(GameList, 1);
    Find(QString::fromUtf8("ärn"));
    EXPECT_EQ(DecodeGameText(white()), QString::fromUtf8("Ärnström, Öd"));
    Find(QString::fromUtf8("éLA"));
    EXPECT_EQ(DecodeGameText(white()), QString::fromUtf8("Élan, Bo"));
    answers.Queue(ModalAnswers::Key(Qt::Key_Y));
    Find(QString::fromUtf8("šŤa"));
    EXPECT_EQ(DecodeGameText(Cell(GameList, 3)), QString::fromUtf8("Šťastný, Ľu"));
}

TEST_F(MoveBox, FindOnTheEloPageSearchesTheEloList)
{
    Start();
    OpenDatabase(PlayersFile());
    Choose(1);
    // No list loaded yet: nothing to search.
    Key(Qt::Key_F5);
    Find("Kov");
    EXPECT_EQ(answers.Shown(), Texts{OpenTitle});

    answers.Queue(ModalAnswers::FileName(SampleElo()));
    Key(Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(EloGrid);
    ASSERT_EQ(form->PageControl1->currentWidget(), form->EloSheet);
    SortBy(EloGrid, 1);
    const int gameRow = GameList->Row();
    const auto name = [] { return DecodeCp1250(Cell(EloGrid, 1)); };

    Find("kov");
    EXPECT_TRUE(name().startsWith("Kova")) << name().toStdString();
    // Letters of the list's own code page, in either case.
    Find(QString::fromUtf8("ďur"));
    EXPECT_TRUE(name().startsWith(QString::fromUtf8("Ďurčo"))) << name().toStdString();
    answers.Queue(ModalAnswers::Key(Qt::Key_Y));
    Find("CRO");
    EXPECT_EQ(answers.Shown(), (Texts{OpenTitle, "Open ELO list", AllColumns}));
    bool croatian = false;
    for (int c = 0; c < EloGrid->ColCount(); ++c)
        croatian = croatian || Cell(EloGrid, c) == "CRO";
    EXPECT_TRUE(croatian) << name().toStdString();
    EXPECT_EQ(GameList->Row(), gameRow);
}
