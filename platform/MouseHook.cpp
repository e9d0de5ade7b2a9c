#include "platform/MouseHook.h"

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

namespace {

class RightPressFilter : public QObject {
public:
    RightPressFilter(QObject* parent, std::function<void()> handler)
        : QObject(parent), handler_(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            handler_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

void OnRightPress(QWidget* widget, std::function<void()> handler)
{
    if (widget) widget->installEventFilter(new RightPressFilter(widget, std::move(handler)));
}
