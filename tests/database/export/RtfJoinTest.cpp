#include "database/RtfJoin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::string Prolog = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl{"
                           "\\f0\\fswiss\\fcharset0 VelmoraChess Swiss;}"
                           "{\\f5\\fswiss\\fprq2\\fcharset2 Velmora "
                           "Diagram;}}\r\n{\\colortbl;\\red181\\green172\\blue13;}\r\n"
                           "\\viewkind4\\uc1\\qj\\b\\f0\\fs28 ";

std::string Body(const std::string& white)
{
    return "{\\fs30 " + white +
           " \\'96 Black\\par\\fs28\\b0 Event 2024\\par"
           "\\f0\\fs18\\i0\\cf1  \\par}\\sb60\\sa80 1.e4 e5 {\\cf6 a \\} brace}\\li10\\sb30\\sa200 "
           "\\par\\par";
}

std::string Document(const std::string& white)
{
    return Prolog + Body(white) + "}";
}

int Depth(const std::string& rtf)
{
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth == 0 && i + 1 != rtf.size())
            return -1; // the document group closed before the end
    }
    return depth;
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(RtfJoin, SplitsHeadAtTheBlankAfterViewkind)
{
    const auto parts = SplitRtfDocument(Document("Anna"));
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->Head, Prolog);
    EXPECT_EQ(parts->Body, Body("Anna"));
}

struct SplitCase {
    const char* name;
    std::string doc;
    std::string body; // empty with found = false
    bool found;
    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class RtfSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(RtfSplit, Body)
{
    const SplitCase& c = GetParam();
    const auto parts = SplitRtfDocument(c.doc);
    ASSERT_EQ(parts.has_value(), c.found);
    if (c.found) {
        EXPECT_EQ(parts->Body, c.body);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfSplit,
    testing::Values(
        SplitCase{"TrailingNulAndLineBreak", Prolog + "x\\par}\r\n" + std::string(1, '\0') + "junk",
                  "x\\par", true},
        SplitCase{"TextAfterTheDocumentGroup", Prolog + "a}b{c", "a", true},
        SplitCase{"EscapedBracesStayInTheBody", Prolog + "\\{ \\} \\\\}", "\\{ \\} \\\\", true},
        SplitCase{"UnclosedGroupsAreClosed", Prolog + "{\\b x{\\i y", "{\\b x{\\i y}}", true},
        SplitCase{"UnclosedDocumentGroup", Prolog + "abc", "abc", true},
        SplitCase{"NoViewkind", "{\\rtf1 abc}", "", false},
        SplitCase{"ViewkindWithoutBlank", "{\\rtf1\\viewkind4", "", false},
        SplitCase{"Empty", "", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RtfJoin, ThreeDocumentsMakeOneDocument)
{
    const std::string a = Document("Anna"), b = Document("Bert"), c = Document("Cleo");
    const std::string joined = JoinRtfDocuments({a, b, c});

    EXPECT_EQ(joined, Prolog + Body("Anna") + "\\sb0\\sa0 " + Body("Bert") + "\\sb0\\sa0 " +
                          Body("Cleo") + "}");
    EXPECT_EQ(Count(joined, "{\\rtf1"), 1u);
    EXPECT_EQ(Count(joined, "\\fonttbl"), 1u);
    EXPECT_EQ(Count(joined, "\\colortbl"), 1u);
    EXPECT_EQ(joined.find('\0'), std::string::npos);
    EXPECT_EQ(Depth(joined), 0);
    EXPECT_EQ(joined.back(), '}');
    EXPECT_LT(joined.find("Anna"), joined.find("Bert"));
    EXPECT_LT(joined.find("Bert"), joined.find("Cleo"));
}

TEST(RtfJoin, IncrementalWritesEqualTheWholeJoin)
{
    // The export writes the first document, then each later one over the
    // file's closing brace.
    const std::string docs[] = {Document("Anna"), Document("Bert") + std::string(1, '\0'),
                                Document("Cleo")};
    std::string file = RtfJoinFirst(*SplitRtfDocument(docs[0]));
    for (int i = 1; i < 3; ++i) {
        file.pop_back();
        file += RtfJoinNext(*SplitRtfDocument(docs[i]));
        EXPECT_EQ(Depth(file), 0) << "after game " << i + 1;
    }
    EXPECT_EQ(file, JoinRtfDocuments({docs[0], docs[1], docs[2]}));
}

TEST(RtfJoin, DocumentsThatCannotBeSplitAreLeftOut)
{
    EXPECT_EQ(JoinRtfDocuments({"garbage", Document("Anna"), "{\\rtf1}"}), Document("Anna"));
    EXPECT_EQ(JoinRtfDocuments({"garbage"}), "");
    EXPECT_EQ(JoinRtfDocuments({}), "");
}

TEST(RtfJoin, BodyWithUnbalancedGroupsStillJoinsToOneDocument)
{
    const std::string broken = Prolog + "{\\b open{\\i deeper";
    const std::string joined = JoinRtfDocuments({Document("Anna"), broken, Document("Cleo")});
    EXPECT_EQ(Depth(joined), 0);
    EXPECT_NE(joined.find("Cleo"), std::string::npos);
}

} // namespace
