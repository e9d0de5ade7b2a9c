// The options dialog (TSettings): four pages of options that Apply turns into
// the option values (app/OptionValues.h), saves to the settings file and
// hands to the main window.
//
// The dialog is made once at start-up: its constructor reads the option
// sections of the settings file into its controls and applies them. Closing
// it without OK (Cancel, Esc, the title bar) puts the options in force back
// into the controls, so what was not applied is never applied later nor
// saved: the settings file receives only applied options.
// The piece palette is the global PieceLabels itself: its pickers, "Load...",
// "Default" and the constructor change it at once, and the twelve palette
// cells of the "Velmora" page show it; closing without OK takes it back too.
//
// The dialog knows nothing of the main window: what Apply needs of it goes
// through SettingsHooks.
#pragma once

#include "app/OptionSections.h"
#include "platform/Dialogs.h"

#include <QSize>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class TPanel;
class TRadioGroup;
class TStringGrid;

struct SettingsHooks {
    // The board pane's size, to which Apply fits the square size; an empty
    // size (a window not laid out yet) leaves SquareSize as it is.
    std::function<QSize()> BoardPaneSize;
    // Runs at the end of every Apply, also the one of the constructor: the
    // main window takes the new options (grid font, board size and piece
    // images, notation document, move views).
    std::function<void()> OnApplied;
    // The piece size read from the settings file (80, 91, 99 or another),
    // for the check mark of the View menu.
    std::function<void(int percent)> OnPieceSize;
};

class TSettings : public TModalForm {
public:
    explicit TSettings(QWidget* parent = nullptr, SettingsHooks hooks = {});

    SettingsHooks Hooks;

    QTabWidget* SettingControl = nullptr;
    QWidget* MoveList = nullptr;       // "Movelist"
    QWidget* BoardControl = nullptr;   // "Board"
    QWidget* VelmoraControl = nullptr; // "Velmora"
    QWidget* TabSheet1 = nullptr;      // "Print"
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* ApplyButton = nullptr;

    // "Movelist"
    TRadioGroup* NotaGroup = nullptr;
    TRadioGroup* FigurGroup = nullptr;
    TRadioGroup* FontGroup = nullptr;
    TRadioGroup* MvNumGroup = nullptr;
    TRadioGroup* SizeGroup = nullptr;
    QComboBox* DefaultMove = nullptr;
    QComboBox* NoteCombo = nullptr;
    QSpinBox* DepthEdit = nullptr;
    QCheckBox* CoordsDg = nullptr;
    QCheckBox* StartBox = nullptr;
    QCheckBox* RevDiag = nullptr;
    QCheckBox* NoDiags = nullptr;

    // "Board"
    QPushButton* LiSq = nullptr;
    QPushButton* DaSq = nullptr;
    QPushButton* LiPi = nullptr;
    QPushButton* DaPi = nullptr;
    QComboBox* LtSetCombo = nullptr;
    QComboBox* DkSetCombo = nullptr;
    QComboBox* SlideCombo = nullptr;
    QCheckBox* CoordsBox = nullptr;
    QCheckBox* ShadowBox = nullptr;
    QCheckBox* GradientBox = nullptr;
    QCheckBox* SoundBox = nullptr;
    QCheckBox* HintBox = nullptr;
    QPushButton* Button1 = nullptr; // "Default"
    // The swatch frames Panel9, Panel12, Panel21, Panel24.
    static constexpr int SwatchCount = 4;
    std::array<TPanel*, SwatchCount> SwatchFrames{};
    // The piece colours of a swatch frame: upper panel light, lower dark.
    struct SwatchPair {
        std::uint32_t Light;
        std::uint32_t Dark;
    };
    static SwatchPair SwatchColors(int frame);

    // "Velmora"
    // The palette cells [side][piece] (Label3 ... Label11).
    std::array<std::array<QLabel*, PalettePieces>, PaletteSides> PaletteCells{};
    QSlider* LTrack = nullptr;
    QPushButton* Button2 = nullptr; // "Save..."
    QPushButton* Button3 = nullptr; // "Load..."
    QPushButton* Button5 = nullptr; // "Default"

