// The main window as the program runs it, with the options and autoplay
// dialogs, driven by key and mouse events; modal dialogs are answered from
// a timer. The settings file is written before each start.
#pragma once

#include "app/Unit1.h"
#include "app/Unit11.h"
#include "app/Unit2.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Start(const std::string& settings, QSize size = {1000, 760});

    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSettings> settings;
    std::unique_ptr<TAutoplayForm> autoplay;
};

// Settings that open file at its first game.
std::string OpenAtStart(const QString& file);
// Runs act on the modal dialog once one is up (tried for two seconds).
void WhenModal(std::function<void(QWidget*)> act);
// Pixels of area that stay magenta when the widget is rendered over magenta.
int UnpaintedPixels(QWidget* widget, const QRect& area);

const QString SamplePgn = QStringLiteral(VELMORA_SAMPLES "/velmora-sample.pgn");
