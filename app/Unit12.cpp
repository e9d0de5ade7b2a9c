#include "app/Unit12.h"

#include "app/IntroCards.h"
#include "platform/Jpeg.h"
#include "platform/PaintBox.h"
#include "platform/Sleep.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <chrono>

TDemo* Demo = nullptr;

namespace {

constexpr int DemoPauseMs = 3000;
constexpr int HelpContextIntro = 23;

QLabel* Picture(const JpegPictureResource& resource, int x, int y, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setGeometry(x, y, resource.Width, resource.Height);
    // A missing or damaged picture leaves the place empty.
    const QImage image = LoadJpegPicture(resource.Path);
    if (!image.isNull()) label->setPixmap(QPixmap::fromImage(image));
    return label;
}

QLabel* MaroonLabel(const QRect& geometry, int pixelSize, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(pixelSize);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(clMaroon));
    label->setPalette(palette);
    return label;
}

// Label1's font size in points.
void SetPointSize(QLabel* label, int points)
{
    QFont font = label->font();
    font.setPixelSize(points * 96 / 72);
    label->setFont(font);
}

void Call(const std::function<void()>& hook)
{
    if (hook) hook();
    QCoreApplication::processEvents();
}

void Inform(const char* text)
{
    Dialogs().MessageDlg(text, TMsgDlgType::mtInformation, mbOKOnly, 0);
}

} // namespace

TDemo::TDemo(QWidget* parent, std::optional<unsigned> seed) : TModalForm(parent)
{
    setObjectName("Demo");
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(IntroCardWidth, 613);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    QFont font("Arial");
    font.setPixelSize(12);
    setFont(font);

    Image2 = Picture(IntroImage2Picture, 0, 0, this);
    Image2->setObjectName("Image2");
    Image1 = Picture(IntroImage1Picture, 466, 0, this);
    Image1->setObjectName("Image1");
    Label1 = MaroonLabel(QRect(116, 6, 349, 119), 37, this);
    Label1->setObjectName("Label1");
    PB1 = new TPaintBox(this);
    PB1->setObjectName("PB1");
    PB1->setGeometry(0, 133, IntroCardWidth, IntroCardHeight);
    PB1->OnPaint = [this](QObject*) { PB1Paint(); };
    Label2 = MaroonLabel(QRect(5, 552, 595, 25), 19, this);
    Label2->setObjectName("Label2");
    NextButton = new QPushButton("Next  >", this);
    NextButton->setObjectName("NextButton");
    NextButton->setGeometry(488, 583, 100, 25);
    NextButton->hide();
    connect(NextButton, &QPushButton::clicked, this, [this] { NextButtonClick(); });
    SkipIntro = new QCheckBox("skip this intro at start", this);
    SkipIntro->setObjectName("SkipIntro");
    SkipIntro->setGeometry(19, 586, 220, 20);
    SkipIntro->hide();
    Timer1 = new QTimer(this);
    Timer1->setInterval(4500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    std::mt19937 random(seed.value_or(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count())));
    IntroCardShapes = RenderIntroCard(ShapesCardLayout(random));
    IntroCardColors = RenderIntroCard(ColorsCardLayout(random, PieceLabels));
}

void TDemo::FormShow()
{
    IntroStage = 0;
    NextButton->hide();
    SkipIntro->hide();
    SetPointSize(Label1, 28);
    Label1->setText("Have you tested your chess acuity?");
    Label2->setText("...in color perception?");
}

void TDemo::PB1Paint()
{
    if (IntroStage == 0)
        PB1->Canvas.Draw(0, 0, IntroCardShapes);
    else if (IntroStage == 1)
        PB1->Canvas.Draw(0, 0, IntroCardColors);
}

void TDemo::Timer1Timer()
{
    NextButton->show();
}

void TDemo::NextButtonClick()
{
    NextButton->hide();
    ++IntroStage;
    if (IntroStage == 1) {
        SetPointSize(Label1, 24);
        Label1->setText("Have you tested your chess recognition speed?");
        Label2->setText("count piece types, count colors... which was faster?");
        SkipIntro->show();
    } else if (IntroStage == 2) {
        Demonstrate();
    }
    PB1->Invalidate();
}

void TDemo::Demonstrate()
{
    hide();
    Call(Hooks.Blackwhite1Click);
    Inform("Now we switch to Velmora Chess...");
    Call(Hooks.Velmora2Click);
    SleepMs(DemoPauseMs);
    Inform("...and here is Color Chess!");
    Call(Hooks.Color1Click);
    SleepMs(DemoPauseMs);
    Inform("Back to the traditional white/black board.");
    Call(Hooks.Blackwhite1Click);
    if (Hooks.ShowHelp) Hooks.ShowHelp(HelpContextIntro);
    Timer1->stop();
    done(mrOk);
}

void TDemo::done(int result)
{
    Timer1->stop();
    TModalForm::done(result);
}

void TDemo::showEvent(QShowEvent* event)
{
    TModalForm::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TDemo::hideEvent(QHideEvent* event)
{
    // Whichever way the intro goes, its timer goes with it.
    Timer1->stop();
    TModalForm::hideEvent(event);
}