    // "Print"
    QSpinBox* LeftMarg = nullptr;
    QSpinBox* RightMarg = nullptr;
    QSpinBox* TopMarg = nullptr;
    QSpinBox* BottomMarg = nullptr;
    QPushButton* Button4 = nullptr; // "Printer setup..."

    // The dialog's colour copies, which Apply gives to the board.
    std::uint32_t OptLightSquare = 0;
    std::uint32_t OptDarkSquare = 0;
    std::uint32_t OptLightPiece = 0;
    std::uint32_t OptDarkPiece = 0;

    // Controls into option values, save, board fit, letters, colour table,
    // prolog, then Hooks.OnApplied.
    void ApplyButtonClick();
    void OKButtonClick();
    void CancelButtonClick();
    // Any close but OK shows the options in force again.
    void done(int result) override;
    // Writes the option sections of the options in force; false when the
    // file could not be written (said once until a write works again).
    bool SaveSettings();
    // The glyph sets of a view scheme, shown as in force, so that the next
    // Apply or Cancel keeps them.
    void KeepPieceSets(int light, int dark);
    // Writes ini, read from the settings file, back to it: the same message
    // when it cannot, naming the cause (the file cannot be read, so it is
    // left alone; or it cannot be written).
    bool UpdateSettingsFile(const TMemIniFile& ini);

    // The palette alone, to and from a scheme file of the user's choice.
    void Button2Click();
    void Button3Click();

    // Colour pickers: each changes its colour only when the user confirms.
    void LiSqClick();
    void DaSqClick();
    void LiPiClick();
    void DaPiClick();
    // A "Contour" or "Inner" button of the palette: tag 0 the Light column,
    // 1 the Dark one; piece 0 King .. 5 Pawn.
    void PaletteButtonClick(int piece, bool inner, int tag);
    // A swatch frame or one of its colour panels: both piece colours.
    void SwatchClick(int frame);

    void Button1Click(); // "Default" of "Board"
    void Button5Click(); // "Default" of "Velmora"
    void Button4Click(); // "Printer setup..."

    // The stored options as the controls, colour copies and palette hold them.
    StoredOptions ControlOptions() const;
    // Puts stored options into the controls, colour copies and palette.
    void ShowOptions(const StoredOptions& options);
    // Whether a swatch frame is shown lowered (chosen).
    bool SwatchLowered(int frame) const;
    // Redraws the palette cells from PieceLabels.
    void ShowPalette();

private:
    // The choices that the settings file does not keep.
    struct UnstoredChoices {
        int Notation = 0;
        int NumberStyle = 0;
        int Depth = 0;
        std::array<int, 2> PieceSets{};
        bool Hint = false;
        bool NoDiagrams = false;
        bool DiagCoords = false;
        bool DiagBlackView = false;
        std::array<int, 4> Margins{}; // left, right, top, bottom
        std::array<bool, SwatchCount> Lowered{};
    };
    UnstoredChoices ControlChoices() const;
    void ShowChoices(const UnstoredChoices& choices);
    // The stored options in force, with the board sizes of now.
    StoredOptions OptionsInForce() const;

    void BuildMoveListPage();
    void BuildBoardPage();
    void BuildVelmoraPage();
    void BuildPrintPage();
    void BuildButtons();
    void AddFigurineFonts();
    void ApplyControls();
    void FitBoard();
    bool PickColor(std::uint32_t& color);
    void LowerSwatch(int frame);
    void ShowColorButtons();

    bool saveFailed_ = false;
    // What the controls held at the last Apply.
    StoredOptions appliedOptions_;
    UnstoredChoices appliedChoices_;
};

// The move-tree grid's font size (points) and row height by MoveFontSize.
struct MoveGridMetrics {
    int FontSize;
    int RowHeight;
};
MoveGridMetrics MoveGridMetricsFor(int moveFontSize);
// Gives the grid the font size and row height of MoveFontSize; its canvas
// takes the font.
void ApplyMoveGridFont(TStringGrid& grid);

// Created at start-up, right after the main window; owned by main.
extern TSettings* Settings;
