// The options dialog: what its constructor reads and writes, what Apply gives
// to the option values and the settings file, Cancel, the colour pickers and
// defaults, the scheme file and a settings file that cannot be written.
#include "OptionsTestSupport.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "app/Unit2.h"
#include "platform/IniFile.h"
#include "platform/Panel.h"
#include "platform/RadioGroup.h"
#include "platform/StringGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Letters()
{
    return std::string(PieceLetterChars.begin() + 1, PieceLetterChars.end());
}

QPushButton* ButtonNamed(TSettings& s, const char* name)
{
    auto* b = s.findChild<QPushButton*>(QLatin1String(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

using OptionsDialogTest = OptionsTest;

TEST_F(OptionsDialogTest, FirstStartWritesTheOptionSectionsAndAppliesTheirDefaults)
{
    // Values that no first start leaves: Apply must set every one.
    SlideDelayMs = 77;
    ShowCoords = UseShadow = UseGradient = BoardSound = MoveHint = false;
    LightContrast = 5;
    LongNotation = true;
    FigurineNotation = false;
    MoveFontType = 4;
    MoveFontSize = 2;
    LoadToMove = 30;
    PieceLetterChars = {'?', 'a', 'b', 'c', 'd', 'e', 'f'};
    ExpandDepth = 6;
    DiagCoords = DiagAtStart = DiagBlackView = NoDiagrams = true;
    LeftMarginMm = RightMarginMm = TopMarginMm = BottomMarginMm = 1;
    BoardLightSquare = BoardDarkSquare = BoardLightPiece = BoardDarkPiece = 0x123456;
    PieceSet = {1, 0};

    TSettings settings;
    EXPECT_EQ(FileText(), FirstStartOptionSections);
    EXPECT_EQ(BoardLightSquare, 0xC0C0C0u);
    EXPECT_EQ(BoardDarkSquare, 0xA4A4A4u);
    EXPECT_EQ(BoardLightPiece, 0x064053u);
    EXPECT_EQ(BoardDarkPiece, 0x064053u);
    EXPECT_EQ(SlideDelayMs, 9);
    EXPECT_TRUE(ShowCoords && UseShadow && UseGradient && BoardSound && MoveHint);
    EXPECT_EQ(LightContrast, 61);
    EXPECT_FALSE(LongNotation);
    EXPECT_TRUE(FigurineNotation);
    EXPECT_EQ(MoveFontType, 0);
    EXPECT_EQ(MoveFontSize, 1);
    EXPECT_EQ(LoadToMove, 0);
    EXPECT_EQ(Letters(), "PNBRQK");
    EXPECT_EQ(PieceLetterChars[0], '?'); // never written
    EXPECT_EQ(ExpandDepth, 3);
    EXPECT_FALSE(DiagCoords || DiagAtStart || DiagBlackView || NoDiagrams);
    EXPECT_EQ(LeftMarginMm, 19);
    EXPECT_EQ(RightMarginMm, 19);
    EXPECT_EQ(TopMarginMm, 18);
    EXPECT_EQ(BottomMarginMm, 18);
    EXPECT_EQ(PieceSet, (std::array<int, 2>{0, 1}));
    EXPECT_EQ(PieceLabels, VelmoraDefaultColors);
    EXPECT_TRUE(dialogs.Requests().empty());
}

TEST_F(OptionsDialogTest, TheBoardSizesComeFromTheFileAndGoBackToIt)
{
    WriteFile("[Board]\nSize=50\nPieceSize=80\n");
    int pieceSize = 0;
    TSettings settings(nullptr, {{}, {}, [&pieceSize](int percent) { pieceSize = percent; }});
    EXPECT_EQ(SquareSize, 50);
    EXPECT_EQ(PieceSizePercent, 80);
    EXPECT_EQ(pieceSize, 80);
    SquareSize = 61; // fitted since
    PieceSizePercent = 99;
    settings.SaveSettings(); // as the main window does at close
    EXPECT_TRUE(FileText().starts_with("[Board]\nSize=61\nPieceSize=99\n"));
}

// One control changed: the option value it reaches at Apply, and whether a
// restart keeps it.
struct OptionRow {
    const char* Name;
    std::function<void(TSettings&, ScriptedDialogService&)> Change;
    std::function<bool()> Reached;
    bool Stored;
};

std::vector<OptionRow> OptionRows()
{
    using S = TSettings;
    using D = ScriptedDialogService;
    auto color = [](QColor c, void (S::*pick)()) {
        return [c, pick](S& s, D& d) { d.QueueColor(c), (s.*pick)(); };
    };
    // clang-format off
    return {
        {"sliding off", [](S& s, D&) { s.SlideCombo->setCurrentIndex(0); }, [] { return SlideDelayMs == 0; }, true},
        {"sliding slow", [](S& s, D&) { s.SlideCombo->setCurrentIndex(3); }, [] { return SlideDelayMs == 30; }, true},
        {"loading to previous line", [](S& s, D&) { s.DefaultMove->setCurrentIndex(0); }, [] { return LoadToMove == -2; }, true},
        {"loading to 20 Black", [](S& s, D&) { s.DefaultMove->setCurrentIndex(41); }, [] { return LoadToMove == 39; }, true},
        {"Hungarian letters", [](S& s, D&) { s.NoteCombo->setCurrentIndex(1); }, [] { return Letters() == "GHFBVK" && PieceLetterChars[0] == ' '; }, true},
        {"Spanish letters", [](S& s, D&) { s.NoteCombo->setCurrentIndex(4); }, [] { return Letters() == "PCATDR"; }, true},
        {"long notation", [](S& s, D&) { s.NotaGroup->SetItemIndex(1); }, [] { return LongNotation; }, false},
        {"letters, no figurines", [](S& s, D&) { s.FigurGroup->SetItemIndex(0); }, [] { return !FigurineNotation; }, true},
        {"Times font", [](S& s, D&) { s.FontGroup->SetItemIndex(1); }, [] { return MoveFontType == 1; }, true},
        {"small font", [](S& s, D&) { s.SizeGroup->SetItemIndex(0); }, [] { return MoveFontSize == 0; }, true},
        {"large font", [](S& s, D&) { s.SizeGroup->SetItemIndex(2); }, [] { return MoveFontSize == 2; }, true},
        {"move number dot+space", [](S& s, D&) { s.MvNumGroup->SetItemIndex(2); }, [] { return MoveNumberStyle == 2; }, false},
        {"expanding depth 7", [](S& s, D&) { s.DepthEdit->setValue(7); }, [] { return ExpandDepth == 7; }, false},
        {"diagram coordinates", [](S& s, D&) { s.CoordsDg->setChecked(true); }, [] { return DiagCoords; }, false},
        {"diagram at start", [](S& s, D&) { s.StartBox->setChecked(true); }, [] { return DiagAtStart; }, true},
        {"diagram black view", [](S& s, D&) { s.RevDiag->setChecked(true); }, [] { return DiagBlackView; }, false},
        {"no diagrams", [](S& s, D&) { s.NoDiags->setChecked(true); }, [] { return NoDiagrams; }, false},
        {"no coordinates", [](S& s, D&) { s.CoordsBox->setChecked(false); }, [] { return !ShowCoords; }, true},
        {"no shadow", [](S& s, D&) { s.ShadowBox->setChecked(false); }, [] { return !UseShadow; }, true},
        {"no gradient", [](S& s, D&) { s.GradientBox->setChecked(false); }, [] { return !UseGradient; }, true},
        {"no sound", [](S& s, D&) { s.SoundBox->setChecked(false); }, [] { return !BoardSound; }, true},
        {"no move hint", [](S& s, D&) { s.HintBox->setChecked(false); }, [] { return !MoveHint; }, false},
        {"glyph sets swapped", [](S& s, D&) { s.LtSetCombo->setCurrentIndex(1), s.DkSetCombo->setCurrentIndex(0); },
         [] { return PieceSet == std::array<int, 2>{1, 0}; }, false},
        {"light contrast 30", [](S& s, D&) { s.LTrack->setValue(30); }, [] { return LightContrast == 30; }, true},
        {"margins", [](S& s, D&) { s.LeftMarg->setValue(5), s.RightMarg->setValue(6), s.TopMarg->setValue(7), s.BottomMarg->setValue(99); },
         [] { return LeftMarginMm == 5 && RightMarginMm == 6 && TopMarginMm == 7 && BottomMarginMm == 99; }, false},
        {"light squares", color(QColor(0x11, 0x22, 0x33), &S::LiSqClick), [] { return BoardLightSquare == 0x332211u; }, true},
        {"dark squares", color(QColor(0x44, 0x55, 0x66), &S::DaSqClick), [] { return BoardDarkSquare == 0x665544u; }, true},
        {"light pieces", color(QColor(1, 2, 3), &S::LiPiClick), [] { return BoardLightPiece == 0x030201u; }, true},
        {"dark pieces", color(QColor(4, 5, 6), &S::DaPiClick), [] { return BoardDarkPiece == 0x060504u; }, true},
        {"blue and red swatch", [](S& s, D&) { s.SwatchClick(1); }, [] { return BoardLightPiece == 0x010E53u && BoardDarkPiece == 0x950000u; }, true},
        {"knight's light contour (colour table)", [](S& s, D& d) { d.QueueColor(QColor(1, 2, 3)), s.findChild<QPushButton*>("BitBtn10")->click(); },
         [] { return std::string(RtfColorTable.data()).starts_with("\\red1\\green2\\blue3;"); }, true},
    };
    // clang-format on
}

TEST_F(OptionsDialogTest, EveryOptionReachesItsValueAtApplyAndTheStoredOnesSurviveARestart)
{
    for (const OptionRow& row : OptionRows()) {
        SCOPED_TRACE(row.Name);
        RemoveFile();
        RestoreFirstRunOptions();
        {
            TSettings settings;
            row.Change(settings, dialogs);
            EXPECT_FALSE(row.Reached()); // nothing before Apply
            settings.ApplyButtonClick();
            EXPECT_TRUE(row.Reached());
        }
        RestoreFirstRunOptions();
        TSettings restarted;
        EXPECT_EQ(row.Reached(), row.Stored);
    }
    EXPECT_EQ(dialogs.Unexpected(), 0);
    EXPECT_TRUE(dialogs.Drained());
}

TEST_F(OptionsDialogTest, ApplyFitsTheBoardToItsPaneAfterSavingAndThenHandsOver)
{
    QSize pane(400, 600);
    int applied = 0;
    int sizeWhenApplied = -1;
    TSettings settings(nullptr, {[&pane] { return pane; },
                                 [&] {
                                     ++applied;
                                     sizeWhenApplied = SquareSize;
                                 },
                                 {}});
    EXPECT_EQ(applied, 1); // the constructor's Apply
    EXPECT_EQ(sizeWhenApplied, 44);
    EXPECT_NE(FileText().find("Size=68\n"), std::string::npos); // saved before the fit

    settings.CoordsBox->setChecked(false);
    settings.ApplyButtonClick();
    EXPECT_EQ(applied, 2);
    EXPECT_EQ(SquareSize, 46); // (5 * 394 - 60) / 41
    EXPECT_NE(FileText().find("Size=44\n"), std::string::npos);

    // A wide pane leaves room for the title under the board, as a resized pane does.
    pane = QSize(600, 400);
    settings.CoordsBox->setChecked(true);
    settings.ApplyButtonClick();
    EXPECT_EQ(SquareSize, 42); // (400 - 24 - 36) / 8
    EXPECT_EQ(SquareSize, FitBoardToPane(600, 400).SquareSize);

    pane = QSize(); // not laid out yet: the size stays
    settings.ApplyButtonClick();
    EXPECT_EQ(SquareSize, 42);
    pane = QSize(8, 8); // a collapsed pane gives no negative size
    settings.ApplyButtonClick();
    EXPECT_EQ(SquareSize, 0);
}

TEST_F(OptionsDialogTest, CancelAppliesNothingAndTakesBackTheControls)
{
    TSettings settings;
    const StoredOptions applied = settings.ControlOptions();
    const auto change = [&] {
        dialogs.QueueColor(QColor(0x10, 0x20, 0x30));
        settings.LiSqClick();
        settings.CoordsBox->setChecked(false);
        settings.DepthEdit->setValue(6);
        settings.SwatchClick(0);
    };
    change();
    settings.CancelButtonClick();
    EXPECT_EQ(settings.result(), mrCancel);
    EXPECT_EQ(BoardLightSquare, 0xC0C0C0u);
    EXPECT_TRUE(ShowCoords);
    EXPECT_EQ(settings.ControlOptions(), applied);
    EXPECT_EQ(settings.DepthEdit->value(), 3);
    EXPECT_FALSE(settings.SwatchLowered(0));

    // Esc closes the same way.
    change();
    settings.setResult(mrNone);
    QTest::keyClick(&settings, Qt::Key_Escape);
    EXPECT_EQ(settings.result(), mrCancel);
    EXPECT_EQ(settings.ControlOptions(), applied);

    // The save at close and the next Apply keep the options in force.
    change();
    settings.SaveSettings();
    EXPECT_EQ(FileText(), FirstStartOptionSections);
    settings.OKButtonClick();
    EXPECT_EQ(settings.result(), mrOk);
    EXPECT_EQ(BoardLightSquare, 0x302010u);
    EXPECT_FALSE(ShowCoords);
    EXPECT_EQ(ExpandDepth, 6);
    EXPECT_NE(FileText().find("LightSquare=3153936\n"), std::string::npos);
}

TEST_F(OptionsDialogTest, ColourDialogCancelledChangesNothing)
{
    TSettings settings;
    settings.SwatchClick(2);
    const StoredOptions before = settings.ControlOptions();
    for (const char* name : {"LiSq", "DaSq", "LiPi", "DaPi", "BitBtn1", "BitBtn21", "BitBtn13"}) {
        SCOPED_TRACE(name);
        dialogs.QueueColor(std::nullopt);
        ButtonNamed(settings, name)->click();
        EXPECT_EQ(settings.ControlOptions(), before);
        EXPECT_TRUE(settings.SwatchLowered(2));
    }
    // Every picker starts from the colour it edits.
    ASSERT_EQ(dialogs.Requests().size(), 7u);
    EXPECT_EQ(dialogs.Requests()[2].color, QColor(0x02, 0x57, 0x4F)); // light pieces of Panel21
    EXPECT_EQ(dialogs.Requests()[6].color, QColor(Qt::white));        // dark pawn's inner
}

TEST_F(OptionsDialogTest, PaletteButtonsEditTheirCellByTag)
{
    TSettings settings;
    struct Button {
        const char* Name;
        int Side, Piece;
        bool Inner;
    };
    const Button buttons[] = {
        {"BitBtn1", 0, 0, false},  {"BitBtn22", 1, 0, false}, {"BitBtn2", 0, 0, true},
        {"BitBtn21", 1, 0, true},  {"BitBtn6", 0, 1, false},  {"BitBtn23", 1, 1, true},
        {"BitBtn4", 0, 2, false},  {"BitBtn25", 1, 2, true},  {"BitBtn8", 0, 3, false},
        {"BitBtn27", 1, 3, true},  {"BitBtn10", 0, 4, false}, {"BitBtn29", 1, 4, true},
        {"BitBtn12", 0, 5, false}, {"BitBtn14", 1, 5, false}, {"BitBtn11", 0, 5, true},
        {"BitBtn13", 1, 5, true},
    };
    int n = 0;
    for (const Button& b : buttons) {
        SCOPED_TRACE(b.Name);
        const PiecePalette before = PieceLabels;
        const QColor chosen(n, 100, 200);
        ++n;
        dialogs.QueueColor(chosen);
        ButtonNamed(settings, b.Name)->click();
        PiecePalette expected = before;
        (b.Inner ? expected[b.Side][b.Piece].Inner : expected[b.Side][b.Piece].Contour) =
            FromQColor(chosen);
        EXPECT_EQ(PieceLabels, expected);
        const QLabel* cell = settings.PaletteCells[b.Side][b.Piece];
        EXPECT_EQ(cell->palette().color(b.Inner ? QPalette::Window : QPalette::WindowText), chosen);
    }
}

TEST_F(OptionsDialogTest, SwatchesSetBothPieceColoursAndShowWhichIsChosen)
{
    TSettings settings;
    settings.show();
    for (int f = 0; f < TSettings::SwatchCount; ++f)
        EXPECT_FALSE(settings.SwatchLowered(f));

    // The lower colour panel of a frame works as the frame.
    auto* lower = settings.findChild<TPanel*>("Panel23");
    ASSERT_NE(lower, nullptr);
    QTest::mouseClick(lower, Qt::LeftButton);
    EXPECT_EQ(settings.OptLightPiece, 0x4F5702u);
    EXPECT_EQ(settings.OptDarkPiece, 0x2E3285u);
    EXPECT_TRUE(settings.SwatchLowered(2));
    EXPECT_FALSE(settings.SwatchLowered(0) || settings.SwatchLowered(1) ||
                 settings.SwatchLowered(3));

    QTest::mouseClick(settings.SwatchFrames[0], Qt::LeftButton);
    EXPECT_TRUE(settings.SwatchLowered(0));
    EXPECT_FALSE(settings.SwatchLowered(2));

    // A colour chosen by hand raises them all.
    dialogs.QueueColor(QColor(9, 9, 9));
    settings.DaPiClick();
    for (int f = 0; f < TSettings::SwatchCount; ++f)
        EXPECT_FALSE(settings.SwatchLowered(f));
}

TEST_F(OptionsDialogTest, BoardDefaultResetsTheBoardPageOnly)
{
    TSettings settings;
    settings.SlideCombo->setCurrentIndex(0);
    settings.LtSetCombo->setCurrentIndex(1);
    settings.DkSetCombo->setCurrentIndex(0);
    settings.HintBox->setChecked(false);
    settings.NoteCombo->setCurrentIndex(3);
    settings.LTrack->setValue(20);
    PieceLabels[0][0].Contour = 0x123456;
    settings.Button1->click();

    EXPECT_EQ(settings.OptDarkSquare, 0xA4A4A4u);
    EXPECT_EQ(settings.OptLightSquare, 0xC0C0C0u);
    EXPECT_EQ(settings.OptDarkPiece, 0x090909u);
    EXPECT_EQ(settings.OptLightPiece, 0x090909u);
    EXPECT_FALSE(settings.CoordsBox->isChecked() || settings.ShadowBox->isChecked() ||
                 settings.SoundBox->isChecked() || settings.GradientBox->isChecked());
    EXPECT_TRUE(settings.HintBox->isChecked());
    EXPECT_EQ(settings.SlideCombo->currentIndex(), 2);
    EXPECT_EQ(settings.LtSetCombo->currentIndex(), 0);
    EXPECT_EQ(settings.DkSetCombo->currentIndex(), 1);
    EXPECT_TRUE(settings.SwatchLowered(3));
    EXPECT_FALSE(settings.SwatchLowered(0) || settings.SwatchLowered(1) ||
                 settings.SwatchLowered(2));
    // Not on the Board page: untouched.
    EXPECT_EQ(settings.NoteCombo->currentIndex(), 3);
    EXPECT_EQ(settings.LTrack->value(), 20);
    EXPECT_EQ(PieceLabels[0][0].Contour, 0x123456u);

    settings.ApplyButtonClick();
    EXPECT_FALSE(ShowCoords || UseShadow || UseGradient || BoardSound);
    EXPECT_EQ(BoardLightPiece, 0x090909u);
    EXPECT_EQ(SlideDelayMs, 9);
}

TEST_F(OptionsDialogTest, VelmoraDefaultResetsPaletteAndContrastOnly)
{
    TSettings settings;
    PieceLabels[1][5] = {1, 2};
    settings.LTrack->setValue(3);
    settings.OptLightSquare = 0x111111;
    settings.OptLightPiece = 0x222222;
    settings.SlideCombo->setCurrentIndex(3);
    settings.Button5->click();
    EXPECT_EQ(PieceLabels, VelmoraDefaultColors);
    EXPECT_EQ(settings.LTrack->value(), 61);
    EXPECT_EQ(settings.PaletteCells[1][5]->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(settings.OptLightSquare, 0x111111u);
    EXPECT_EQ(settings.OptLightPiece, 0x222222u);
    EXPECT_EQ(settings.SlideCombo->currentIndex(), 3);
}

TEST_F(OptionsDialogTest, PrinterSetupAsksTheDialogAndAppliesNothing)
{
    TSettings settings;
    dialogs.QueuePrinterSetup(false);
    settings.Button4->click();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].kind, ScriptedDialogService::Kind::PrinterSetup);
    EXPECT_EQ(dialogs.Unexpected(), 0);
}

TEST_F(OptionsDialogTest, EachPageHasItsHelpContext)
{
    TSettings settings;
    EXPECT_EQ(settings.HelpContext, 18);
    for (int page : {1, 2, 3, 0}) {
        settings.SettingControl->setCurrentIndex(page);
        EXPECT_EQ(settings.HelpContext, 18 + page);
    }
}

TEST_F(OptionsDialogTest, AHandEditedFileGetsUsableValuesAndKeepsWhatItCarries)
{
    WriteFile("; kept\n"
              "[Board]\n"
              "Sliding=7\n"
              "Extra=5\n"
              "Coords=yes\n"
              "Size=99999999999\n"
              "DarkSquare=-3\n"
              "[MoveList]\n"
              "PieceLetters=-1\n"
              "DefaultMove=99\n"
              "FontSize=-1\n"
              "FontType=3\n"
              "Figurin=abc\n"
              "[Other]\n"
              "Key=value\n");
    TSettings settings;
    EXPECT_EQ(settings.SlideCombo->currentIndex(), 2);
    EXPECT_EQ(SlideDelayMs, 9);
    EXPECT_TRUE(ShowCoords);
    EXPECT_EQ(SquareSize, 68);
    EXPECT_EQ(BoardDarkSquare, 0xA4A4A4u);
    EXPECT_EQ(Letters(), "PNBRQK");
    EXPECT_EQ(LoadToMove, 0);
    EXPECT_EQ(MoveFontSize, 1);
    // Figurine fonts are offered only with their faces; a choice past the
    // group's last item takes the last one.
    EXPECT_EQ(settings.FontGroup->Count(), 2);
    EXPECT_EQ(MoveFontType, 1);
    EXPECT_TRUE(FigurineNotation);
    EXPECT_EQ(FileText(), "; kept\n"
                          "[Board]\n"
                          "Sliding=2\n"
                          "Extra=5\n"
                          "Coords=1\n"
                          "Size=68\n"
                          "DarkSquare=10790052\n"
                          "PieceSize=91\n"
                          "LightSquare=12632256\n"
                          "DarkPiece=409683\n"
                          "LightPiece=409683\n"
                          "LightContrast=61\n"
                          "Grad=1\n"
                          "Shadow=1\n"
                          "Sound=1\n"
                          "[MoveList]\n"
                          "PieceLetters=0\n"
                          "DefaultMove=2\n"
                          "FontSize=1\n"
                          "FontType=1\n"
                          "Figurin=1\n"
                          "StartDiag=0\n"
                          "[Other]\n"
                          "Key=value\n"
                          "\n" +
                              FirstStartOptionSections.substr(
                                  0, FirstStartOptionSections.find("\n\n[Board]") + 1));
}

TEST_F(OptionsDialogTest, AFailedWriteSaysSoOnceAndTheNextWorkingOneIsSilent)
{
    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QDir().mkpath(SettingsFileName()));
    {
        TSettings settings;
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_EQ(dialogs.Requests()[0].kind, ScriptedDialogService::Kind::Message);
        EXPECT_TRUE(dialogs.Requests()[0].text.startsWith("Can't read the settings file"));
        // The options are applied all the same.
        EXPECT_EQ(SlideDelayMs, 9);
        settings.SlideCombo->setCurrentIndex(0);
        settings.ApplyButtonClick();
        EXPECT_EQ(SlideDelayMs, 0);
        EXPECT_FALSE(settings.SaveSettings());
        EXPECT_EQ(dialogs.Requests().size(), 1u);

        RemoveFile();
        EXPECT_TRUE(settings.SaveSettings());
        EXPECT_NE(FileText().find("Sliding=0\n"), std::string::npos);
        // Failing again after a success is said again.
        RemoveFile();
        ASSERT_TRUE(QDir().mkpath(SettingsFileName()));
        EXPECT_FALSE(settings.SaveSettings());
        EXPECT_EQ(dialogs.Requests().size(), 2u);
    }
    EXPECT_EQ(dialogs.Unexpected(), 2); // the two messages, answered by the empty queue
}

TEST_F(OptionsDialogTest, TheFileMayVanishBetweenStartAndClose)
{
    TSettings settings;
    settings.NoteCombo->setCurrentIndex(1);
    settings.ApplyButtonClick();
    RemoveFile();
    EXPECT_TRUE(settings.SaveSettings());
    EXPECT_NE(FileText().find("PieceLetters=1\n"), std::string::npos);
    EXPECT_TRUE(dialogs.Requests().empty());
}

// ---- The scheme file --------------------------------------------------------------------

class SchemeFileTest : public OptionsTest {
protected:
    QString Scheme(const char* name) const { return dir.filePath(QLatin1String(name)); }
    static void Write(const QString& name, const std::string& text)
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    static std::string Read(const QString& name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    QTemporaryDir dir;
};

TEST_F(SchemeFileTest, SaveWritesThePaletteIntoTheChosenFileAndKeepsTheRest)
{
    TSettings settings;
    PieceLabels[0][0].Contour = 1;
    Write(Scheme("mine.ini"), "[Colours]\nSky=blue\n[Velmora]\nKing0Contour=5\n");
    dialogs.QueueSaveFile(Scheme("mine"));
    settings.Button2->click();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    const FileDialogOptions& asked = dialogs.Requests()[0].file;
    EXPECT_EQ(asked.Title, "Saving Velmora settings");
    EXPECT_EQ(asked.Filter, "Velmora settings|*.ini");
    EXPECT_EQ(asked.DefaultExt, "ini");
    const std::string text = Read(Scheme("mine.ini"));
    EXPECT_TRUE(text.starts_with("[Colours]\nSky=blue\n[Velmora]\nKing0Contour=1\nKing0Inner="));
    EXPECT_EQ(text.find("LightContrast"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 1 + 24);

    // A palette saved is the palette loaded.
    const PiecePalette saved = PieceLabels;
    settings.Button5Click();
    dialogs.QueueOpenFile(Scheme("mine.ini"));
    settings.Button3->click();
    EXPECT_EQ(PieceLabels, saved);
    EXPECT_EQ(dialogs.Requests().back().file.Title, "Loading Velmora settings");
}

TEST_F(SchemeFileTest, LoadTakesBlackAndWhiteForWhatTheSchemeLacks)
{
    TSettings settings;
    settings.LTrack->setValue(40);
    Write(Scheme("part.ini"), "[Velmora]\nQueen1Inner=255\nRook0Contour=junk\nPawn0Inner=-1\n");
    dialogs.QueueOpenFile(Scheme("part.ini"));
    settings.Button3Click();
    for (int side = 0; side < PaletteSides; ++side) {
        for (int piece = 0; piece < PalettePieces; ++piece) {
            const bool set = side == 1 && piece == 1;
            EXPECT_EQ(PieceLabels[side][piece], (PieceColorPair{0, set ? 255u : 0xFFFFFFu}));
        }
    }
    EXPECT_EQ(settings.LTrack->value(), 40);
    EXPECT_EQ(Read(Scheme("part.ini")),
              "[Velmora]\nQueen1Inner=255\nRook0Contour=junk\nPawn0Inner=-1\n");
    // Applied only by Apply: the colour table still has the old knight.
    EXPECT_TRUE(std::string(RtfColorTable.data()).starts_with("\\red181"));
}

TEST_F(SchemeFileTest, WhatCannotBeReadOrWrittenIsSaidAndLeavesThePalette)
{
    TSettings settings;
    Write(Scheme("other.ini"), "[Window]\nWidth=3\n");
    const QString missing = Scheme("missing.ini");
    for (const QString& name : {Scheme("other.ini"), missing}) {
        dialogs.QueueOpenFile(name);
        settings.Button3Click();
        EXPECT_EQ(PieceLabels, VelmoraDefaultColors);
    }
    dialogs.QueueOpenFile(std::nullopt); // cancelled: nothing at all
    settings.Button3Click();
    dialogs.QueueSaveFile(std::nullopt);
    settings.Button2Click();
    EXPECT_FALSE(QFile::exists(missing));
    ASSERT_TRUE(QDir().mkpath(Scheme("taken.ini"))); // cannot be written
    dialogs.QueueSaveFile(Scheme("taken.ini"));
    settings.Button2Click();

    std::vector<QString> messages;
    for (const auto& r : dialogs.Requests())
        if (r.kind == ScriptedDialogService::Kind::Message) messages.push_back(r.text);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_TRUE(messages[0].startsWith("No Velmora colours in "));
    EXPECT_TRUE(messages[1].startsWith("Can't read "));
    EXPECT_EQ(messages[2], "Can't write " + Scheme("taken.ini"));
}

} // namespace
