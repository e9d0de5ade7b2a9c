#include "WindowTestSupport.h"

#include "app/SettingsFile.h"
#include "components/VXSplitter/VXSplitter.h"
#include "database/GameLoader.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTimer>

void WindowTest::SetUp()
{
    QFile::remove(SettingsFileName());
    SetDialogService(nullptr);
}

void WindowTest::TearDown()
{
    GameModified = 0; // no "Save game?" at the close
    if (form) form->close();
    AutoplayForm = nullptr;
    Settings = nullptr;
    autoplay.reset();
    settings.reset();
    form.reset();
    QFile::remove(SettingsFileName());
}

void WindowTest::Start(const std::string& text, QSize size)
{
    TMemIniFile ini(SettingsFileName());
    ini.SetText(text + "[Config]\nSkipIntro=1\n");
    ASSERT_TRUE(ini.UpdateFile());
    form = std::make_unique<TForm1>();
    TForm1* w = form.get();
    settings = std::make_unique<TSettings>(
        w, SettingsHooks{[w] { return w->isVisible() ? w->BoardSplitter->size() : QSize(); },
                         [w] { w->RefreshAfterOptions(); },
                         [w](int percent) { w->CheckPieceSize(percent); }});
    Settings = settings.get();
    autoplay = std::make_unique<TAutoplayForm>(w);
    AutoplayForm = autoplay.get();
    form->resize(size);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::qWait(50);
}

std::string OpenAtStart(const QString& file)
{
    return "[Game]\nFile=" + file.toStdString() + "\nNumber=1\n";
}

void WhenModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, tries = 200, act = std::move(act)]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && --tries > 0) return;
        timer->stop();
        timer->deleteLater();
        if (modal) act(modal);
    });
    timer->start(10);
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
