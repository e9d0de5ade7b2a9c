#include "ProgramWindow.h"

#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "components/SortGrid.h"
#include "database/DatabaseFile.h"
#include "database/GameLoader.h"
#include "database/Unit7.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/PaintBox.h"
#include "rules/Board.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int AnswerDelayMs = 10;
constexpr int StillOpenMs = 3000;

std::string Said(QWidget& window)
{
    if (const auto* box = qobject_cast<QMessageBox*>(&window)) return box->text().toStdString();
    return window.windowTitle().toStdString();
}

} // namespace

QString SamplePgn()
{
    return QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");
}

QString SampleElo()
{
    return QStringLiteral(VELMORA_SAMPLES "/velmora-elo.txt");
}

std::string OpenAt(const QString& file, int number)
{
    return "[Game]\nFile=" + file.toStdString() + "\nNumber=" + std::to_string(number) + "\n";
}

int UnpaintedPixels(QWidget* widget, const QRect& area)
{
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget->render(&image);
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
    return count;
}

// ---- Modal windows -----------------------------------------------------------------

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

ModalAnswers::Answer ModalAnswers::FileName(const QString& path)
{
    return [path](QWidget& window) {
        QPointer<QFileDialog> dialog = qobject_cast<QFileDialog*>(&window);
        QLineEdit* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name) {
            ADD_FAILURE() << "no file dialog for " << path.toStdString();
            return;
        }
        // Typed into the active dialog, as a user types; an inactive one
        // would put the file it finds over the text.
        QApplication::setActiveWindow(dialog);
        name->setFocus();
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier); // typed over
        QTest::keyClicks(name, path);
        // A completion offered inline is selected: Delete drops it.
        if (name->hasSelectedText()) QTest::keyClick(name, Qt::Key_Delete);
        // Enter until the dialog closes, the name completer's list (which
        // opens when it likes) closed first with Esc.
        for (int k = 0; k < 100 && dialog && dialog->isVisible(); ++k) {
            if (QWidget* list = QApplication::activePopupWidget())
                QTest::keyClick(list, Qt::Key_Escape);
            else
                QTest::keyClick(name, Qt::Key_Return);
            if (dialog && dialog->isVisible()) QTest::qWait(AnswerDelayMs);
        }
    };
}

bool ModalAnswers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || event->spontaneous() || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isModal() || qobject_cast<TProgressForm*>(window))
        return false;
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

// ---- The program -------------------------------------------------------------------

void ProgramWindow::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    SetSettingsFileName(SettingsFile());
    SetDialogService(nullptr);
}

void ProgramWindow::TearDown()
{
    EXPECT_TRUE(answers.Drained()) << "a dialog that was to be answered never came";
    EXPECT_EQ(answers.Unexpected(), 0) << "a modal window came unasked or stayed open";
    Close();
    SetSettingsFileName({});
}

void ProgramWindow::Start(const std::string& settings)
{
    TMemIniFile ini(SettingsFile());
    ini.SetText(settings + "[Config]\nSkipIntro=1\n");
    ASSERT_TRUE(ini.UpdateFile());
    StartForms();
}

void ProgramWindow::StartForms()
{
    forms = std::make_unique<TProgramForms>();
    form = &forms->Main();
    form->resize(1000, 760);
    form->show();
    form->activateWindow();
    // A message of the start comes first; the window is active once it is answered.
    ASSERT_TRUE(QTest::qWaitFor([this] {
        if (!QApplication::activeModalWidget() && !form->isActiveWindow()) form->activateWindow();
        return form->isActiveWindow();
    }));
    QTest::qWait(50);
}

void ProgramWindow::Close()
{
    GameModified = 0; // no "Save game?" at the close
    if (form && form->isVisible()) form->close();
    form = nullptr;
    forms.reset();
    CloseDatabaseFile();
}

void ProgramWindow::Activate()
{
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
        form->isActiveWindow())
        return;
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
}

void ProgramWindow::Key(int key, Qt::KeyboardModifiers modifiers)
{
    Activate();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : form, static_cast<Qt::Key>(key), modifiers);
}

void ProgramWindow::MenuKeys(int title, int item)
{
    Key(title, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, static_cast<Qt::Key>(item));
}

void ProgramWindow::Menu(std::initializer_list<const char*> captions)
{
    QWidget* menu = form->menuBar();
    for (const char* caption : captions) {
        const QList<QAction*> actions = menu->actions();
        const auto it = std::find_if(actions.begin(), actions.end(),
                                     [caption](QAction* a) { return a->text() == caption; });
        ASSERT_NE(it, actions.end()) << caption;
        const QRect place = menu == form->menuBar()
                                ? form->menuBar()->actionGeometry(*it)
                                : static_cast<QMenu*>(menu)->actionGeometry(*it);
        Click(menu, place.center());
        QMenu* sub = (*it)->menu();
        if (!sub) break;
        // A submenu opens when the pointer rests on its item, or by Right.
        if (!QTest::qWaitFor([sub] { return sub->isVisible(); }, 300))
            QTest::keyClick(menu, Qt::Key_Right);
        ASSERT_TRUE(QTest::qWaitFor([sub] { return sub->isVisible(); }, 1000)) << caption;
        menu = sub;
    }
}

void ProgramWindow::Click(QWidget* widget)
{
    Click(widget, widget->rect().center());
}

void ProgramWindow::Click(QWidget* widget, QPoint at)
{
    if (widget->window() == form) Activate();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void ProgramWindow::ClickTab(QTabWidget& tabs, int page)
{
    QTabBar* bar = tabs.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}

void ProgramWindow::Drag(const char* from, const char* to)
{
    const auto at = [](const char* square) {
        const TRect r = SquareRect(SquareOf(square[0] - 'a', square[1] - '1'), SquareSize,
                                   BoardMargin, BoardFlipped != 0);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    QTest::mousePress(form->Cr, Qt::LeftButton, {}, at(from));
    QTest::mouseMove(form->Cr, at(to));
    QTest::mouseRelease(form->Cr, Qt::LeftButton, {}, at(to));
}

void ProgramWindow::OpenDatabase(const QString& path)
{
    answers.Queue(ModalAnswers::FileName(path));
    Key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(answers.Drained());
    ASSERT_EQ(QString::fromStdString(DatabaseFileName), path);
}

void ProgramWindow::LoadRow(int row)
{
    const TRect cell = GameList->CellRect(0, row);
    Click(GameList->viewport(), QPoint(cell.Left + 4, (cell.Top + cell.Bottom) / 2));
    ASSERT_EQ(GameList->Row(), row);
    Key(Qt::Key_Return);
}

void ProgramWindow::TypeInMoveBox(const QString& text)
{
    Click(form->MoveEdit);
    form->MoveEdit->selectAll();
    QTest::keyClick(form->MoveEdit, Qt::Key_Delete);
    for (const QChar c : text) {
        // Letters beyond ASCII come as the keyboard sends them: with their text.
        if (c.unicode() < 0x80)
            QTest::keyClick(form->MoveEdit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, form->MoveEdit, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    QTest::keyClick(form->MoveEdit, Qt::Key_Return);
}

QString ProgramWindow::Copy(const QString& source, const QString& name) const
{
    const QString target = dir.filePath(name);
    EXPECT_TRUE(QFile::copy(source, target)) << target.toStdString();
    return target;
}
