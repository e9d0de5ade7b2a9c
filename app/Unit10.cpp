#include "app/Unit10.h"

#include "database/GameLoader.h"
#include "database/NagGlyphs.h"
#include "platform/CodePage.h"

#include <QPushButton>
#include <QToolButton>

#include <cstdint>

TEvalForm* EvalForm = nullptr;

namespace {

struct SymbolButton {
    int Row;
    EvalFamily Family;
    std::uint8_t Tag;
    const char* Hint;
    const char* Mark; // a plain caption in the text face; nullptr: the symbol's glyph
};

using F = EvalFamily;

// clang-format off
constexpr SymbolButton SymbolButtons[] = {
    {0, F::Assessment, 1, "Very good move", "!"},
    {0, F::Assessment, 2, "Mistake", "?"},
    {0, F::Assessment, 3, "Excellent move", "!!"},
    {0, F::Assessment, 4, "Blunder", "??"},
    {0, F::Assessment, 5, "Interesting move", "!?"},
    {0, F::Assessment, 6, "Dubious move", "?!"},
    {0, F::Assessment, 8, "Only move", nullptr},
    {0, F::Zugzwang, 23, "Zugzwang", nullptr},
    {0, F::Prefix, 142, "Better is... (prefix)", nullptr},
    {0, F::Prefix, 140, "With the idea... (prefix)", nullptr},
    {1, F::Class, 10, "Equal position", "="},
    {1, F::Class, 14, "White stands slightly better", "+="},
    {1, F::Class, 15, "Black stands slightly better", "=+"},
    {1, F::Class, 16, "White has the upper hand", nullptr},
    {1, F::Class, 17, "Black has the upper hand", nullptr},
    {1, F::Class, 18, "White has a decisive advantage", "+-"},
    {1, F::Class, 19, "Black has a decisive advantage", "-+"},
    {1, F::Class, 13, "Unclear", nullptr},
    {1, F::Class, 45, "With compensation (for the material)", nullptr},
    {2, F::OtherBySide, 135, "With counterplay", nullptr},
    {2, F::OtherBySide, 39, "with Initiative", nullptr},
    {2, F::OtherBySide, 33, "Development advantage", nullptr},
    {2, F::OtherBySide, 139, "Time trouble", nullptr},
    {2, F::Other, 26, "Greater board room for white", nullptr},
    {2, F::Other, 27, "Greater board room for black", nullptr},
    {2, F::Other, 146, "Novelty", nullptr},
    {2, F::Other, 209, "Active", nullptr},
    {2, F::Other, 210, "Flexible", nullptr},
    {2, F::Other, 211, "Logical", nullptr},
    {2, F::Other, 212, "Natural", nullptr},
    {3, F::Other, 213, "Renewed", nullptr},
    {3, F::Other, 214, "Novelty?", nullptr},
    {3, F::Other, 215, "Original", nullptr},
    {3, F::Other, 216, "Passive", nullptr},
    {3, F::Other, 217, "Typical", nullptr},
    {3, F::Other, 218, "Black is OK!", nullptr},
    {3, F::Other, 219, "Threatening with intention of", nullptr},
    {3, F::Other, 220, "with attacking the King", nullptr},
    {3, F::Other, 221, "Mutual time trouble", nullptr},
};
// clang-format on

constexpr int SymbolRows = 4;
constexpr int Margin = 5;
constexpr int RowWidth = 253;
constexpr int RowStep = 23;
constexpr int ButtonHeight = 22;

QFont GlyphFont()
{
    QFont font(QStringLiteral("VelmoraChess Swiss"));
    font.setPixelSize(15);
    // A glyph the face lacks shows as missing rather than as another font's.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QFont MarkFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

} // namespace

TEvalForm::TEvalForm(QWidget* parent) : TModalForm(parent)
{
    setObjectName("EvalForm");
    setWindowTitle(" Evaluation symbols");
    HelpContext = 16;
    setFixedSize(263, 135);

    int count[SymbolRows] = {};
    for (const SymbolButton& b : SymbolButtons)
        ++count[b.Row];
    int placed[SymbolRows] = {};
    for (const SymbolButton& b : SymbolButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("Nag%1").arg(b.Tag));
        button->setProperty("Tag", b.Tag);
        button->setToolTip(QString::fromLatin1(b.Hint));
        button->setFont(b.Mark ? MarkFont() : GlyphFont());
        button->setText(b.Mark ? QString::fromLatin1(b.Mark)
                               : DecodeNotationText(NagGlyphText(b.Tag)));
        const int width = (RowWidth - (count[b.Row] - 1)) / count[b.Row];
        button->setGeometry(Margin + placed[b.Row]++ * (width + 1), Margin + b.Row * RowStep, width,
                            ButtonHeight);
        connect(button, &QToolButton::clicked, this,
                [this, family = b.Family, tag = b.Tag] { SymbolButtonClick(family, tag); });
    }

    auto* undo = new QPushButton(QStringLiteral("Undo"), this);
    undo->setObjectName("UndoButton");
    undo->setToolTip(QStringLiteral("Reloads the original evaluation"));
    undo->setGeometry(Margin, 104, 70, 25);
    connect(undo, &QPushButton::clicked, this, [this] { UndoButtonClick(); });

    auto* clear = new QPushButton(QStringLiteral("Clear all symbols"), this);
    clear->setObjectName("ClButton");
    clear->setToolTip(QStringLiteral("Clear all symbols"));
    clear->setGeometry(80, 104, 108, 25);
    connect(clear, &QPushButton::clicked, this, [this] { ClButtonClick(); });

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName("CloseButton");
    close->setGeometry(193, 104, 65, 25);
    close->setDefault(true);
    SetModalResult(close, mrOk);
}

void TEvalForm::showEvent(QShowEvent* event)
{
    TModalForm::showEvent(event);
    FormShow();
}

void TEvalForm::FormShow()
{
    ShowEvalSymbols();
}

void TEvalForm::ApplyEvalSymbols()
{
    if (!WriteEvalSymbols()) return;
    GameModified = 1;
    if (OnApplied) OnApplied();
}

void TEvalForm::SymbolButtonClick(EvalFamily family, int tag)
{
    PressEvalButton(family, tag);
    ApplyEvalSymbols();
}

void TEvalForm::UndoButtonClick()
{
    SymbolButtonClick(EvalFamily::Undo, 0);
}

void TEvalForm::ClButtonClick()
{
    SymbolButtonClick(EvalFamily::ClearAll, 0);
}
