#include "platform/Help.h"

#include "platform/HelpWindow.h"

#include <QTabWidget>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<HelpTopic, 9> Topics{{
    {10, "bookmarks.html"},
    {12, "search-filter.html"},
    {15, "autoplay.html"},
    {16, "annotating.html"},
    {18, "options-movelist.html"},
    {19, "options-board.html"},
    {20, "options-velmora.html"},
    {21, "options-print.html"},
    {23, "intro.html"},
}};

constexpr char ContextProperty[] = "HelpContext";

HelpService* Installed = nullptr;

int OwnContext(const QWidget* w)
{
    return w->property(ContextProperty).toInt();
}

} // namespace

std::span<const HelpTopic> HelpTopics()
{
    return Topics;
}

QUrl HelpContentsUrl()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

QUrl HelpPageUrl(int context)
{
    const auto found = std::find_if(Topics.begin(), Topics.end(),
                                    [context](const HelpTopic& t) { return t.Context == context; });
    if (found == Topics.end()) return HelpContentsUrl();
    return QUrl(QStringLiteral("qrc:/help/") + QString::fromLatin1(found->File));
}

HelpService& Help()
{
    static QtHelpService qt;
    return Installed ? *Installed : qt;
}

HelpService* SetHelpService(HelpService* service)
{
    HelpService* previous = Installed;
    Installed = service;
    return previous;
}

void ShowHelpContents()
{
    Help().ShowContents();
}

void ShowHelpContext(int context)
{
    Help().ShowContext(context);
}

void SetHelpContext(QWidget* control, int context)
{
    control->setProperty(ContextProperty, context == 0 ? QVariant() : QVariant(context));
}

int HelpContextAt(const QWidget* control, int formContext)
{
    for (const QWidget* w = control; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (const int own = OwnContext(w)) return own;
        // Focus on the tab bar: the page shown answers.
        if (const auto* tabs = qobject_cast<const QTabWidget*>(w))
            if (const QWidget* page = tabs->currentWidget())
                if (const int own = OwnContext(page)) return own;
    }
    return formContext;
}

void QtHelpService::ShowContents()
{
    HelpWindow::ShowPage(HelpContentsUrl());
}

void QtHelpService::ShowContext(int context)
{
    HelpWindow::ShowPage(HelpPageUrl(context));
}

void RecordingHelpService::ShowContents()
{
    requests_.push_back({0, HelpContentsUrl()});
}

void RecordingHelpService::ShowContext(int context)
{
    requests_.push_back({context, HelpPageUrl(context)});
}

std::vector<QUrl> RecordingHelpService::Pages() const
{
    std::vector<QUrl> pages;
    for (const Request& r : requests_)
        pages.push_back(r.Page);
    return pages;
}
