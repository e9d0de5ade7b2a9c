#include "ProgramWindow.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "app/Unit1.h"
#include "database/GameLoader.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/PaintBox.h"
#include "platform/Sleep.h"
#include "rules/Board.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

constexpr int AnswerDelayMs = 10;
constexpr int StillOpenMs = 3000;

const QString SamplePgn = QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");

std::string Said(QWidget& window)
{
    if (const auto* box = qobject_cast<QMessageBox*>(&window)) return box->text().toStdString();
    return window.windowTitle().toStdString();
}

} // namespace

ModalAnswers::ModalAnswers()
{
    qApp->installEventFilter(this);
}

ModalAnswers::~ModalAnswers()
{
    qApp->removeEventFilter(this);
}

void ModalAnswers::Queue(Answer answer)
{
    answers_.push_back(std::move(answer));
}

ModalAnswers::Answer ModalAnswers::Key(int key, Qt::KeyboardModifiers modifiers)
{
    return [key, modifiers](QWidget& window) {
        QTest::keyClick(&window, static_cast<Qt::Key>(key), modifiers);
    };
}

ModalAnswers::Answer ModalAnswers::Colour(unsigned rgb)
{
    return [rgb](QWidget& window) {
        // The HTML field is the line edit that belongs to no spin box.
        for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
            if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget())) continue;
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')));
        }
        QTest::keyClick(&window, Qt::Key_Return);
    };
}

bool ModalAnswers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isModal()) return false;
    shown_.push_back(Said(*window));
    Answer answer = Key(Qt::Key_Escape);
    if (answers_.empty()) {
        ++unexpected_;
    } else {
        answer = std::move(answers_.front());
        answers_.pop_front();
    }
    QTimer::singleShot(AnswerDelayMs, this, [this, answer = std::move(answer)] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal) return;
        answer(*modal);
        QTimer::singleShot(StillOpenMs, this, [this, modal] {
            if (!modal || !modal->isVisible()) return;
            ++unexpected_;
            modal->close();
        });
    });
    return false;
}

void ProgramWindow::SetUp()
{
    QFile::remove(SettingsFileName());
    SetDialogService(nullptr);
    SetSoundPlayer(&sounds);
    SetSleepHandler([](int) {});
}

void ProgramWindow::TearDown()
{
    GameModified = 0;
    if (forms && Form().isVisible()) Form().close();
    forms.reset();
    SetSleepHandler({});
    SetSoundPlayer(nullptr);
    QFile::remove(SettingsFileName());
}

void ProgramWindow::Start(int number)
{
    TMemIniFile ini(SettingsFileName());
    ini.SetText("[Game]\nFile=" + SamplePgn.toStdString() + "\nNumber=" + std::to_string(number) +
                "\n[Config]\nSkipIntro=1\n");
    ASSERT_TRUE(ini.UpdateFile());
    forms = std::make_unique<TProgramForms>();
    Form().resize(1000, 760);
    Form().show();
    Form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    QTest::qWait(20);
}

void ProgramWindow::Key(int key, Qt::KeyboardModifiers modifiers)
{
    // The window that a closed dialog leaves active again, as a window
    // manager makes it.
    if (!Form().isActiveWindow()) {
        Form().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    }
    QTest::keyClick(&Form(), static_cast<Qt::Key>(key), modifiers);
}

void ProgramWindow::Drag(const char* from, const char* to)
{
    const auto at = [](const char* square) {
        const TRect r = SquareRect(SquareOf(square[0] - 'a', square[1] - '1'), SquareSize,
                                   BoardMargin, BoardFlipped != 0);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    QTest::mousePress(Form().Cr, Qt::LeftButton, {}, at(from));
    QTest::mouseMove(Form().Cr, at(to));
    QTest::mouseRelease(Form().Cr, Qt::LeftButton, {}, at(to));
}

void ProgramWindow::ClickTab(QTabWidget& tabs, int page)
{
    QTabBar* bar = tabs.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}
