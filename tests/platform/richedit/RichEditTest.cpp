#include "platform/RichEdit.h"

#include "SampleRtf.h"
#include "tests/support/TestApp.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The application comes first: the fixture's widget needs it.
class WithApp : public testing::Test {
protected:
    WithApp() { TestApp(); }
};

class RichEditTest : public WithApp {
protected:
    void SetUp() override { edit.resize(400, 300); }
    TRichEdit edit;
};

struct MovePlace {
    const char* name;
    int textPos;
    int textLength;
    const char* text;
    friend void PrintTo(const MovePlace& c, std::ostream* os) { *os << c.name; }
};

class RichEditMoves : public RichEditTest, public testing::WithParamInterface<MovePlace> {};

TEST_P(RichEditMoves, MoveTextLiesWhereTheWriterCountedIt)
{
    ASSERT_TRUE(edit.LoadRtf(sample::Game()));
    const MovePlace& m = GetParam();
    const int pos = sample::HeaderCount + m.textPos;
    EXPECT_EQ(edit.TextRange(pos, m.textLength), QString::fromLatin1(m.text));

    edit.SetSelStart(pos);
    edit.SetSelLength(m.textLength);
    EXPECT_EQ(edit.SelStart(), pos);
    EXPECT_EQ(edit.SelLength(), m.textLength);
    EXPECT_EQ(edit.textCursor().selectedText(), QString::fromLatin1(m.text));
}

