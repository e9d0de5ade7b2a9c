// The export-progress window (TProgressForm) and the export of every listed
// game into one RTF file, run by its timer.
//
// The export needs four things of the main window, given as Hooks: the game
// list's row count (rows 1 .. count - 1 are games), loading a game into the
// move list (TForm1::LoadGame(row, 0)), the move list's RTF as it saves it
// (Memo1->SaveToStream()), and hiding or showing the move list and the board
// while it runs.
//
// Tag is the export's state: 1 asked for, 255 stop asked ("Stop" or Esc), 0 idle.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <functional>

class QProgressBar;
class QPushButton;
class QTimer;

struct ExportHooks {
    std::function<int()> GameRowCount;
    std::function<void(int row)> LoadGame;
    std::function<QByteArray()> Document;
    // false: hide Memo1 and the board, show the game-list page; true: show them again.
    std::function<void(bool visible)> ShowViews;
};

class TProgressForm : public QDialog {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    // Runs the export into fileName (SaveRtf's FileName) modally and returns
    // when it has ended: Tag := 1, Timer1 started, the window shown.
    // Returns the number of games written to the file. A write that failed,
    // or a database changed on disk, ends it with a message that says how
    // many games the file holds, and whether it could not be left a whole
    // document.
    int Export(const QString& fileName);

    // The export itself, on the timer's first tick.
    void Timer1Timer();
    // "Stop": ends the export after the game being written.
    void Button1Click();

    int GamesWritten() const { return gamesWritten_; }

    QProgressBar* Progress;
    QPushButton* Button1;
    QTimer* Timer1;
    int Tag = 0;
    QString FileName;
    ExportHooks Hooks;

public slots:
    // Esc (and a close request) while the export runs means Stop.
    void reject() override;

private:
    enum class ExportEnd { Done, CantWrite, DatabaseChanged };

    bool RunExport();

    int gamesWritten_ = 0;
    ExportEnd end_ = ExportEnd::Done;
    bool notWhole_ = false; // cut inside a game, or not closed on the disk
};

// Created by the main window at start-up, kept to the end.
extern TProgressForm* ProgressForm;
