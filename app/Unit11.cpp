#include "app/Unit11.h"

#include <QAbstractSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TAutoplayForm* AutoplayForm = nullptr;

TAutoplayForm::TAutoplayForm(QWidget* parent) : TModalForm(parent)
{
    setObjectName("AutoplayForm");
    setWindowTitle(" Autoplay");
    HelpContext = 15;
    auto* label = new QLabel("Autoplay delay (ms)", this);
    TimerEdit = new QSpinBox(this);
    TimerEdit->setObjectName("TimerEdit");
    TimerEdit->setRange(200, 90000);
    TimerEdit->setSingleStep(200);
    TimerEdit->setValue(1400);
    // Only the spin buttons change the value.
    if (auto* text = TimerEdit->findChild<QLineEdit*>()) text->setReadOnly(true);
    auto* start = new QPushButton("Start", this);
    start->setDefault(true);
    SetModalResult(start, mrOk);

    auto* row = new QHBoxLayout;
    row->addWidget(TimerEdit);
    row->addWidget(start);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
}
