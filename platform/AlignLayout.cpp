#include "platform/AlignLayout.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {

constexpr const char* AlignProperty = "velmoraAlign";
constexpr const char* ManagerName = "velmoraAlignManager";
constexpr const char* WatcherName = "velmoraAlignWatcher";

// Places the items of one alignment kind and takes their room from the client area.
void AlignGroup(TAlign kind, TRect& client, const std::vector<AlignItem>& items,
                std::vector<TRect>& out)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].Align != kind) continue;
        const int w = std::max(0, items[i].Bounds.Width());
        const int h = std::max(0, items[i].Bounds.Height());
        const int cw = std::max(0, client.Width());
        const int ch = std::max(0, client.Height());
        TRect r;
        switch (kind) {
        case TAlign::alTop:
            r = Bounds(client.Left, client.Top, cw, h);
            client.Top += h;
            break;
        case TAlign::alBottom:
            r = Bounds(client.Left, client.Bottom - h, cw, h);
            client.Bottom -= h;
            break;
        case TAlign::alLeft:
            r = Bounds(client.Left, client.Top, w, ch);
            client.Left += w;
            break;
        case TAlign::alRight:
            r = Bounds(client.Right - w, client.Top, w, ch);
            client.Right -= w;
            break;
        case TAlign::alClient:
            r = Bounds(client.Left, client.Top, cw, ch);
            break;
        case TAlign::alNone:
            break;
        }
        out[i] = r;
    }
}

// Lives on an aligning parent: realigns it on resize, on layout requests and
// when a child leaves. One per parent.
class AlignManager : public QObject {
public:
    explicit AlignManager(QWidget* parent) : QObject(parent), parent_(parent)
    {
        setObjectName(ManagerName);
        parent->installEventFilter(this);
    }

    bool Aligning() const { return aligning_; }

    void Align()
    {
        if (aligning_) return;
        aligning_ = true;
        std::vector<QWidget*> children;
        std::vector<AlignItem> items;
        for (QObject* o : parent_->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow() || w->isHidden()) continue;
            const TAlign a = GetAlign(w);
            if (a == TAlign::alNone) continue;
            children.push_back(w);
            items.push_back({a, FromQRect(w->geometry())});
        }
        const std::vector<TRect> placed = ArrangeAligned(FromQRect(parent_->contentsRect()), items);
        for (std::size_t i = 0; i < children.size(); ++i) {
            const QRect r = ToQRect(placed[i]);
            if (children[i]->geometry() != r) children[i]->setGeometry(r);
        }
        aligning_ = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == parent_) {
            switch (e->type()) {
            case QEvent::Resize:
            case QEvent::LayoutRequest:
            case QEvent::ChildRemoved:
            case QEvent::ContentsRectChange:
                Align();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    QWidget* parent_;
    bool aligning_ = false;
};

AlignManager* ManagerOf(QWidget* parent, bool create)
{
    if (!parent) return nullptr;
    auto* m = parent->findChild<AlignManager*>(ManagerName, Qt::FindDirectChildrenOnly);
    if (!m && create) m = new AlignManager(parent); // owned by the parent
    return m;
}

// Lives on an aligned child: tells the parent when the child's size or
// visibility changes, and follows the child to a new parent.
class AlignWatcher : public QObject {
public:
    explicit AlignWatcher(QWidget* child) : QObject(child), child_(child)
    {
        setObjectName(WatcherName);
        child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != child_) return false;
        switch (e->type()) {
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Realign();
            break;
        case QEvent::ParentChange:
            ManagerOf(child_->parentWidget(), true);
            Realign();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Realign()
    {
        AlignManager* m = ManagerOf(child_->parentWidget(), false);
        if (m && !m->Aligning()) m->Align();
    }

    QWidget* child_;
};

} // namespace

std::vector<TRect> ArrangeAligned(const TRect& client, const std::vector<AlignItem>& items)
{
    std::vector<TRect> out;
    out.reserve(items.size());
    for (const AlignItem& it : items)
        out.push_back(it.Bounds);
    TRect rest = client;
    constexpr std::array order{TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                               TAlign::alClient};
    for (TAlign kind : order)
        AlignGroup(kind, rest, items, out);
    return out;
}

void SetAlign(QWidget* control, TAlign align)
{
    if (!control) return;
    control->setProperty(AlignProperty, static_cast<int>(align));
    if (!control->findChild<AlignWatcher*>(WatcherName, Qt::FindDirectChildrenOnly))
        new AlignWatcher(control); // owned by the control
    if (QWidget* parent = control->parentWidget()) ManagerOf(parent, true)->Align();
}

TAlign GetAlign(const QWidget* control)
{
    if (!control) return TAlign::alNone;
    const QVariant v = control->property(AlignProperty);
    if (!v.isValid()) return TAlign::alNone;
    const int a = v.toInt();
    if (a < 0 || a > static_cast<int>(TAlign::alClient)) return TAlign::alNone;
    return static_cast<TAlign>(a);
}

void AlignControls(QWidget* parent)
{
    if (AlignManager* m = ManagerOf(parent, true); m && !m->Aligning()) m->Align();
}
