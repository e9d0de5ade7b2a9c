// What the parts of the main window (Unit1*.cpp) share: the headers they
// use and the text helpers of the game and file names.
#pragma once

#include "app/Unit1.h"

#include "app/BoardInput.h"
#include "app/BoardView.h"
#include "app/Bookmarks.h"
#include "app/EloPage.h"
#include "app/KeyMap.h"
#include "app/MainMenus.h"
#include "app/MoveAnimation.h"
#include "app/MoveEntry.h"
#include "app/MoveTree.h"
#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "app/StatisticsPage.h"
#include "app/Unit10.h"
#include "app/Unit11.h"
#include "app/Unit12.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit5.h"
#include "app/Unit6.h"
#include "app/Unit9.h"
#include "app/ViewSchemes.h"
#include "components/SortGrid.h"
#include "components/VXSplitter/VXSplitter.h"
#include "database/DatabaseFile.h"
#include "database/GameHeaderRtf.h"
#include "database/GameLoader.h"
#include "database/MoveListRtf.h"
#include "database/PlainNotation.h"
#include "database/RtfBuffer.h"
#include "database/RtfProlog.h"
#include "database/Unit4.h"
#include "database/Unit7.h"
#include "platform/AlignLayout.h"
#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Fonts.h"
#include "platform/Help.h"
#include "platform/IniFile.h"
#include "platform/MouseHook.h"
#include "platform/PaintBox.h"
#include "platform/Printer.h"
#include "platform/RichEdit.h"
#include "platform/Sound.h"
#include "platform/ToolbarIcons.h"
#include "platform/WaitCursor.h"
#include "rules/Board.h"
#include "rules/EvalSymbols.h"
#include "rules/GameEdit.h"
#include "rules/GameStore.h"
#include "rules/MoveGen.h"
#include "rules/Navigation.h"
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <stdexcept>

inline constexpr const char* AppTitle = "Velmora Chess";

// Text of a game as its file means it, and back.
inline QString Local(const std::string& bytes)
{
    return DecodeGameText(bytes);
}
inline std::string Bytes(const QString& text)
{
    return EncodeGameText(text);
}

// File names are kept in the system's 8-bit encoding.
inline QString FileNameText(const std::string& name)
{
    return QString::fromLocal8Bit(name);
}
inline std::string FileNameBytes(const QString& name)
{
    return name.toLocal8Bit().toStdString();
}
