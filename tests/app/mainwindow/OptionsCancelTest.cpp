// The options dialog cancelled as the user cancels it, and the view schemes
// beside it: what the dialog shows, applies and saves is what is in force.
#include "ProgramWindow.h"

#include "app/OptionSections.h"
#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "app/Unit2.h"
#include "platform/IniFile.h"
#include "platform/Panel.h"
#include "platform/RadioGroup.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using OptionsCancel = ProgramWindow;

QRadioButton* RadioItem(TRadioGroup& group, int index)
{
    return group.findChildren<QRadioButton*>().at(index);
}

TEST_F(OptionsCancel, CancelledChangesAreNotShownAgainAppliedOrSaved)
{
    Start(OpenAt(SamplePgn()));
    TSettings& s = *Settings;
    const StoredOptions inForce = s.ControlOptions();
    StoredOptions changed;
    answers.Queue([&](QWidget& options) {
        ClickTab(*s.SettingControl, 1);
        QTest::mouseClick(s.SwatchFrames[1], Qt::LeftButton);
        QTest::mouseClick(s.LiSq, Qt::LeftButton);
        ClickTab(*s.SettingControl, 0);
        QRadioButton* large = RadioItem(*s.SizeGroup, 2);
        QTest::mouseClick(large, Qt::LeftButton, {}, QPoint(6, large->height() / 2));
        ClickTab(*s.SettingControl, 2);
        QTest::mouseClick(s.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton); // King "Contour"
        changed = s.ControlOptions();
        QTest::keyClick(&options, Qt::Key_Escape);
    });
    answers.Queue(ModalAnswers::Colour(0x102030));
    answers.Queue(ModalAnswers::Colour(0x405060));
    Key(Qt::Key_F8);
    ASSERT_EQ(answers.Shown().size(), 3u);
    EXPECT_EQ(changed.LightSquare, 0x302010u);
    EXPECT_EQ(changed.LightPiece, TSettings::SwatchColors(1).Light);
    EXPECT_EQ(changed.FontSize, 2);
    EXPECT_EQ(changed.Palette[0][0].Contour, 0x605040u);
    EXPECT_EQ(BoardLightSquare, inForce.LightSquare);
    EXPECT_EQ(MoveFontSize, inForce.FontSize);
    EXPECT_EQ(PieceLabels, inForce.Palette);

    // Opened again: the options in force, which Apply keeps.
    StoredOptions reopened;
    bool lowered = true;
    answers.Queue([&](QWidget& options) {
        reopened = s.ControlOptions();
        lowered = s.SwatchLowered(1);
        QTest::mouseClick(s.ApplyButton, Qt::LeftButton);
        QTest::keyClick(&options, Qt::Key_Escape);
    });
    Key(Qt::Key_F8);
    reopened.Size = inForce.Size;
    EXPECT_EQ(reopened, inForce);
    EXPECT_FALSE(lowered);
    EXPECT_EQ(BoardLightSquare, inForce.LightSquare);
    EXPECT_EQ(BoardLightPiece, inForce.LightPiece);
    EXPECT_EQ(MoveFontSize, inForce.FontSize);
    EXPECT_EQ(PieceLabels, inForce.Palette);

    // File > Exit saves the options in force.
    MenuKeys(Qt::Key_F, Qt::Key_X);
    ASSERT_FALSE(form->isVisible());
    StoredOptions saved = ReadOptionSections(TMemIniFile(SettingsFileName()));
    saved.Size = inForce.Size;
    EXPECT_EQ(saved, inForce);
}

TEST_F(OptionsCancel, ReversedSchemeKeepsItsSetsThroughTheOptions)
{
    Start(OpenAt(SamplePgn()));
    Menu({"&View", "Re&versed chess"});
    ASSERT_TRUE(form->Reversedchess1->isChecked());
    EXPECT_EQ(PieceSet, (std::array<int, 2>{1, 0}));
    answers.Queue(ModalAnswers::Key(Qt::Key_Escape));
    Key(Qt::Key_F8);
    answers.Queue(ModalAnswers::Key(Qt::Key_Return)); // OK, nothing changed
    Key(Qt::Key_F8);
    EXPECT_EQ(answers.Shown().size(), 2u);
    EXPECT_EQ(PieceSet, (std::array<int, 2>{1, 0}));
    EXPECT_TRUE(form->Reversedchess1->isChecked());
    EXPECT_EQ(Settings->LtSetCombo->currentText().toStdString(), "dark set");
    EXPECT_EQ(Settings->DkSetCombo->currentText().toStdString(), "light set");

    Menu({"&View", "&Traditional chess"});
    answers.Queue(ModalAnswers::Key(Qt::Key_Return));
    Key(Qt::Key_F8);
    EXPECT_EQ(PieceSet, (std::array<int, 2>{0, 1}));
}

TEST_F(OptionsCancel, TraditionalSchemeShowsThePieceColoursInForce)
{
    Start(OpenAt(SamplePgn()));
    const std::uint32_t light = BoardLightPiece;
    const std::uint32_t dark = BoardDarkPiece;
    Key(Qt::Key_R, Qt::ControlModifier); // the coloured scheme
    ASSERT_EQ(ColoredPieces, 1);
    answers.Queue([](QWidget& options) {
        ClickTab(*Settings->SettingControl, 1);
        QTest::mouseClick(Settings->LiPi, Qt::LeftButton);
        QTest::keyClick(&options, Qt::Key_Escape);
    });
    answers.Queue(ModalAnswers::Colour(0xA0B0C0));
    Key(Qt::Key_F8);
    Key(Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(form->Blackwhite1->isChecked());
    EXPECT_EQ(ColoredPieces, 0);
    EXPECT_EQ(BoardLightPiece, light);
    EXPECT_EQ(BoardDarkPiece, dark);
    EXPECT_EQ(Settings->OptLightPiece, BoardLightPiece);
    EXPECT_EQ(answers.Shown().size(), 2u);
}

} // namespace
