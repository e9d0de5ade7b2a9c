// The intro (TDemo): two test cards of piece glyphs, then a demonstration of
// the board schemes on the main window, with message boxes between them,
// ending on the traditional scheme and the help page.
//
// Stages: 0 the first card, 1 the second card ("skip this intro at start"
// appears), 2 the demonstration; "Next  >" shows up 4.5 s after the intro
// opens and at every later tick. Timer1 stops whenever the intro closes.
#pragma once

#include "platform/Dialogs.h"

#include <QImage>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class TPaintBox;

// What the demonstration calls on the main window.
struct IntroHooks {
    std::function<void()> Blackwhite1Click; // traditional scheme
    std::function<void()> Velmora2Click;    // coloured pieces
    std::function<void()> Color1Click;      // colour chess
    std::function<void(int context)> ShowHelp;
};

class TDemo : public TModalForm {
public:
    // Builds both cards from the palette as it stands; seed fixes the
    // random picks (the clock when none).
    explicit TDemo(QWidget* parent = nullptr, std::optional<unsigned> seed = std::nullopt);

    QLabel* Image2;
    QLabel* Image1;
    QLabel* Label1;
    TPaintBox* PB1;
    QLabel* Label2;
    QPushButton* NextButton;
    QCheckBox* SkipIntro; // "skip this intro at start", kept in the settings file
    QTimer* Timer1;

    IntroHooks Hooks;

    int IntroStage = 0;
    QImage IntroCardShapes;
    QImage IntroCardColors;

    void FormShow();
    void PB1Paint();
    void Timer1Timer();
    void NextButtonClick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Demonstrate();
};

// Created at start-up, last of the forms, owned by main.
extern TDemo* Demo;
