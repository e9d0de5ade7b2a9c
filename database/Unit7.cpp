#include "database/Unit7.h"

#include "database/DatabaseFile.h"
#include "database/RtfJoin.h"
#include "platform/Dialogs.h"
#include "platform/SaveFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QProgressBar>
#include <QPushButton>
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

enum class Appended { Done, Refused, LeftCut };

// Writes a later game's piece over the document's closing brace. A write
// the disk refuses half-way is cut off again and the brace put back, so the
// file stays the whole document of the games before; LeftCut when that
// could not be done.
Appended AppendPiece(QFile& file, qint64 closingBrace, const std::string& piece)
{
    if (!file.seek(closingBrace)) return Appended::Refused;
    const qint64 size = static_cast<qint64>(piece.size());
    const qint64 written = file.write(piece.data(), size);
    if (written == size) return Appended::Done;
    // Unbuffered: -1 means that nothing reached the file, the brace included.
    if (written <= 0) return Appended::Refused;
    if (file.resize(closingBrace + 1) && file.seek(closingBrace) && file.putChar('}'))
        return Appended::Refused;
    return Appended::LeftCut;
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
    end_ = ExportEnd::Done;
    notWhole_ = false;
    Tag = StateAsked;
    Timer1->start();
    exec();
    if (end_ != ExportEnd::Done) {
        const int games = Hooks.GameRowCount ? std::max(0, Hooks.GameRowCount() - 1) : 0;
        const QString written =
            QStringLiteral("\nGames written: %1 of %2.").arg(gamesWritten_).arg(games);
        const QString cut =
            notWhole_ ? QStringLiteral("\nThe file could not be closed whole.") : QString();
        Dialogs().MessageDlg(end_ == ExportEnd::CantWrite
                                 ? "Can't write " + FileName + written + cut
                                 : QString::fromLatin1(DatabaseChangedText) + written + cut,
                             TMsgDlgType::mtError, mbOKOnly, 0);
    }
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

    if (DatabaseChangedSinceIndexed()) {
        end_ = ExportEnd::DatabaseChanged;
        return false;
    }
    Hooks.LoadGame(1);
    const std::optional<RtfDocumentParts> first = PartsOf(Hooks.Document());
    if (!first) return false;
    const std::string head = RtfJoinFirst(*first);
    if (!SaveWholeFile(FileName,
                       QByteArrayView(head.data(), static_cast<qsizetype>(head.size())))) {
        end_ = ExportEnd::CantWrite;
        return false;
    }
    gamesWritten_ = 1;
    qint64 closingBrace = static_cast<qint64>(head.size()) - 1;
    QCoreApplication::processEvents();
    if (Tag == StateStop) return true;

    // No truncation: the first game stays. Unbuffered: a write the disk
    // refuses fails at once, and nothing is left over to be written later.
    QFile file(FileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        end_ = ExportEnd::CantWrite;
        return true;
    }
    for (int row = 2; row < Hooks.GameRowCount(); ++row) {
        if (DatabaseChangedSinceIndexed()) {
            end_ = ExportEnd::DatabaseChanged;
            break;
        }
        Hooks.LoadGame(row);
        const std::optional<RtfDocumentParts> next = PartsOf(Hooks.Document());
        if (next) {
            const std::string more = RtfJoinNext(*next);
            const Appended appended = AppendPiece(file, closingBrace, more);
            if (appended != Appended::Done) {
                end_ = ExportEnd::CantWrite;
                notWhole_ = appended == Appended::LeftCut;
                break;
            }
            closingBrace += static_cast<qint64>(more.size()) - 1;
            ++gamesWritten_;
        }
        Progress->setValue(row);
        QCoreApplication::processEvents();
        if (Tag == StateStop) break;
    }
    // What the disk refuses only now leaves the games in doubt.
    const bool synced = SyncToDisk(file.handle());
    file.close();
    if (!synced || file.error() != QFileDevice::NoError) {
        if (end_ == ExportEnd::Done) end_ = ExportEnd::CantWrite;
        notWhole_ = true;
    }
    return true;
}
