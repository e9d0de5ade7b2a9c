// Draws the main window's tool-bar pictures and writes them as PNG files,
// <name>.png at 24 x 24 and <name>@2x.png at 48 x 48, one per tool button
// (named after the button) of the names given. Every picture is designed on a 24 x 24 grid and
// painted through a scale, so both sizes come from the same strokes.
// The pieces are glyphs of the board font "Kavdiag" (outline set "pnbrqk",
// solid set "omvtwl"), the evaluation marks use "VelmoraChess Swiss"; both
// are read from the font build folder.
//
// Usage: make_toolbar <output folder> <font folder> <name>...

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

QString BoardFamily = QStringLiteral("DejaVu Sans");
QString TextFamily = QStringLiteral("DejaVu Sans");

// The shared palette: one ink, one accent per kind of command.
const QColor Ink(0x2C, 0x3A, 0x4B);
const QColor Nav(0x2F, 0x6E, 0xBA);
const QColor NavDark(0x1C, 0x4C, 0x8A);
const QColor Go(0x2E, 0x9A, 0x4A);
const QColor GoDark(0x1E, 0x6E, 0x33);
const QColor Paper(0xFF, 0xFF, 0xFF);
const QColor PaperLine(0x8A, 0x96, 0xA6);
const QColor LightSquare(0xF0, 0xD9, 0xB5);
const QColor DarkSquare(0xB5, 0x88, 0x63);
const QColor BoardEdge(0x6B, 0x4A, 0x2E);

QString AddFont(const QString& path, const QString& fallback)
{
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        std::fprintf(stderr, "make_toolbar: %s not loaded, using %s\n", qPrintable(path),
                     qPrintable(fallback));
        return fallback;
    }
    return families.first();
}