INSTANTIATE_TEST_SUITE_P(WorkedExample, RichEditMoves,
                         testing::Values(MovePlace{"e4", 0, 4, "1.e4"}, MovePlace{"e5", 5, 2, "e5"},
                                         MovePlace{"c5", 10, 7, "1... c5"},
                                         MovePlace{"VariationNf3", 18, 5, "2.Nf3"},
                                         MovePlace{"MainNf3", 26, 5, "2.Nf3"},
                                         MovePlace{"Comment", 35, 4, "Good"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RichEditTest, HeaderAndLengthCountAsTheWriterCounts)
{
    ASSERT_TRUE(edit.LoadRtf(sample::Game()));
    EXPECT_EQ(edit.TextRange(0, 8), "Aaaaaaaa");
    EXPECT_EQ(edit.TextRange(13, 4), QString(" ") + QChar(0x2013) + " B");
    EXPECT_EQ(edit.TextRange(35, 2), "\r\n");
    EXPECT_EQ(edit.TextRange(37, 4), "Evnt");
    // 41 counted characters, then "1-0" and two paragraph breaks.
    EXPECT_EQ(edit.GetTextLen(), sample::HeaderCount + 41 + 3 + 4);
}

TEST_F(RichEditTest, MovesAfterADiagramKeepTheirPlace)
{
    const std::string rtf =
        sample::Prolog + "1.e4 " + sample::StartDiagram + "1... e5 \\li10\\sb30\\sa200 \\par\\par}";
    ASSERT_TRUE(edit.LoadRtf(rtf));
    EXPECT_EQ(edit.TextRange(5 + 2, 10), "XIIIIIIIIY");
    EXPECT_EQ(edit.TextRange(5 + 2 + 12, 14), "9rsnlwqkvlntr0");
    EXPECT_EQ(edit.TextRange(5 + sample::StartDiagramCount, 7), "1... e5");
}

struct MappingCase {
    const char* name;
    std::string body;
    friend void PrintTo(const MappingCase& c, std::ostream* os) { *os << c.name; }
};

class RichEditMapping : public RichEditTest, public testing::WithParamInterface<MappingCase> {};

TEST_P(RichEditMapping, EveryPositionMapsBackExceptInsideBreaks)
{
    edit.LoadRtf(sample::Prolog + GetParam().body + "}");
    const QTextDocument& doc = *edit.document();
    const int length = RichTextLength(doc);
    for (int rich = 0; rich <= length; ++rich) {
        const int back = DocToRichPos(doc, RichToDocPos(doc, rich));
        const QTextBlock block = doc.findBlock(RichToDocPos(doc, rich));
        const bool secondHalfOfBreak =
            back == rich - 1 && block.next().isValid() &&
            RichToDocPos(doc, rich) == block.position() + block.length() - 1;
        EXPECT_TRUE(back == rich || secondHalfOfBreak) << rich;
    }
    EXPECT_EQ(RichToDocPos(doc, -5), 0);
    EXPECT_EQ(RichToDocPos(doc, length + 100), doc.characterCount() - 1);
    EXPECT_EQ(DocToRichPos(doc, doc.characterCount() + 100), length);
}

INSTANTIATE_TEST_SUITE_P(Documents, RichEditMapping,
                         testing::Values(MappingCase{"Empty", ""}, MappingCase{"OneLine", "abc"},
                                         MappingCase{"EmptyParagraphs", "\\par\\par\\par"},
                                         MappingCase{"Mixed", "ab\\par\\par c\\par de\\par"},
                                         MappingCase{"LongWords",
                                                     std::string(150, 'a') + " b\\par " +
                                                         std::string(100, 'c') + "\\u8203?" +
                                                         std::string(70, 'd') + "\\par\\par e"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RichEditTest, SelectionIsClampedAndBreaksCountTwo)
{
    edit.LoadRtf(sample::Prolog + "abc\\par de}");
    EXPECT_EQ(edit.GetTextLen(), 7);
    edit.SetSelStart(4); // between the two halves of the break: end of "abc"
    EXPECT_EQ(edit.SelStart(), 3);
    edit.SetSelStart(5);
    EXPECT_EQ(edit.TextRange(edit.SelStart(), 1), "d");
    edit.SetSelStart(2);
    edit.SetSelLength(4); // "c", the break, "d"
    EXPECT_EQ(edit.SelLength(), 4);
    edit.SetSelStart(1000);
    EXPECT_EQ(edit.SelStart(), 7);
    EXPECT_EQ(edit.SelLength(), 0);
    edit.SetSelStart(-3);
    EXPECT_EQ(edit.SelStart(), 0);
}

TEST_F(RichEditTest, SelectionChangeIsReportedOncePerChangeAndNotWhenDetached)
{
    edit.LoadRtf(sample::Game());
    int calls = 0;
    edit.OnSelectionChange = [&] { ++calls; };
    edit.SetSelStart(10);
    EXPECT_EQ(calls, 1);
    edit.SetSelStart(10);
    EXPECT_EQ(calls, 1);
    edit.SetSelLength(3);
    EXPECT_EQ(calls, 2);
    edit.OnSelectionChange = nullptr;
    edit.SetSelStart(20);
    edit.OnSelectionChange = [&] { ++calls; };
    EXPECT_EQ(calls, 2);
    // Loading does not count as a change.
    edit.LoadRtf(sample::Game());
    EXPECT_EQ(calls, 2);
}

TEST_F(RichEditTest, ClickInTheTextMovesTheCaretAndReportsIt)
{
    edit.LoadRtf(sample::Game());
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    int calls = 0;
    int caret = -1;
    edit.OnSelectionChange = [&] {
        ++calls;
        caret = edit.SelStart();
    };
    // A point inside the first move's text.
    QTextCursor move(edit.document());
    move.setPosition(RichToDocPos(*edit.document(), sample::HeaderCount + 2));
    const QPoint at = edit.cursorRect(move).center();
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(calls, 1);
    EXPECT_GE(caret, sample::HeaderCount + 1);
    EXPECT_LE(caret, sample::HeaderCount + 3);
}

TEST_F(RichEditTest, ReadOnlyAndSelectionShownWithoutFocus)
{
    EXPECT_TRUE(edit.isReadOnly());
    const QPalette pal = edit.palette();
    EXPECT_EQ(pal.color(QPalette::Inactive, QPalette::Highlight),
              pal.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(pal.color(QPalette::Inactive, QPalette::HighlightedText),
              pal.color(QPalette::Active, QPalette::HighlightedText));
    EXPECT_EQ(pal.color(QPalette::Base), QColor(Qt::white));
}

TEST_F(RichEditTest, SourceIsKeptUpToANul)
{
    const std::string rtf = sample::Game() + std::string(1, '\0') + "left over";
    edit.LoadRtf(rtf);
    EXPECT_EQ(edit.SaveToStream().toStdString(), sample::Game());
}

TEST_F(RichEditTest, CopyAllPutsTheRtfAndThePlainText)
{
    edit.LoadRtf(sample::Game());
    edit.SelectAll();
    edit.CopyToClipboard();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data("text/rtf").toStdString(), sample::Game());
    EXPECT_TRUE(mime->text().startsWith("Aaaaaaaa 2500 "));
    EXPECT_TRUE(mime->text().contains("1.e4 e5 \n"));
}

TEST_F(RichEditTest, CopyOfAPartHasNoRtf)
{
    edit.LoadRtf(sample::Game());
    edit.SetSelStart(sample::HeaderCount);
    edit.SetSelLength(4);
    edit.CopyToClipboard();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), "1.e4");
    EXPECT_FALSE(mime->hasFormat("text/rtf"));
}

class RichEditSave : public RichEditTest {
protected:
    void SetUp() override
    {
        RichEditTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    static QByteArray Contents(const QString& name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    QTemporaryDir dir;
};

TEST_F(RichEditSave, WritesTheSource)
{
    edit.LoadRtf(sample::Game());
    const QString name = dir.filePath("game.rtf");
    ASSERT_TRUE(edit.SaveToFile(name));
    EXPECT_EQ(Contents(name).toStdString(), sample::Game());
}

TEST_F(RichEditSave, ReplacesAnExistingFileWithoutWritingIntoIt)
{
    // A second link to the old file sees the old bytes after the save: the
    // old file was never truncated or written over, the new one took its name.
    const QString name = dir.filePath("game.rtf");
    const QString link = dir.filePath("old.rtf");
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    ASSERT_EQ(::link(name.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    edit.LoadRtf(sample::Game());
    ASSERT_TRUE(edit.SaveToFile(name));
    EXPECT_EQ(Contents(name).toStdString(), sample::Game());
    EXPECT_EQ(Contents(link), "old contents");
}

TEST_F(RichEditSave, FailureIsReported)
{
    edit.LoadRtf(sample::Game());
    EXPECT_FALSE(edit.SaveToFile(dir.filePath("no/such/dir/game.rtf")));
    EXPECT_FALSE(edit.SaveToFile(dir.path())); // a directory
}

} // namespace
