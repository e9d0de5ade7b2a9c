#include "app/Unit9.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TComments* Comments = nullptr;

TComments::TComments(QWidget* parent) : TModalForm(parent)
{
    setObjectName("Comments");
    setWindowTitle(" Comments");
    HelpContext = 16;
    resize(420, 220);
    TextComments = new QPlainTextEdit(this);
    TextComments->setObjectName("TextComments");
    TextComments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    auto* clear = new QPushButton("Clear", this);
    SetModalResult(ok, mrOk);
    SetModalResult(cancel, mrCancel);
    connect(clear, &QPushButton::clicked, this, [this] { Button3Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(clear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextComments);
    layout->addLayout(buttons);
}

QString TComments::LinesText() const
{
    QString text = TextComments->toPlainText();
    if (text.isEmpty()) return {};
    text.remove(QChar('\r'));
    if (!text.endsWith('\n')) text += '\n';
    return text.replace(QChar('\n'), QStringLiteral("\r\n"));
}

void TComments::SetLinesText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    // The line end after the last line is no line of its own.
    if (shown.endsWith('\n')) shown.chop(1);
    TextComments->setPlainText(shown);
}

void TComments::Button3Click()
{
    TextComments->clear();
}

void TComments::showEvent(QShowEvent* event)
{
    TModalForm::showEvent(event);
    TextComments->setFocus();
}