// A font size in grid units: the painter's scale makes them pixels.
QFont UnitFont(const QString& family, qreal size, int weight = QFont::Normal)
{
    QFont font(family);
    font.setPixelSize(qRound(size));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPen Stroke(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A triangle pointing left or right inside the box.
void Triangle(QPainter& p, const QRectF& box, bool right)
{
    QPolygonF t;
    if (right)
        t << box.topLeft() << QPointF(box.right(), box.center().y()) << box.bottomLeft();
    else
        t << box.topRight() << QPointF(box.left(), box.center().y()) << box.bottomRight();
    p.setPen(Stroke(NavDark, 1.0));
    p.setBrush(Nav);
    p.drawPolygon(t);
}

void Bar(QPainter& p, const QRectF& box)
{
    p.setPen(Stroke(NavDark, 1.0));
    p.setBrush(Nav);
    p.drawRoundedRect(box, 0.8, 0.8);
}

// An arrow from a to b with a filled head.
void Arrow(QPainter& p, QPointF a, QPointF b, const QColor& fill, const QColor& edge,
           qreal width = 2.2, qreal head = 4.6)
{
    const QPointF d = b - a;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const QPointF base = b - u * head;
    p.setPen(QPen(edge, width + 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, base + u * 0.4);
    p.setPen(QPen(fill, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a + u * 0.6, base + u * 0.6);
    QPolygonF tip;
    tip << b << base + n * head * 0.62 << base - n * head * 0.62;
    p.setPen(Stroke(edge, 0.9));
    p.setBrush(fill);
    p.drawPolygon(tip);
}

// A sheet of paper with a folded corner and lines of text.
void Sheet(QPainter& p, const QRectF& r, int lines = 4)
{
    const qreal fold = 4.0;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(Stroke(PaperLine.darker(130), 1.0));
    p.setBrush(Paper);
    p.drawPath(page);
    QPolygonF corner;
    corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
           << QPointF(r.right(), r.top() + fold);
    p.setBrush(QColor(0xDD, 0xE3, 0xEA));
    p.drawPolygon(corner);
    p.setPen(Stroke(PaperLine, 1.0));
    for (int i = 0; i < lines; ++i) {
        const qreal y = r.top() + 4.5 + i * 2.6;
        if (y > r.bottom() - 2) break;
        const qreal right = r.right() - (i == 0 ? fold + 1.5 : 2.5) - (i % 2 ? 2 : 0);
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(right, y));
    }
}

// A board of n x n squares, the light square at its top left.
void Board(QPainter& p, const QRectF& r, int n)
{
    const qreal s = r.width() / n;
    p.setPen(Qt::NoPen);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            p.fillRect(QRectF(r.left() + x * s, r.top() + y * s, s, s),
                       (x + y) % 2 ? DarkSquare : LightSquare);
    p.setPen(Stroke(BoardEdge, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

// One board glyph in a cell of the grid, its body filled first when body is
// valid (the solid glyph of the piece under its outline).
void Piece(QPainter& p, const QRectF& cell, QChar outline, QChar solid, const QColor& body,
           const QColor& line)
{
    p.setFont(UnitFont(BoardFamily, cell.height()));
    if (body.isValid()) {
        p.setPen(body);
        p.drawText(cell, Qt::AlignCenter, QString(solid));
    }
    p.setPen(line);
    p.drawText(cell, Qt::AlignCenter, QString(outline));
}

// --- the pictures, each on the 24 x 24 grid ---------------------------------

void OpenDatabase(QPainter& p)
{
    const QColor back(0xD9, 0x9A, 0x2B);
    const QColor front(0xF4, 0xC4, 0x5A);
    const QColor edge(0x9A, 0x66, 0x12);
    // The back of the folder with its tab, a sheet inside, the open front.
    QPainterPath rear;
    rear.moveTo(2.5, 19.5);
    rear.lineTo(2.5, 5.5);
    rear.lineTo(8.5, 5.5);
    rear.lineTo(10.5, 7.5);
    rear.lineTo(19.5, 7.5);
    rear.lineTo(19.5, 19.5);
    rear.closeSubpath();
    p.setPen(Stroke(edge, 1.0));
    p.setBrush(back);
    p.drawPath(rear);
    Sheet(p, QRectF(5.5, 3.5, 12, 12), 3);
    QPolygonF open;
    open << QPointF(2.5, 19.5) << QPointF(6.0, 11.5) << QPointF(22.5, 11.5) << QPointF(19.5, 19.5);
    p.setPen(Stroke(edge, 1.0));
    p.setBrush(front);
    p.drawPolygon(open);
}

void NewGame(QPainter& p)
{
    Board(p, QRectF(2.5, 5.5, 16, 16), 4);
    // A green plus badge at the top right.
    p.setPen(Stroke(GoDark, 1.0));
    p.setBrush(Go);
    p.drawEllipse(QPointF(18, 6), 5.2, 5.2);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(18, 3.0), QPointF(18, 9.0));
    p.drawLine(QPointF(15.0, 6), QPointF(21.0, 6));
}

// A game sheet and an arrow to the game before or after it.
void OtherGame(QPainter& p, bool next)
{
    Sheet(p, QRectF(next ? 2.5 : 8.5, 2.5, 13, 17), 5);
    const qreal y = 18.0;
    if (next)
        Arrow(p, QPointF(9.5, y), QPointF(22.5, y), Go, GoDark);
    else
        Arrow(p, QPointF(14.5, y), QPointF(1.5, y), Go, GoDark);
}

void FirstMove(QPainter& p)
{
    Bar(p, QRectF(4.5, 5.5, 2.5, 13));
    Triangle(p, QRectF(8.5, 5.5, 11, 13), false);
}

void BackMove(QPainter& p)
{
    Triangle(p, QRectF(6.5, 5.5, 11, 13), false);
}

void ForwardMove(QPainter& p)
{
    Triangle(p, QRectF(6.5, 5.5, 11, 13), true);
}

void LastMove(QPainter& p)
{
    Triangle(p, QRectF(4.5, 5.5, 11, 13), true);
    Bar(p, QRectF(17.0, 5.5, 2.5, 13));
}

// A line of moves (dots, top to bottom) and a variation that branches off
// after its first move: the variation's first move stands beside the main
// line's second, as alternatives do in the move tree.
void Branches(QPainter& p, bool fillAlternative)
{
    p.setPen(Stroke(Ink, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(5, 4), QPointF(5, 20));
    QPainterPath side;
    side.moveTo(5, 4);
    side.cubicTo(12, 5, 18, 7, 18, 12);
    side.lineTo(18, 20);
    p.drawPath(side);
    p.setPen(Stroke(Ink, 1.2));
    p.setBrush(Paper);
    for (const QPointF c : {QPointF(5, 4), QPointF(5, 12), QPointF(5, 20), QPointF(18, 20)})
        p.drawEllipse(c, 2.0, 2.0);
    p.setBrush(fillAlternative ? Nav : Paper);
    p.drawEllipse(QPointF(18, 12), 2.0, 2.0);
}

void NextLine(QPainter& p)
{
    Branches(p, true);
    // From the main line's move across to its alternative.
    Arrow(p, QPointF(7.6, 12), QPointF(15.4, 12), Nav, NavDark, 1.8, 4.2);
}

void PreviousLine(QPainter& p)
{
    Branches(p, false);
    p.setPen(Stroke(Ink, 1.2));
    p.setBrush(Nav);
    p.drawEllipse(QPointF(5, 12), 2.0, 2.0);
    // From the alternative back to the move of the line it branched from.
    Arrow(p, QPointF(15.4, 12), QPointF(7.6, 12), Nav, NavDark, 1.8, 4.2);
}

void Evaluation(QPainter& p)
{
    const QColor mark(0xB0, 0x2A, 0x2A);
    p.setPen(Stroke(mark.darker(140), 1.0));
    p.setBrush(QColor(0xFF, 0xF4, 0xE6));
    p.drawRoundedRect(QRectF(1.5, 2.5, 21, 19), 3, 3);
    p.setFont(UnitFont(TextFamily, 16, QFont::Bold));
    p.setPen(mark);
    p.drawText(QRectF(0, 1.5, 24, 20), Qt::AlignCenter, QStringLiteral("!?"));
}

void Copy(QPainter& p)
{
    Sheet(p, QRectF(3.5, 2.5, 12, 15), 4);
    Sheet(p, QRectF(9.5, 7.5, 12, 15), 4);
}

void Print(QPainter& p)
{
    const QColor body(0x8C, 0x98, 0xA8);
    const QColor edge(0x4A, 0x55, 0x63);
    Sheet(p, QRectF(6.5, 1.5, 11, 9), 2);
    p.setPen(Stroke(edge, 1.0));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
    p.setBrush(QColor(0x4A, 0xC0, 0x5A));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(18.5, 12.5), 1.0, 1.0);
    // The printed page coming out at the front.
    p.setPen(Stroke(edge, 1.0));
    p.setBrush(Paper);
    p.drawRect(QRectF(6.5, 15.5, 11, 7));
    p.setPen(Stroke(PaperLine, 1.0));
    p.drawLine(QPointF(8.5, 18.5), QPointF(15.5, 18.5));
    p.drawLine(QPointF(8.5, 20.5), QPointF(13.5, 20.5));
}

// The schemes show the same two pieces, a king and a bishop: White's and
// Black's, or each in its colour of the coloured set.
void TraditionalScheme(QPainter& p)
{
    Piece(p, QRectF(-2.5, 3.5, 17, 17), 'k', 'l', Qt::white, Qt::black);
    Piece(p, QRectF(9, 3.5, 17, 17), 'v', 'v', QColor(), Qt::black);
}

void VelmoraScheme(QPainter& p)
{
    Piece(p, QRectF(-2.5, 3.5, 17, 17), 'k', 'l', QColor(0xFF, 0x66, 0x66),
          QColor(0xE1, 0x00, 0x00));
    Piece(p, QRectF(9, 3.5, 17, 17), 'b', 'v', QColor(0x00, 0xD7, 0xD7), QColor(0x4D, 0x70, 0xFD));
}

void Options(QPainter& p)
{
    // A gear: eight teeth around a ring.
    const QPointF c(12, 12);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = (i - 1.5) * M_PI * 2 / (teeth * 4);
        const qreal r = (i % 4 < 2) ? 10.0 : 7.6;
        const QPointF pt = c + QPointF(std::cos(a), std::sin(a)) * r;
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 3.2, 3.2);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(Stroke(Ink, 1.0));
    p.setBrush(QColor(0x7A, 0x88, 0x99));
    p.drawPath(gear);
}

// The board's orientation and the side to move: a board between a strip of
// the side at the top and one of the side at the bottom, and a dot of the
// colour of the side to move beside its strip.
void Orientation(QPainter& p, bool blackBelow, bool blackToMove)
{
    Board(p, QRectF(1.5, 4.5, 15, 15), 3);
    const QColor white(0xFA, 0xFA, 0xFA);
    const QColor black(0x1A, 0x1A, 0x1A);
    const QColor top = blackBelow ? white : black;
    const QColor bottom = blackBelow ? black : white;
    p.setPen(Stroke(Ink, 1.0));
    p.setBrush(top);
    p.drawRect(QRectF(1.5, 1.0, 15, 2.5));
    p.setBrush(bottom);
    p.drawRect(QRectF(1.5, 20.5, 15, 2.5));
    const bool moverBelow = blackToMove == blackBelow;
    p.setBrush(blackToMove ? black : white);
    p.setPen(Stroke(Ink, 1.2));
    p.drawEllipse(QPointF(20.5, moverBelow ? 19.0 : 5.0), 2.6, 2.6);
}

struct Picture {
    const char* Name;
    std::function<void(QPainter&)> Draw;
};

const Picture Pictures[] = {
    {"ToolButton9", OpenDatabase},
    {"ToolButton8", NewGame},
    {"PrevGameButton", [](QPainter& p) { OtherGame(p, false); }},
    {"NextGameButton", [](QPainter& p) { OtherGame(p, true); }},
    {"ToolButton1", FirstMove},
    {"ToolButton2", BackMove},
    {"ToolButton3", ForwardMove},
    {"ToolButton4", LastMove},
    {"ToolButton15", NextLine},
    {"ToolButton17", PreviousLine},
    {"EvalButton", Evaluation},
    {"CopyButton", Copy},
    {"PrintButton", Print},
    {"ToolButton13", TraditionalScheme},
    {"ToolButton14", VelmoraScheme},
    {"ToolButton16", Options},
    {"SwButton8", [](QPainter& p) { Orientation(p, false, false); }},
    {"SwButton9", [](QPainter& p) { Orientation(p, false, true); }},
    {"SwButton10", [](QPainter& p) { Orientation(p, true, false); }},
    {"SwButton11", [](QPainter& p) { Orientation(p, true, true); }},
};

QImage Render(const Picture& picture, int scale)
{
    QImage image(24 * scale, 24 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    picture.Draw(p);
    return image;
}

bool Write(const QString& folder, const QString& file, const QImage& image)
{
    const QString path = QDir(folder).filePath(file);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_toolbar: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_toolbar <output folder> <font folder> <name>...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QDir fonts(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out);
    BoardFamily = AddFont(fonts.filePath("Kavdiag.ttf"), BoardFamily);
    TextFamily = AddFont(fonts.filePath("VelmoraChessSwiss-Bold.ttf"), TextFamily);

    for (int i = 3; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        const auto found = std::find_if(std::begin(Pictures), std::end(Pictures),
                                        [&](const Picture& p) { return name == p.Name; });
        if (found == std::end(Pictures)) {
            std::fprintf(stderr, "make_toolbar: no picture for %s\n", argv[i]);
            return 1;
        }
        if (!Write(out, name + ".png", Render(*found, 1)) ||
            !Write(out, name + "@2x.png", Render(*found, 2)))
            return 1;
    }
    return 0;
}
