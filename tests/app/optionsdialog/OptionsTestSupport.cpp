#include "OptionsTestSupport.h"

#include "app/OptionValues.h"
#include "app/SettingsFile.h"
#include "database/RtfBuffer.h"
#include "platform/Fonts.h"
#include "tests/support/TestApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

const std::string FirstStartOptionSections = "[Velmora]\n"
                                             "King0Contour=225\n"
                                             "King0Inner=6711039\n"
                                             "King1Contour=187\n"
                                             "King1Inner=8947967\n"
                                             "Queen0Contour=16449711\n"
                                             "Queen0Inner=16744639\n"
                                             "Queen1Contour=9764998\n"
                                             "Queen1Inner=16751565\n"
                                             "Rook0Contour=40192\n"
                                             "Rook0Inner=2293538\n"
                                             "Rook1Contour=30976\n"
                                             "Rook1Inner=6750054\n"
                                             "Bishop0Contour=16609357\n"
                                             "Bishop0Inner=14145280\n"
                                             "Bishop1Contour=9764864\n"
                                             "Bishop1Inner=16776973\n"
                                             "Knight0Contour=896181\n"
                                             "Knight0Inner=917503\n"
                                             "Knight1Contour=748917\n"
                                             "Knight1Inner=56797\n"
                                             "Pawn0Contour=4210752\n"
                                             "Pawn0Inner=16777215\n"
                                             "Pawn1Contour=0\n"
                                             "Pawn1Inner=16777215\n"
                                             "\n"
                                             "[Board]\n"
                                             "Size=68\n"
                                             "PieceSize=91\n"
                                             "DarkSquare=10790052\n"
                                             "LightSquare=12632256\n"
                                             "DarkPiece=409683\n"
                                             "LightPiece=409683\n"
                                             "LightContrast=61\n"
                                             "Sliding=2\n"
                                             "Coords=1\n"
                                             "Grad=1\n"
                                             "Shadow=1\n"
                                             "Sound=1\n"
                                             "\n"
                                             "[MoveList]\n"
                                             "PieceLetters=0\n"
                                             "DefaultMove=2\n"
                                             "FontSize=1\n"
                                             "FontType=0\n"
                                             "Figurin=1\n"
                                             "StartDiag=0\n";

void OptionsTest::SetUpTestSuite()
{
    TestApp();
    static std::array<EmbeddedFontHandle, 3> fonts;
    ASSERT_TRUE(LoadEmbeddedFont("Kavdiag", fonts[0], KavdiagFontId));
    ASSERT_TRUE(LoadEmbeddedFont("VelmoraChess Swiss", fonts[1], SwissFontId));
    ASSERT_TRUE(LoadEmbeddedFont("VelmoraChess Times", fonts[2], TimesFontId));
    AtTestAppEnd([] {
        for (EmbeddedFontHandle& f : fonts)
            f.Reset();
    });
}

void OptionsTest::SetUp()
{
    RestoreFirstRunOptions();
    ResetRtfBuffer();
    SetDialogService(&dialogs);
}

void OptionsTest::TearDown()
{
    SetDialogService(nullptr);
    RestoreFirstRunOptions();
}

std::string OptionsTest::FileText()
{
    QFile file(SettingsFileName());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

void OptionsTest::WriteFile(const std::string& text)
{
    QFile file(SettingsFileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

void OptionsTest::RemoveFile()
{
    const QString name = SettingsFileName();
    if (QFileInfo(name).isDir())
        QDir(name).removeRecursively();
    else
        QFile::remove(name);
}
