// The about box and the search-filter dialog.
#include "tests/support/TestShots.h"

#include "app/Getver.h"
#include "app/Unit5.h"
#include "app/Unit6.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

TEST(AboutBox, VersionFromTheBuild)
{
    const struct {
        Getver::FileVersion Version;
        const char* Text;
    } formats[] = {
        {{0x00010002, 0x0003002D}, "1.2.3.45"},
        {{0, 0}, "0.0.0.0"},
        {{0xFFFF0000, 0x0000FFFF}, "65535.0.0.65535"},
    };
    for (const auto& f : formats)
        EXPECT_EQ(Getver::FormatVersion(f.Version), f.Text);
    const struct {
        const char* Text;
        const char* Version;
    } parses[] = {
        {"1.2.3.45", "1.2.3.45"},       {"1.2", "1.2.0.0"},       {"", "0.0.0.0"},
        {"70000.1.2.3", "65535.1.2.3"}, {"1.2.3.4.5", "1.2.3.4"}, {"2.1-beta", "2.1.0.0"},
    };
    for (const auto& p : parses)
        EXPECT_EQ(Getver::FormatVersion(Getver::ParseVersion(p.Text)), p.Version) << p.Text;

    // The product line carries the version the build gave the program.
    EXPECT_EQ(Getver::GetV(), Getver::FormatVersion(Getver::ParseVersion(VELMORA_VERSION)));
    TAboutBox box;
    EXPECT_EQ(box.ProductName->text().toStdString(), "Velmora Chess " + Getver::GetV());
    EXPECT_EQ(box.windowTitle(), " About...");
    EXPECT_EQ(box.OKButton->text(), "Close");
    EXPECT_TRUE(box.OKButton->isDefault());
    ASSERT_FALSE(box.ProgramIcon->pixmap().isNull());
    EXPECT_EQ(box.ProgramIcon->pixmap().size(), QSize(383, 271));

    box.show();
    KeepShot(box.grab().toImage(), QStringLiteral("about-box.png"));
    box.OKButton->click();
    EXPECT_EQ(box.result(), mrOk);
}

std::vector<QString> Lines(const QPlainTextEdit* memo)
{
    std::vector<QString> lines;
    for (const QString& line : memo->toPlainText().split('\n'))
        lines.push_back(line);
    return lines;
}

void PutCaretOnLine(QPlainTextEdit* memo, int line)
{
    memo->setTextCursor(QTextCursor(memo->document()->findBlockByNumber(line)));
}

TEST(SearchPanel, DeleteNameAndClear)
{
    TSearchPanel panel;
    const struct {
        QPlainTextEdit* Memo;
        QPushButton* Clear;
        QPushButton* Delete;
    } groups[] = {
        {panel.WhiteList, panel.Button1, panel.Button2},
        {panel.BlackList, panel.Button3, panel.Button4},
        {panel.Memo1, panel.Button7, panel.Button8},
    };
    for (const auto& g : groups) {
        SCOPED_TRACE(g.Memo->objectName().toStdString());
        for (const auto& other : groups)
            other.Memo->setPlainText("Ann\nBo\nCy");
        PutCaretOnLine(g.Memo, 1);
        g.Delete->click();
        EXPECT_EQ(Lines(g.Memo), (std::vector<QString>{"Ann", "Cy"}));
        PutCaretOnLine(g.Memo, 0);
        g.Delete->click();
        EXPECT_EQ(Lines(g.Memo), (std::vector<QString>{"Cy"}));
        for (const auto& other : groups)
            if (other.Memo != g.Memo) {
                EXPECT_EQ(Lines(other.Memo), (std::vector<QString>{"Ann", "Bo", "Cy"}));
            }
        g.Clear->click();
        EXPECT_TRUE(g.Memo->toPlainText().isEmpty());
        g.Delete->click(); // nothing to delete
        EXPECT_TRUE(g.Memo->toPlainText().isEmpty());
    }
}

TEST(SearchPanel, DefaultKeepsTheLists)
{
    TSearchPanel panel;
    EXPECT_EQ(panel.windowTitle(), " Search filter");
    EXPECT_EQ(panel.HelpContext, 12);
    struct Spin {
        QSpinBox* Box;
        int Min, Max, Step, Initial, Edited;
    };
    const Spin spins[] = {
        {panel.EloWmin, 100, 3400, 50, 1000, 1500}, {panel.EloWmax, 100, 3400, 50, 3000, 2500},
        {panel.EloBmin, 100, 3400, 50, 1000, 100},  {panel.EloBmax, 100, 3400, 50, 3000, 3400},
        {panel.YearMin, 1100, 2100, 1, 1500, 1900}, {panel.YearMax, 1100, 2100, 1, 2100, 2000},
        {panel.MovesMin, 1, 500, 1, 1, 20},         {panel.MovesMax, 1, 500, 1, 400, 60},
    };
    QCheckBox* checks[] = {panel.WanyElo, panel.BanyElo, panel.NoYear, panel.R10,
                           panel.R12,     panel.R01,     panel.Rline};
    for (const Spin& s : spins) {
        EXPECT_EQ(s.Box->minimum(), s.Min) << s.Box->objectName().toStdString();
        EXPECT_EQ(s.Box->maximum(), s.Max);
        EXPECT_EQ(s.Box->singleStep(), s.Step);
        EXPECT_EQ(s.Box->value(), s.Initial);
        s.Box->setValue(s.Edited);
    }
    for (QCheckBox* c : checks) {
        EXPECT_TRUE(c->isChecked());
        c->setChecked(false);
    }
    panel.WhiteList->setPlainText("Ann");
    panel.BlackList->setPlainText("Bo");
    panel.Memo1->setPlainText("Open");

    panel.Button9->click();
    for (const Spin& s : spins)
        EXPECT_EQ(s.Box->value(), s.Initial) << s.Box->objectName().toStdString();
    for (QCheckBox* c : checks)
        EXPECT_TRUE(c->isChecked()) << c->objectName().toStdString();
    EXPECT_EQ(panel.WhiteList->toPlainText(), "Ann");
    EXPECT_EQ(panel.BlackList->toPlainText(), "Bo");
    EXPECT_EQ(panel.Memo1->toPlainText(), "Open");

    panel.show();
    KeepShot(panel.grab().toImage(), QStringLiteral("search-panel.png"));
}

} // namespace
