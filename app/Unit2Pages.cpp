// The four pages of the options dialog and its buttons: one builder each.
#include "app/Unit2.h"

#include "platform/Panel.h"
#include "platform/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename W>
W* Named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent)
{
    return Named(new QPushButton(caption, parent), name);
}

QCheckBox* CheckBox(const QString& caption, const char* name, QWidget* parent)
{
    return Named(new QCheckBox(caption, parent), name);
}

QComboBox* Combo(const QStringList& items, const char* name, QWidget* parent)
{
    auto* combo = Named(new QComboBox(parent), name);
    combo->addItems(items);
    return combo;
}

// A spin edit: its arrows step the value, or a value is typed.
QSpinBox* SpinEdit(int low, int high, int value, const char* name, QWidget* parent)
{
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(low, high);
    spin->setValue(value);
    return spin;
}

QStringList LoadingToMoveItems()
{
    QStringList items{"Prev. line", "Last move"};
    for (int move = 1; move <= 20; ++move) {
        items << QString("%1 White").arg(move);
        items << QString("%1 Black").arg(move);
    }
    return items;
}

struct SwatchRow {
    const char* Frame;
    const char* Upper;
    const char* Lower;
    std::uint32_t Light;
    std::uint32_t Dark;
};

constexpr std::array<SwatchRow, TSettings::SwatchCount> Swatches{{
    {"Panel9", "Panel10", "Panel11", 0x064053, 0x064053},
    {"Panel12", "Panel19", "Panel20", 0x010E53, 0x950000},
    {"Panel21", "Panel22", "Panel23", 0x4F5702, 0x2E3285},
    {"Panel24", "Panel25", "Panel26", 0x000000, 0x000000},
}};

// One row of the palette: a piece's cells and the buttons that edit them.
struct PaletteRow {
    const char* LightCell;
    const char* DarkCell;
    char LightGlyph;
    char DarkGlyph;
    const char* LightContour;
    const char* LightInner;
    const char* DarkContour;
    const char* DarkInner;
};

constexpr std::array<PaletteRow, PalettePieces> PaletteRows{{
    {"Label3", "Label13", 'k', 'l', "BitBtn1", "BitBtn2", "BitBtn22", "BitBtn21"},
    {"Label5", "Label14", 'q', 'w', "BitBtn6", "BitBtn5", "BitBtn24", "BitBtn23"},
    {"Label4", "Label15", 'r', 't', "BitBtn4", "BitBtn3", "BitBtn26", "BitBtn25"},
    {"Label6", "Label16", 'b', 'v', "BitBtn8", "BitBtn7", "BitBtn28", "BitBtn27"},
    {"Label7", "Label17", 'n', 'm', "BitBtn10", "BitBtn9", "BitBtn30", "BitBtn29"},
    {"Label10", "Label11", 'p', 'o', "BitBtn12", "BitBtn11", "BitBtn14", "BitBtn13"},
}};

