// The about box (TAboutBox): the program's picture, its name and version,
// credits and a contact line, and "Close".
#pragma once

#include "platform/Dialogs.h"

class QLabel;
class QPushButton;
class TPanel;

class TAboutBox : public TModalForm {
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    TPanel* Panel1;
    QLabel* ProgramIcon; // the picture; empty when it cannot be decoded
    QLabel* ProductName; // "Velmora Chess " and the file version
    QLabel* Copyright;
    QLabel* Comments;
    QPushButton* OKButton; // "Close", modal result mrOk
};

// Created at start-up, owned by main.
extern TAboutBox* AboutBox;
