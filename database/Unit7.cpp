#include "database/Unit7.h"

#include "database/RtfJoin.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <string>

TProgressForm* ProgressForm = nullptr;

namespace {

constexpr int StateIdle = 0;
constexpr int StateAsked = 1;
constexpr int StateStop = 255;

std::optional<RtfDocumentParts> PartsOf(const QByteArray& doc)
{
    return SplitRtfDocument(
        std::string_view(doc.constData(), static_cast<std::size_t>(doc.size())));
}

bool WriteAll(QIODevice& device, const std::string& bytes)
{
    return device.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

} // namespace

TProgressForm::TProgressForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Progress... (Stop or Esc aborts)"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(234, 54);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);

    Progress = new QProgressBar(this);
    Progress->setRange(0, 100);
    Progress->setTextVisible(false);
    Progress->setGeometry(8, 6, 218, 16);

    Button1 = new QPushButton(QStringLiteral("Stop"), this);
    Button1->setGeometry(80, 27, 75, 23);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

int TProgressForm::Export(const QString& fileName)
{
    FileName = fileName;
    gamesWritten_ = 0;
    Tag = StateAsked;
    Timer1->start();
    exec();
    return gamesWritten_;
}

void TProgressForm::Button1Click()
{
    Tag = StateStop;
}

void TProgressForm::reject()
{
    if (Tag != StateIdle) {
        Tag = StateStop;
        return;
    }
    QDialog::reject();
}

void TProgressForm::Timer1Timer()
{
    Timer1->stop();
    if (Tag != StateAsked) return;
    gamesWritten_ = 0;
    const bool hooked = Hooks.GameRowCount && Hooks.LoadGame && Hooks.Document;
    if (hooked && Hooks.GameRowCount() >= 2) {
        if (Hooks.ShowViews) Hooks.ShowViews(false);
        RunExport();
        if (Hooks.ShowViews) Hooks.ShowViews(true);
    }
    done(QDialog::Accepted);
    Tag = StateIdle;
}

// Writes the first game as a complete document, then each later game over
// the closing brace, so that the file is a whole document after every game.
bool TProgressForm::RunExport()
{
    Progress->setMaximum(std::max(1, Hooks.GameRowCount() - 1));
    Progress->setValue(1);

    Hooks.LoadGame(1);
    const std::optional<RtfDocumentParts> first = PartsOf(Hooks.Document());
    if (!first) return false;
    const std::string head = RtfJoinFirst(*first);
    {
        QSaveFile save(FileName);
        if (!save.open(QIODevice::WriteOnly) || !WriteAll(save, head) || !save.commit())
            return false;
    }
    gamesWritten_ = 1;
    qint64 closingBrace = static_cast<qint64>(head.size()) - 1;
    QCoreApplication::processEvents();
    if (Tag == StateStop) return true;

    QFile file(FileName);
    if (!file.open(QIODevice::ReadWrite)) // no truncation: the first game stays
        return true;
    for (int row = 2; row < Hooks.GameRowCount(); ++row) {
        Hooks.LoadGame(row);
        const std::optional<RtfDocumentParts> next = PartsOf(Hooks.Document());
        if (next) {
            const std::string more = RtfJoinNext(*next);
            if (!file.seek(closingBrace) || !WriteAll(file, more) || !file.flush()) {
                // Put the document's end back after the last whole game.
                file.resize(closingBrace + 1);
                if (file.seek(closingBrace)) file.putChar('}');
                break;
            }
            closingBrace += static_cast<qint64>(more.size()) - 1;
            ++gamesWritten_;
        }
        Progress->setValue(row);
        QCoreApplication::processEvents();
        if (Tag == StateStop) break;
    }
    return true;
}