QFont PaletteGlyphFont()
{
    QFont font(QStringLiteral("Kavdiag"));
    font.setPixelSize(40);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace

TSettings::SwatchPair TSettings::SwatchColors(int frame)
{
    const SwatchRow& row = Swatches.at(static_cast<std::size_t>(frame));
    return {row.Light, row.Dark};
}

void TSettings::BuildMoveListPage()
{
    QWidget* page = MoveList;
    NotaGroup = Named(new TRadioGroup("Notation", {"Short", "Long"}, page), "NotaGroup");
    FigurGroup = Named(new TRadioGroup("Piece", {"Letter", "Figurine"}, page), "FigurGroup");
    FontGroup = Named(new TRadioGroup("Font", {"VelmoraChess Swiss", "VelmoraChess Times"}, page),
                      "FontGroup");
    SizeGroup =
        Named(new TRadioGroup("Font size", {"Small", "Normal", "Large"}, page), "SizeGroup");
    MvNumGroup =
        Named(new TRadioGroup("Move number rendering",
                              {"dot  [1.d4]", "space  [1 d4]", "dot+space  [1. d4]"}, page),
              "MvNumGroup");
    NotaGroup->SetItemIndex(0);
    FigurGroup->SetItemIndex(1);
    FontGroup->SetItemIndex(0);
    SizeGroup->SetItemIndex(1);
    MvNumGroup->SetItemIndex(0);

    DefaultMove = Combo(LoadingToMoveItems(), "DefaultMove", page);
    DefaultMove->setCurrentIndex(2);
    DefaultMove->setMaxVisibleItems(14);
    NoteCombo =
        Combo({"PNBRQK (ENG)", "GHFBVK (HUN)", "BSLTDK (GER)", "PCFTDR (FRA)", "PCATDR (ESP/ITA)"},
              "NoteCombo", page);
    NoteCombo->setCurrentIndex(0);
    DepthEdit = SpinEdit(2, 7, 3, "DepthEdit", page);

    auto* diagrams = new QGroupBox("Diagram (rich text)", page);
    CoordsDg = CheckBox("coordinates", "CoordsDg", diagrams);
    StartBox = CheckBox("at startpositions", "StartBox", diagrams);
    RevDiag = CheckBox("black view", "RevDiag", diagrams);
    NoDiags = CheckBox("no diagrams", "NoDiags", diagrams);
    auto* diagramGrid = new QGridLayout(diagrams);
    diagramGrid->addWidget(CoordsDg, 0, 0);
    diagramGrid->addWidget(StartBox, 0, 1);
    diagramGrid->addWidget(RevDiag, 1, 0);
    diagramGrid->addWidget(NoDiags, 1, 1);

    auto* combos = new QGridLayout;
    combos->addWidget(new QLabel("Loading to move", page), 0, 0);
    combos->addWidget(DefaultMove, 0, 1);
    combos->addWidget(new QLabel("Piece letters", page), 1, 0);
    combos->addWidget(NoteCombo, 1, 1);
    combos->addWidget(new QLabel("Expanding depth", page), 2, 0);
    combos->addWidget(DepthEdit, 2, 1, Qt::AlignLeft);
    combos->setColumnStretch(1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(NotaGroup);
    left->addWidget(FigurGroup);
    left->addWidget(SizeGroup);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(FontGroup);
    right->addWidget(MvNumGroup);
    right->addStretch();
    auto* groups = new QHBoxLayout;
    groups->addLayout(left);
    groups->addLayout(right);

    auto* column = new QVBoxLayout(page);
    column->addLayout(groups);
    column->addLayout(combos);
    column->addWidget(diagrams);
    column->addStretch();
}

void TSettings::BuildBoardPage()
{
    QWidget* page = BoardControl;
    LiSq = Button("Light squares", "LiSq", page);
    DaSq = Button("Dark squares", "DaSq", page);
    connect(LiSq, &QPushButton::clicked, this, [this] { LiSqClick(); });
    connect(DaSq, &QPushButton::clicked, this, [this] { DaSqClick(); });

    auto* pieces = Named(new QGroupBox("Pieces", page), "GroupBox1");
    LiPi = Button("Light pieces", "LiPi", pieces);
    DaPi = Button("Dark pieces", "DaPi", pieces);
    connect(LiPi, &QPushButton::clicked, this, [this] { LiPiClick(); });
    connect(DaPi, &QPushButton::clicked, this, [this] { DaPiClick(); });
    LtSetCombo = Combo({"light set", "dark set"}, "LtSetCombo", pieces);
    DkSetCombo = Combo({"light set", "dark set"}, "DkSetCombo", pieces);
    LtSetCombo->setCurrentIndex(0);
    DkSetCombo->setCurrentIndex(1);

    auto* swatchRow = new QHBoxLayout;
    swatchRow->setSpacing(4);
    for (int i = 0; i < SwatchCount; ++i) {
        const SwatchRow& row = Swatches[static_cast<std::size_t>(i)];
        auto* frame = Named(new TPanel(pieces), row.Frame);
        frame->SetBevelWidth(2);
        frame->setFixedSize(28, 46);
        frame->OnClick = [this, i](QObject*) { SwatchClick(i); };
        const std::array<std::pair<const char*, std::uint32_t>, 2> halves{
            {{row.Upper, row.Light}, {row.Lower, row.Dark}}};
        for (std::size_t h = 0; h < halves.size(); ++h) {
            auto* half = Named(new TPanel(frame), halves[h].first);
            half->SetBevelOuter(TBevelCut::bvLowered);
            half->SetColor(halves[h].second);
            half->setGeometry(5, 5 + static_cast<int>(h) * 18, 18, 17);
            half->OnClick = [this, i](QObject*) { SwatchClick(i); };
        }
        SwatchFrames[static_cast<std::size_t>(i)] = frame;
        swatchRow->addWidget(frame);
    }
    auto* pieceGrid = new QGridLayout(pieces);
    pieceGrid->addWidget(LiPi, 0, 0);
    pieceGrid->addWidget(LtSetCombo, 0, 1);
    pieceGrid->addWidget(DaPi, 1, 0);
    pieceGrid->addWidget(DkSetCombo, 1, 1);
    pieceGrid->addLayout(swatchRow, 0, 2, 2, 1);

    SlideCombo = Combo({"off", "fast", "fair", "slow"}, "SlideCombo", page);
    SlideCombo->setCurrentIndex(2);
    CoordsBox = CheckBox("coordinates", "CoordsBox", page);
    ShadowBox = CheckBox("shadow", "ShadowBox", page);
    GradientBox = CheckBox("gradient", "GradientBox", page);
    SoundBox = CheckBox("board sound", "SoundBox", page);
    HintBox = CheckBox("move hint", "HintBox", page);
    HintBox->setChecked(true);
    Button1 = Button("Default", "Button1", page);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* squares = new QHBoxLayout;
    squares->addWidget(LiSq);
    squares->addWidget(DaSq);
    squares->addStretch();
    auto* sliding = new QHBoxLayout;
    sliding->addWidget(new QLabel("Sliding pieces", page));
    sliding->addWidget(SlideCombo);
    sliding->addStretch();
    auto* boxes = new QGridLayout;
    boxes->addWidget(CoordsBox, 0, 0);
    boxes->addWidget(ShadowBox, 0, 1);
    boxes->addWidget(GradientBox, 1, 0);
    boxes->addWidget(SoundBox, 1, 1);
    boxes->addWidget(HintBox, 2, 0);
    boxes->addWidget(Button1, 2, 1, Qt::AlignRight);

    auto* column = new QVBoxLayout(page);
    column->addLayout(squares);
    column->addWidget(pieces);
    column->addLayout(sliding);
    column->addLayout(boxes);
    column->addStretch();
}

void TSettings::BuildVelmoraPage()
{
    QWidget* page = VelmoraControl;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel("Light", page), 0, 0, 1, 3, Qt::AlignCenter);
    grid->addWidget(new QLabel("Dark", page), 0, 3, 1, 3, Qt::AlignCenter);
    const QFont glyphFont = PaletteGlyphFont();
    for (int piece = 0; piece < PalettePieces; ++piece) {
        const PaletteRow& row = PaletteRows[static_cast<std::size_t>(piece)];
        const int r = piece + 1;
        const std::array<std::pair<const char*, char>, PaletteSides> cells{
            {{row.LightCell, row.LightGlyph}, {row.DarkCell, row.DarkGlyph}}};
        for (int side = 0; side < PaletteSides; ++side) {
            auto* cell =
                Named(new QLabel(QString(QChar(cells[side].second)), page), cells[side].first);
            cell->setFont(glyphFont);
            cell->setAlignment(Qt::AlignCenter);
            cell->setAutoFillBackground(true);
            cell->setFixedSize(46, 46);
            PaletteCells[side][piece] = cell;
            grid->addWidget(cell, r, 2 + side);
        }
        // Light column: Contour, Inner left of its cell; dark column right of its cell.
        const std::array<std::tuple<const char*, bool, int, int>, 4> buttons{{
            {row.LightContour, false, 0, 0},
            {row.LightInner, true, 0, 1},
            {row.DarkContour, false, 1, 4},
            {row.DarkInner, true, 1, 5},
        }};
        for (const auto& [name, inner, tag, column] : buttons) {
            auto* b = Button(inner ? "Inner" : "Contour", name, page);
            b->setProperty("Tag", tag);
            connect(b, &QPushButton::clicked, this,
                    [this, piece, inner, tag] { PaletteButtonClick(piece, inner, tag); });
            grid->addWidget(b, r, column);
        }
    }

    LTrack = Named(new QSlider(Qt::Horizontal, page), "LTrack");
    LTrack->setRange(0, 90);
    LTrack->setValue(61);
    auto* contrast = new QHBoxLayout;
    contrast->addWidget(new QLabel("Light contrast", page));
    contrast->addWidget(LTrack, 1);

    Button2 = Button("Save...", "Button2", page);
    Button3 = Button("Load...", "Button3", page);
    Button5 = Button("Default", "Button5", page);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(Button2);
    schemeRow->addWidget(Button3);
    schemeRow->addStretch();
    schemeRow->addWidget(Button5);

    auto* column = new QVBoxLayout(page);
    column->addLayout(grid);
    column->addLayout(contrast);
    column->addLayout(schemeRow);
    column->addStretch();
}

void TSettings::BuildPrintPage()
{
    QWidget* page = TabSheet1;
    TopMarg = SpinEdit(0, 99, 18, "TopMarg", page);
    LeftMarg = SpinEdit(0, 99, 19, "LeftMarg", page);
    RightMarg = SpinEdit(0, 99, 19, "RightMarg", page);
    BottomMarg = SpinEdit(0, 99, 18, "BottomMarg", page);
    for (QSpinBox* spin : {TopMarg, LeftMarg, RightMarg, BottomMarg})
        spin->setSuffix(" mm");

    // A sheet of paper between the four margins.
    auto* sheet = new QFrame(page);
    sheet->setFrameShape(QFrame::Box);
    sheet->setFixedSize(90, 124);
    sheet->setAutoFillBackground(true);
    QPalette paper = sheet->palette();
    paper.setColor(QPalette::Window, Qt::white);
    sheet->setPalette(paper);

    auto margin = [page](const QString& caption, QSpinBox* spin) {
        auto* box = new QVBoxLayout;
        box->setSpacing(1);
        box->addStretch();
        box->addWidget(new QLabel(caption, page), 0, Qt::AlignHCenter);
        box->addWidget(spin, 0, Qt::AlignHCenter);
        box->addStretch();
        return box;
    };
    auto* margins = new QGridLayout;
    margins->addLayout(margin("Top", TopMarg), 0, 1);
    margins->addLayout(margin("Left", LeftMarg), 1, 0);
    margins->addWidget(sheet, 1, 1, Qt::AlignCenter);
    margins->addLayout(margin("Right", RightMarg), 1, 2);
    margins->addLayout(margin("Bottom", BottomMarg), 2, 1);

    Button4 = Button("Printer setup...", "Button4", page);
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });

    auto* column = new QVBoxLayout(page);
    column->addWidget(new QLabel("Margins of the printed page", page));
    column->addLayout(margins);
    column->addWidget(Button4, 0, Qt::AlignHCenter);
    column->addStretch();
}

void TSettings::BuildButtons()
{
    OKButton = Button("OK", "OKButton", this);
    CancelButton = Button("Cancel", "CancelButton", this);
    ApplyButton = Button("Apply", "ApplyButton", this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(ApplyButton, &QPushButton::clicked, this, [this] { ApplyButtonClick(); });
}
