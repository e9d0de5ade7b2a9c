#include "app/Unit2.h"

#include "app/BoardView.h"
#include "app/SettingsFile.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "platform/Fonts.h"
#include "platform/IniFile.h"
#include "platform/Panel.h"
#include "platform/Printer.h"
#include "platform/RadioGroup.h"
#include "platform/SaveFile.h"
#include "platform/StringGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>

TSettings* Settings = nullptr;

namespace {

// Help contexts of the pages, in their order.
constexpr std::array<int, 4> PageHelpContexts{18, 19, 20, 21};

// A temporary file of a settings write this old was left by a run that was
// killed; a younger one may be another running copy's write.
constexpr std::chrono::seconds StaleSaveFileAge{60};

// The figurine fonts that the "Font" group can offer after its two text
// fonts; the item index is the RTF font number, so a choice is offered only
// with the ones before it.
struct FigurineFont {
    const char* Caption;
    const char* Face; // the family the notation document names
};
constexpr std::array<FigurineFont, 3> FigurineFonts{{
    {"CB Figurine Aries", "FigurineCB AriesSP"},
    {"CB Figurine Times", "FigurineCB TimeSP"},
    {"CB Figurine Letter", "FigurineCB LetterSP"},
}};

int DefaultOf(const Setting& s)
{
    return std::atoi(s.Default);
}

// A control without a choice stands for a default.
int IndexOr(int index, int def)
{
    return index >= 0 ? index : def;
}

int IndexOr(int index, const Setting& s)
{
    return IndexOr(index, DefaultOf(s));
}

FileDialogOptions SchemeFileDialog(const QString& title)
{
    FileDialogOptions options;
    options.Title = title;
    options.Filter = QStringLiteral("Velmora settings|*.ini");
    options.DefaultExt = QStringLiteral("ini");
    return options;
}

void SayError(const QString& text)
{
    Dialogs().MessageDlg(text, TMsgDlgType::mtError, mbOKOnly, 0);
}

QIcon ColorIcon(std::uint32_t color)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(ToQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

} // namespace

TSettings::TSettings(QWidget* parent, SettingsHooks hooks)
    : TModalForm(parent), Hooks(std::move(hooks))
{
    setObjectName("Settings");
    setWindowTitle(" Options");
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);

