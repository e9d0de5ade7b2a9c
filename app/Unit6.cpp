#include "app/Unit6.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>

TSearchPanel* SearchPanel = nullptr;

namespace {

QSpinBox* Spin(const char* name, int minimum, int maximum, int step, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    return spin;
}

QCheckBox* Check(const char* name, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* Button(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QPlainTextEdit* NameList(const char* name, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

// One group of a list, its two buttons, a range label, two spin edits and a check box.
struct ListGroup {
    QGroupBox* Box;
    QGridLayout* Grid;
};

ListGroup MakeListGroup(const char* title, QPlainTextEdit* memo, QPushButton* clear,
                        QPushButton* remove, const char* rangeLabel, QSpinBox* low, QSpinBox* high,
                        QCheckBox* check, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    memo->setParent(box);
    clear->setParent(box);
    remove->setParent(box);
    low->setParent(box);
    high->setParent(box);
    check->setParent(box);
    auto* grid = new QGridLayout(box);
    grid->addWidget(memo, 0, 0, 1, 2);
    grid->addWidget(clear, 1, 0);
    grid->addWidget(remove, 1, 1);
    grid->addWidget(new QLabel(rangeLabel, box), 2, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(low, 3, 0);
    grid->addWidget(high, 3, 1);
    grid->addWidget(check, 4, 0, 1, 2);
    return {box, grid};
}

} // namespace

void ClearNames(QPlainTextEdit* memo)
{
    memo->clear();
    memo->setFocus();
}

void DeleteCaretLine(QPlainTextEdit* memo)
{
    memo->setFocus();
    if (memo->document()->isEmpty()) return;
    QStringList lines = memo->toPlainText().split('\n');
    const int line = memo->textCursor().blockNumber();
    if (line < 0 || line >= lines.size()) return;
    lines.removeAt(line);
    memo->setPlainText(lines.join('\n'));
    const QTextBlock block =
        memo->document()->findBlockByNumber(std::min(line, memo->document()->blockCount() - 1));
    QTextCursor caret(block);
    memo->setTextCursor(caret);
}

TSearchPanel::TSearchPanel(QWidget* parent) : TModalForm(parent)
{
    setObjectName("SearchPanel");
    setWindowTitle(" Search filter");
    HelpContext = 12;

    WhiteList = NameList("WhiteList", this);
    Button1 = Button("Button1", "Clear", this);
    Button2 = Button("Button2", "Delete name", this);
    EloWmin = Spin("EloWmin", 100, 3400, 50, this);
    EloWmax = Spin("EloWmax", 100, 3400, 50, this);
    WanyElo = Check("WanyElo", "unrated", this);
    const ListGroup white = MakeListGroup("White", WhiteList, Button1, Button2,
                                          "min     ELO    max", EloWmin, EloWmax, WanyElo, this);

    BlackList = NameList("BlackList", this);
    Button3 = Button("Button3", "Clear", this);
    Button4 = Button("Button4", "Delete name", this);
    EloBmin = Spin("EloBmin", 100, 3400, 50, this);
    EloBmax = Spin("EloBmax", 100, 3400, 50, this);
    BanyElo = Check("BanyElo", "unrated", this);
    const ListGroup black = MakeListGroup("Black", BlackList, Button3, Button4,
                                          "min     ELO    max", EloBmin, EloBmax, BanyElo, this);

    Memo1 = NameList("Memo1", this);
    Button7 = Button("Button7", "Clear", this);
    Button8 = Button("Button8", "Delete name", this);
    YearMin = Spin("YearMin", 1100, 2100, 1, this);
    YearMax = Spin("YearMax", 1100, 2100, 1, this);
    NoYear = Check("NoYear", "no year", this);
    const ListGroup event = MakeListGroup("Event && site", Memo1, Button7, Button8,
                                          "min   YEARS  max", YearMin, YearMax, NoYear, this);

    auto* result = new QGroupBox("Result", this);
    R10 = Check("R10", "1-0", result);
    R12 = Check("R12", "1/2", result);
    R01 = Check("R01", "0-1", result);
    Rline = Check("Rline", "line", result);
    auto* results = new QVBoxLayout(result);
    for (QCheckBox* box : {R10, R12, R01, Rline})
        results->addWidget(box);

    auto* length = new QGroupBox("Game length", this);
    MovesMin = Spin("MovesMin", 1, 500, 1, length);
    MovesMax = Spin("MovesMax", 1, 500, 1, length);
    auto* lengths = new QGridLayout(length);
    lengths->addWidget(new QLabel("min", length), 0, 0);
    lengths->addWidget(MovesMin, 0, 1);
    lengths->addWidget(new QLabel("max", length), 1, 0);
    lengths->addWidget(MovesMax, 1, 1);

    Button9 = Button("Button9", "Default", this);
    Button9->setToolTip("set to default search parameters");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("? ... any character;  * ... any characters", this), 0, 0, 1, 4);
    grid->addWidget(white.Box, 1, 0, 2, 1);
    grid->addWidget(black.Box, 1, 1, 2, 1);
    grid->addWidget(event.Box, 1, 2, 2, 1);
    grid->addWidget(result, 1, 3);
    grid->addWidget(length, 2, 3);
    grid->addWidget(Button9, 3, 3);
    // A tool window: title and close button only, its size fixed by its contents.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    connect(Button9, &QPushButton::clicked, this, [this] { Button9Click(); });
    Button9Click();
}

void TSearchPanel::Button1Click()
{
    ClearNames(WhiteList);
}

void TSearchPanel::Button2Click()
{
    DeleteCaretLine(WhiteList);
}

void TSearchPanel::Button3Click()
{
    ClearNames(BlackList);
}

void TSearchPanel::Button4Click()
{
    DeleteCaretLine(BlackList);
}

void TSearchPanel::Button7Click()
{
    ClearNames(Memo1);
}

void TSearchPanel::Button8Click()
{
    DeleteCaretLine(Memo1);
}

void TSearchPanel::Button9Click()
{
    for (QCheckBox* box : {R10, R12, R01, Rline})
        box->setChecked(true);
    MovesMin->setValue(1);
    MovesMax->setValue(400);
    NoYear->setChecked(true);
    YearMin->setValue(1500);
    YearMax->setValue(2100);
    WanyElo->setChecked(true);
    BanyElo->setChecked(true);
    EloWmin->setValue(1000);
    EloWmax->setValue(3000);
    EloBmin->setValue(1000);
    EloBmax->setValue(3000);
}
