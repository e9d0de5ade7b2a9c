#include "app/Unit3.h"

#include "app/BoardInput.h"
#include "app/BoardView.h"
#include "app/OptionValues.h"
#include "platform/Types.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TPromoteForm* PromoteForm = nullptr;

TPromoteForm::TPromoteForm(QWidget* parent) : TModalForm(parent)
{
    setObjectName("PromoteForm");
    setWindowTitle(" Promote to...");
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

int TPromoteForm::Choose()
{
    const int s = std::max(SquareSize, MinSquareSize);
    setFixedSize(4 * s + 16, s + 10);
    return ShowModal() == mrOk ? std::clamp(Tag, 0, 3) : -1;
}

void TPromoteForm::paintEvent(QPaintEvent*)
{
    FormPaint();
}

void TPromoteForm::FormPaint()
{
    const int s = SquareSize;
    if (s < MinSquareSize) return;
    QPainter painter(this);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 2; ++r)
            painter.fillRect(c * s, r * s, s, s,
                             ToQColor((c + r) % 2 == 0 ? BoardDarkSquare : BoardLightSquare));
    const int base = PromoteBlack ? 11 : 5; // queen, rook, bishop, knight
    for (int k = 0; k < 4; ++k) {
        const QImage& image = PieceBitmaps[static_cast<std::size_t>(base - k)];
        if (!image.isNull()) DrawKeyed(painter, k * s, 0, image, PieceKeyColor);
    }
}

void TPromoteForm::mouseReleaseEvent(QMouseEvent* event)
{
    FormMouseUp(event->position().toPoint().x());
}

void TPromoteForm::FormMouseUp(int x)
{
    // A release beside the four pieces takes the nearest of them.
    Tag = std::clamp(x / (std::max(SquareSize, 1) + 2), 0, 3);
    done(mrOk);
}
