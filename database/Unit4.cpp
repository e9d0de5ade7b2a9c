#include "database/Unit4.h"

#include "platform/CodePage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TCorrectMove* CorrectMove = nullptr;

TCorrectMove::TCorrectMove(QWidget* parent) : TModalForm(parent)
{
    setObjectName(QStringLiteral("CorrectMove"));
    setWindowTitle(QStringLiteral("Move read error"));

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label1 = new QLabel(QStringLiteral("Advance chars:"), this);
    Achar = new QSpinBox(this);
    Achar->setObjectName(QStringLiteral("Achar"));
    Achar->setRange(0, 9999);
    Label1->setBuddy(Achar);
    Button1 = new QPushButton(QStringLiteral("Correct"), this);
    Button2 = new QPushButton(QStringLiteral("Skip"), this);
    Button3 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1->setDefault(true);
    SetModalResult(Button1, CorrectMoveCorrect);
    SetModalResult(Button2, CorrectMoveSkip);
    SetModalResult(Button3, CorrectMoveCancel);

    auto* advance = new QHBoxLayout;
    advance->addWidget(Label1);
    advance->addWidget(Achar);
    advance->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addLayout(advance);
    layout->addLayout(buttons);

    connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });
}

void TCorrectMove::Edit1Change()
{
    Achar->setValue(static_cast<int>(Edit1->text().size()));
}

void CorrectMoveDialogHandler::RefreshBeforeAsking()
{
    if (OnRefresh) OnRefresh();
}

CorrectMoveAnswer CorrectMoveDialogHandler::AskCorrection(const std::string& token, int maxAdvance)
{
    CorrectMoveAnswer answer;
    if (!CorrectMove) return answer; // no dialog: stop as Cancel does
    CorrectMove->Achar->setMaximum(std::max(maxAdvance, 0));
    // Set the text even when it is unchanged, so that Achar follows it.
    const QString text = DecodeCp1252(token);
    CorrectMove->Edit1->setText(text);
    CorrectMove->Edit1Change();
    CorrectMove->Edit1->selectAll();
    CorrectMove->Edit1->setFocus();
    switch (CorrectMove->ShowModal()) {
    case CorrectMoveCorrect:
        answer.Choice = CorrectMoveChoice::Correct;
        answer.Text = EncodeCp1252(CorrectMove->Edit1->text());
        answer.Advance = CorrectMove->Achar->value();
        break;
    case CorrectMoveSkip:
        answer.Choice = CorrectMoveChoice::Skip;
        break;
    default:
        answer.Choice = CorrectMoveChoice::Cancel;
        break;
    }
    return answer;
}