    SettingControl = new QTabWidget(this);
    SettingControl->setObjectName("SettingControl");
    const std::array<std::pair<QWidget**, const char*>, 4> pages{{
        {&MoveList, "Movelist"},
        {&BoardControl, "Board"},
        {&VelmoraControl, "Velmora"},
        {&TabSheet1, "Print"},
    }};
    const std::array<const char*, 4> pageNames{"MoveList", "BoardControl", "VelmoraControl",
                                               "TabSheet1"};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        *pages[i].first = new QWidget(SettingControl);
        (*pages[i].first)->setObjectName(pageNames[i]);
        SettingControl->addTab(*pages[i].first, pages[i].second);
    }
    BuildMoveListPage();
    BuildBoardPage();
    BuildVelmoraPage();
    BuildPrintPage();
    BuildButtons();
    HelpContext = PageHelpContexts[0];
    connect(SettingControl, &QTabWidget::currentChanged, this, [this](int page) {
        if (page >= 0 && page < static_cast<int>(PageHelpContexts.size()))
            HelpContext = PageHelpContexts[static_cast<std::size_t>(page)];
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(ApplyButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(SettingControl);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Offered before the stored choice is read, so that it is kept.
    AddFigurineFonts();
    appliedOptions_ = ControlOptions();
    appliedChoices_ = ControlChoices();
    RemoveStaleSaveFiles(SettingsFileName(), StaleSaveFileAge);
    try {
        ShowOptions(ReadOptionSections(TMemIniFile(SettingsFileName())));
        if (Hooks.OnPieceSize) Hooks.OnPieceSize(PieceSizePercent);
        ApplyButtonClick();
    } catch (const std::exception&) {
        // The options keep what was read and applied up to here.
    }
}

void TSettings::AddFigurineFonts()
{
    for (const FigurineFont& f : FigurineFonts) {
        if (!FontFamilyInstalled(QLatin1String(f.Face))) break;
        FontGroup->AddItem(QLatin1String(f.Caption));
    }
}

// ---- Reading and writing the controls --------------------------------------------

void TSettings::ShowOptions(const StoredOptions& o)
{
    PieceLabels = o.Palette;
    ShowPalette();
    SquareSize = o.Size;
    PieceSizePercent = o.PieceSize;
    OptDarkSquare = o.DarkSquare;
    OptLightSquare = o.LightSquare;
    OptDarkPiece = o.DarkPiece;
    OptLightPiece = o.LightPiece;
    ShowColorButtons();
    LTrack->setValue(o.LightContrast);
    SlideCombo->setCurrentIndex(o.Sliding);
    NoteCombo->setCurrentIndex(o.PieceLetters);
    DefaultMove->setCurrentIndex(o.DefaultMove);
    SizeGroup->SetItemIndex(o.FontSize);
    FontGroup->SetItemIndex(o.FontType);
    FigurGroup->SetItemIndex(o.Figurin);
    StartBox->setChecked(o.StartDiag);
    CoordsBox->setChecked(o.Coords);
    GradientBox->setChecked(o.Grad);
    ShadowBox->setChecked(o.Shadow);
    SoundBox->setChecked(o.Sound);
}

StoredOptions TSettings::ControlOptions() const
{
    StoredOptions o;
    o.Palette = PieceLabels;
    o.Size = SquareSize;
    o.PieceSize = PieceSizePercent;
    o.DarkSquare = OptDarkSquare;
    o.LightSquare = OptLightSquare;
    o.DarkPiece = OptDarkPiece;
    o.LightPiece = OptLightPiece;
    o.LightContrast = LTrack->value();
    o.Sliding = IndexOr(SlideCombo->currentIndex(), OptionKeys::Sliding);
    o.Coords = CoordsBox->isChecked();
    o.Grad = GradientBox->isChecked();
    o.Shadow = ShadowBox->isChecked();
    o.Sound = SoundBox->isChecked();
    o.PieceLetters = IndexOr(NoteCombo->currentIndex(), OptionKeys::PieceLetters);
    o.DefaultMove = IndexOr(DefaultMove->currentIndex(), OptionKeys::DefaultMove);
    o.FontSize = IndexOr(SizeGroup->ItemIndex(), OptionKeys::FontSize);
    o.FontType = IndexOr(FontGroup->ItemIndex(), OptionKeys::FontType);
    o.Figurin = IndexOr(FigurGroup->ItemIndex(), OptionKeys::Figurin);
    o.StartDiag = StartBox->isChecked();
    return o;
}

TSettings::UnstoredChoices TSettings::ControlChoices() const
{
    UnstoredChoices c;
    c.Notation = NotaGroup->ItemIndex();
    c.NumberStyle = MvNumGroup->ItemIndex();
    c.Depth = DepthEdit->value();
    c.PieceSets = {LtSetCombo->currentIndex(), DkSetCombo->currentIndex()};
    c.Hint = HintBox->isChecked();
    c.NoDiagrams = NoDiags->isChecked();
    c.DiagCoords = CoordsDg->isChecked();
    c.DiagBlackView = RevDiag->isChecked();
    c.Margins = {LeftMarg->value(), RightMarg->value(), TopMarg->value(), BottomMarg->value()};
    for (int i = 0; i < SwatchCount; ++i)
        c.Lowered[static_cast<std::size_t>(i)] = SwatchLowered(i);
    return c;
}

void TSettings::ShowChoices(const UnstoredChoices& c)
{
    NotaGroup->SetItemIndex(c.Notation);
    MvNumGroup->SetItemIndex(c.NumberStyle);
    DepthEdit->setValue(c.Depth);
    LtSetCombo->setCurrentIndex(c.PieceSets[0]);
    DkSetCombo->setCurrentIndex(c.PieceSets[1]);
    HintBox->setChecked(c.Hint);
    NoDiags->setChecked(c.NoDiagrams);
    CoordsDg->setChecked(c.DiagCoords);
    RevDiag->setChecked(c.DiagBlackView);
    LeftMarg->setValue(c.Margins[0]);
    RightMarg->setValue(c.Margins[1]);
    TopMarg->setValue(c.Margins[2]);
    BottomMarg->setValue(c.Margins[3]);
    for (int i = 0; i < SwatchCount; ++i)
        SwatchFrames[static_cast<std::size_t>(i)]->SetBevelOuter(
            c.Lowered[static_cast<std::size_t>(i)] ? TBevelCut::bvLowered : TBevelCut::bvRaised);
}

StoredOptions TSettings::OptionsInForce() const
{
    StoredOptions o = appliedOptions_;
    // Not controls of the dialog: the board view changes them.
    o.Size = SquareSize;
    o.PieceSize = PieceSizePercent;
    return o;
}

bool TSettings::SaveSettings()
{
    TMemIniFile ini(SettingsFileName());
    WriteOptionSections(ini, OptionsInForce());
    return UpdateSettingsFile(ini);
}

bool TSettings::UpdateSettingsFile(const TMemIniFile& ini)
{
    const bool written = ini.UpdateFile();
    // Said once, not at every Apply, while the file stays unwritable.
    if (!written && !saveFailed_)
        SayError((ini.ReadFailed() ? "Can't read the settings file\n"
                                   : "Can't write the settings file\n") +
                 ini.FileName());
    saveFailed_ = !written;
    return written;
}

// ---- Apply ---------------------------------------------------------------------------

void TSettings::ApplyControls()
{
    const StoredOptions o = ControlOptions();
    BoardDarkSquare = OptDarkSquare;
    BoardLightSquare = OptLightSquare;
    BoardDarkPiece = OptDarkPiece;
    BoardLightPiece = OptLightPiece;
    PieceSet = {IndexOr(LtSetCombo->currentIndex(), 0), IndexOr(DkSetCombo->currentIndex(), 1)};
    LightContrast = o.LightContrast;
    ShowCoords = o.Coords;
    UseShadow = o.Shadow;
    UseGradient = o.Grad;
    BoardSound = o.Sound;
    MoveHint = HintBox->isChecked();
    NoDiagrams = NoDiags->isChecked();
    DiagCoords = CoordsDg->isChecked();
    SlideDelayMs = SlideDelayTable[static_cast<std::size_t>(std::clamp(o.Sliding, 0, 3))];
    MoveNumberStyle = IndexOr(MvNumGroup->ItemIndex(), 0);
    MoveFontSize = o.FontSize;
    LoadToMove = o.DefaultMove - 2;
    MoveFontType = o.FontType;
    DiagBlackView = RevDiag->isChecked();
    DiagAtStart = o.StartDiag;
    LongNotation = NotaGroup->ItemIndex() > 0;
    FigurineNotation = o.Figurin != 0;
    RightMarginMm = RightMarg->value();
    LeftMarginMm = LeftMarg->value();
    TopMarginMm = TopMarg->value();
    BottomMarginMm = BottomMarg->value();
    ExpandDepth = DepthEdit->value();
    appliedOptions_ = o;
    appliedChoices_ = ControlChoices();
}

void TSettings::ApplyButtonClick()
{
    ApplyControls();
    SaveSettings();
    FitBoard();
    // The piece letters are the first six characters of the chosen item.
    const QString letters = NoteCombo->itemText(ControlOptions().PieceLetters);
    for (int i = 0; i < 6 && i < letters.size(); ++i)
        PieceLetterChars[static_cast<std::size_t>(i + 1)] = letters[i].toLatin1();
    BuildRtfColorTable();
    // Before the main window has made the notation buffer there is no prolog to write.
    if (RtfBuffer.size() > RtfBufferSlack) RtfPrologEnd = WriteRtfProlog(0);
    if (Hooks.OnApplied) Hooks.OnApplied();
}

void TSettings::FitBoard()
{
    if (!Hooks.BoardPaneSize) return;
    const QSize pane = Hooks.BoardPaneSize();
    if (pane.isEmpty()) return;
    // The board view's own rule, so that Apply and a resized pane agree and
    // the title under a board in a wide pane stays in view.
    SquareSize = FitBoardToPane(pane.width(), pane.height()).SquareSize;
}

void TSettings::OKButtonClick()
{
    ApplyButtonClick();
    done(mrOk);
}

void TSettings::CancelButtonClick()
{
    done(mrCancel);
}

void TSettings::done(int result)
{
    if (result != mrOk) {
        ShowOptions(OptionsInForce());
        ShowChoices(appliedChoices_);
    }
    TModalForm::done(result);
}

void TSettings::KeepPieceSets(int light, int dark)
{
    LtSetCombo->setCurrentIndex(light);
    DkSetCombo->setCurrentIndex(dark);
    appliedChoices_.PieceSets = {light, dark};
}

MoveGridMetrics MoveGridMetricsFor(int moveFontSize)
{
    return moveFontSize == 0 ? MoveGridMetrics{10, 15} : MoveGridMetrics{12, 17};
}

void ApplyMoveGridFont(TStringGrid& grid)
{
    const MoveGridMetrics m = MoveGridMetricsFor(MoveFontSize);
    TFont font = grid.Font();
    font.SetSize(m.FontSize);
    grid.SetFont(font);
    grid.SetDefaultRowHeight(m.RowHeight);
    grid.Canvas.Font = grid.Font();
}

// ---- The palette scheme file ---------------------------------------------------------

void TSettings::Button2Click()
{
    const std::optional<FileDialogResult> chosen =
        Dialogs().SaveFileDialog(this, SchemeFileDialog("Saving Velmora settings"));
    if (!chosen) return;
    const QString name = WithDefaultExt(chosen->FileName, "ini");
    TMemIniFile ini(name);
    WritePaletteSection(ini, PieceLabels);
    if (!ini.UpdateFile()) SayError("Can't write " + name);
}

void TSettings::Button3Click()
{
    const std::optional<FileDialogResult> chosen =
        Dialogs().OpenFileDialog(this, SchemeFileDialog("Loading Velmora settings"));
    if (!chosen) return;
    const QString name = chosen->FileName;
    const QFileInfo info(name);
    if (!info.isFile() || !info.isReadable()) {
        SayError("Can't read " + name);
        return;
    }
    const std::optional<PiecePalette> palette = ReadPaletteScheme(TMemIniFile(name));
    if (!palette) {
        SayError("No Velmora colours in " + name);
        return;
    }
    PieceLabels = *palette;
    ShowPalette();
}

// ---- Colour pickers and defaults ------------------------------------------------------

bool TSettings::PickColor(std::uint32_t& color)
{
    const std::optional<QColor> chosen = Dialogs().ColorDialog(this, ToQColor(color), true);
    if (!chosen) return false;
    color = FromQColor(*chosen) & 0xFFFFFF;
    return true;
}

void TSettings::LiSqClick()
{
    if (PickColor(OptLightSquare)) ShowColorButtons();
}

void TSettings::DaSqClick()
{
    if (PickColor(OptDarkSquare)) ShowColorButtons();
}

void TSettings::LiPiClick()
{
    if (!PickColor(OptLightPiece)) return;
    LowerSwatch(-1);
    ShowColorButtons();
}

void TSettings::DaPiClick()
{
    if (!PickColor(OptDarkPiece)) return;
    LowerSwatch(-1);
    ShowColorButtons();
}

void TSettings::PaletteButtonClick(int piece, bool inner, int tag)
{
    if (piece < 0 || piece >= PalettePieces || tag < 0 || tag >= PaletteSides) return;
    PieceColorPair& cell =
        PieceLabels[static_cast<std::size_t>(tag)][static_cast<std::size_t>(piece)];
    if (PickColor(inner ? cell.Inner : cell.Contour)) ShowPalette();
}

void TSettings::SwatchClick(int frame)
{
    const SwatchPair colors = SwatchColors(frame);
    OptLightPiece = colors.Light;
    OptDarkPiece = colors.Dark;
    LowerSwatch(frame);
    ShowColorButtons();
}

void TSettings::LowerSwatch(int frame)
{
    for (int i = 0; i < SwatchCount; ++i)
        SwatchFrames[static_cast<std::size_t>(i)]->SetBevelOuter(i == frame ? TBevelCut::bvLowered
                                                                            : TBevelCut::bvRaised);
}

bool TSettings::SwatchLowered(int frame) const
{
    return SwatchFrames.at(static_cast<std::size_t>(frame))->BevelOuter() == TBevelCut::bvLowered;
}

void TSettings::Button1Click()
{
    OptDarkSquare = 0xA4A4A4;
    OptLightSquare = 0xC0C0C0;
    OptDarkPiece = 0x090909;
    OptLightPiece = 0x090909;
    CoordsBox->setChecked(false);
    ShadowBox->setChecked(false);
    SoundBox->setChecked(false);
    GradientBox->setChecked(false);
    HintBox->setChecked(true);
    SlideCombo->setCurrentIndex(2);
    LtSetCombo->setCurrentIndex(0);
    DkSetCombo->setCurrentIndex(1);
    LowerSwatch(3);
    ShowColorButtons();
}

void TSettings::Button5Click()
{
    LTrack->setValue(61);
    PieceLabels = VelmoraDefaultColors;
    ShowPalette();
}

void TSettings::Button4Click()
{
    Printer().SetupDialog(this);
}

// ---- Views of the colours ---------------------------------------------------------------

void TSettings::ShowPalette()
{
    for (int side = 0; side < PaletteSides; ++side) {
        for (int piece = 0; piece < PalettePieces; ++piece) {
            const PieceColorPair& colors = PieceLabels[side][piece];
            QLabel* cell = PaletteCells[side][piece];
            QPalette palette = cell->palette();
            palette.setColor(QPalette::WindowText, ToQColor(colors.Contour));
            palette.setColor(QPalette::Window, ToQColor(colors.Inner));
            cell->setPalette(palette);
        }
    }
}

void TSettings::ShowColorButtons()
{
    LiSq->setIcon(ColorIcon(OptLightSquare));
    DaSq->setIcon(ColorIcon(OptDarkSquare));
    LiPi->setIcon(ColorIcon(OptLightPiece));
    DaPi->setIcon(ColorIcon(OptDarkPiece));
}
