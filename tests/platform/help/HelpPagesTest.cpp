// The help pages under :/help: every context number the program's sources
// use has a page of its own, unknown numbers give the contents, every link
// leads to a page (and anchor) that exists, pictures come from the
// program's own resources, and every page can be reached from the contents.
#include "platform/Help.h"
#include "tests/support/TestApp.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

QString ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString ResourcePath(const QUrl& url)
{
    return QLatin1Char(':') + url.path();
}

// Context numbers written in the sources: "HelpContext = n",
// "SetHelpContext(control, n)" and "ShowHelpContext(n)".
std::map<int, QString> ContextsInSources()
{
    const QRegularExpression use(
        R"((?:HelpContext\s*=\s*|SetHelpContext\s*\([^,;]+,\s*|ShowHelpContext\s*\()(\d+))");
    std::map<int, QString> found;
    for (const char* folder : {"app", "components", "platform"}) {
        QDirIterator it(QStringLiteral(VELMORA_SOURCE_DIR "/") + folder,
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            auto match = use.globalMatch(ReadText(path));
            while (match.hasNext()) {
                const int context = match.next().captured(1).toInt();
                if (context != 0) found.emplace(context, path);
            }
        }
    }
    return found;
}

// The values of one attribute (href, src) in a page.
std::vector<QString> Attributes(const QString& html, const QString& name)
{
    const QRegularExpression attribute(name + R"re(="([^"]*)")re");
    std::vector<QString> out;
    auto match = attribute.globalMatch(html);
    while (match.hasNext())
        out.push_back(match.next().captured(1));
    return out;
}

class HelpPages : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApp(); }
};

} // namespace

TEST_F(HelpPages, EveryContextInUseHasItsOwnPage)
{
    std::map<int, QString> contexts = ContextsInSources();
    // The dialogs that carry these numbers may not all be built yet; the
    // numbers themselves are fixed.
    for (int context : {10, 12, 15, 16, 18, 19, 20, 21, 23})
        contexts.emplace(context, QStringLiteral("(fixed)"));
    ASSERT_TRUE(ContextsInSources().count(15)) << "the scan finds the autoplay dialog's context";

    std::set<QString> pages;
    for (const auto& [context, where] : contexts) {
        SCOPED_TRACE(testing::Message() << "context " << context << " in " << where.toStdString());
        const QUrl page = HelpPageUrl(context);
        EXPECT_NE(page, HelpContentsUrl()) << "no page of its own";
        const QString html = ReadText(ResourcePath(page));
        EXPECT_TRUE(html.contains("<title>")) << "page missing or without title";
        EXPECT_TRUE(html.contains("<h1>"));
        pages.insert(page.toString());
    }
    // Only the comment and the evaluation dialogs share a number.
    EXPECT_EQ(pages.size(), contexts.size());
}

TEST_F(HelpPages, ZeroAndUnknownContextsOpenTheContents)
{
    for (int context : {0, -1, 1, 11, 17, 22, 24, 1000}) {
        SCOPED_TRACE(context);
        EXPECT_EQ(HelpPageUrl(context), HelpContentsUrl());
    }
    EXPECT_EQ(HelpContentsUrl(), QUrl("qrc:/help/index.html"));
    for (const HelpTopic& topic : HelpTopics())
        EXPECT_TRUE(HelpPageUrl(topic.Context).toString().endsWith(topic.File));
}

TEST_F(HelpPages, LinksLeadToExistingPagesAndAnchors)
{
    const QDir dir(QStringLiteral(":/help"));
    const QStringList files = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(files.size(), 10);
    std::map<QString, std::vector<QString>> links; // page -> pages it links to
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QUrl page(QStringLiteral("qrc:/help/") + file);
        const QString html = ReadText(ResourcePath(page));
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        for (const QString& src : Attributes(html, "src")) {
            const QUrl picture = page.resolved(QUrl(src));
            EXPECT_EQ(picture.scheme(), QStringLiteral("qrc")) << "a picture from outside";
            EXPECT_TRUE(QFile::exists(ResourcePath(picture))) << src.toStdString();
        }
        if (file != QStringLiteral("index.html")) {
            EXPECT_TRUE(html.contains(QStringLiteral("href=\"index.html\"")))
                << "no way back to the contents";
        }
        for (const QString& href : Attributes(html, "href")) {
            SCOPED_TRACE(href.toStdString());
            const QUrl target = page.resolved(QUrl(href));
            ASSERT_EQ(target.scheme(), QStringLiteral("qrc")) << "links stay inside the help";
            const QString text = ReadText(ResourcePath(target));
            ASSERT_FALSE(text.isEmpty()) << "no such page";
            if (target.hasFragment()) {
                EXPECT_TRUE(text.contains(QStringLiteral("name=\"%1\"").arg(target.fragment())))
                    << "no such anchor";
            }
            links[file].push_back(QFileInfo(target.path()).fileName());
        }
    }
    // Every page is reached from the contents.
    std::set<QString> reached{QStringLiteral("index.html")};
    std::vector<QString> todo{QStringLiteral("index.html")};
    while (!todo.empty()) {
        const QString page = todo.back();
        todo.pop_back();
        for (const QString& next : links[page])
            if (reached.insert(next).second) todo.push_back(next);
    }
    for (const QString& file : files)
        EXPECT_TRUE(reached.count(file)) << file.toStdString() << " is not linked";
}
