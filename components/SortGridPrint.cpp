// Printing of the sortable grid on Printer(): pages of rows in bands of
// columns, each page headed by the logo, the title and row 0 and ended by
// the three-part footer; the preview draws the same pages at screen scale.
//
// One layout serves printing, the preview and the page count, so that they
// always agree: it is made in printer pixels, and the preview paints it
// through a painter scaled down to the screen's resolution.
#include "components/SortGrid.h"

#include "components/SortGridPages.h"
#include "components/SortGridPreview.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/FormatDateTime.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Option lengths (screen pixels) and font sizes (points) are kept within these.
constexpr int kMaxPrintLength = 100000;
constexpr int kMaxFontSize = 500;
// A logo is drawn only up to this many printer pixels.
constexpr long long kMaxLogoPixels = 64LL << 20;

int Length(int value)
{
    return std::clamp(value, 0, kMaxPrintLength);
}

// The grid's font at size points, in screen pixels.
QFont ScreenFont(const TFont& font, int points)
{
    TFont f = font;
    f.SetSize(std::clamp(points, 1, kMaxFontSize));
    return f.QtFont();
}

// A screen font scaled to printer pixels.
QFont PrinterFont(const QFont& screen, double scale)
{
    QFont f = screen;
    const int px = screen.pixelSize() > 0 ? screen.pixelSize() : 13;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(px * scale))));
    return f;
}

int Flags(TAlignment horz, TVertAlignment vert, bool wrap)
{
    int flags = horz == TAlignment::taRightJustify ? Qt::AlignRight
                : horz == TAlignment::taCenter     ? Qt::AlignHCenter
                                                   : Qt::AlignLeft;
    flags |= vert == TVertAlignment::taBottomJustify ? Qt::AlignBottom
             : vert == TVertAlignment::taMiddle      ? Qt::AlignVCenter
                                                     : Qt::AlignTop;
    return flags | (wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

// Text with its top-left at (x, y).
void TextAt(QPainter& p, int x, int y, const QString& text)
{
    p.drawText(QRect(x, y, 1 << 24, 1 << 24), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               text);
}

} // namespace

struct TSortGrid::PrintJob {
    TPageFrame Frame;
    TPrintLayout Layout;
    QImage Logo; // at printer scale
    QFont TitleScreen, FooterScreen;
    QFont TitlePrinter, FooterPrinter;
    QString Date, Time;
};

TSortGrid::PrintJob TSortGrid::PreparePrint(TPrintMode Mode, int FromRow, int ToRow)
{
    const TPrintOptions& o = printOptions_;
    PrinterDevice& printer = Printer();
    // The page sizes follow the orientation the grid prints in.
    printer.SetOrientation(o.Orientation);
    PrintJob job;
    TPageFrame& f = job.Frame;
    f.PageWidth = std::max(1, printer.PageWidth());
    f.PageHeight = std::max(1, printer.PageHeight());
    f.ScaleX = std::max(1, printer.LogPixelsX()) / static_cast<double>(ScreenPixelsPerInch);
    f.ScaleY = std::max(1, printer.LogPixelsY()) / static_cast<double>(ScreenPixelsPerInch);
    f.MarginLeft = Length(o.MarginLeft);
    f.MarginRight = Length(o.MarginRight);
    f.MarginTop = Length(o.MarginTop);
    f.MarginBottom = Length(o.MarginBottom);
    f.PageTitleMargin = Length(o.PageTitleMargin);

    // A logo that is no loadable picture counts as none.
    int logoHeight = 0;
    if (!o.Logo.isEmpty() && QFileInfo(o.Logo).isFile()) {
        const QImage picture(o.Logo);
        if (!picture.isNull()) {
            logoHeight = picture.height();
            const int w = PrinterScale(picture.width(), f.ScaleX);
            const int h = PrinterScale(picture.height(), f.ScaleY);
            if (Mode != TPrintMode::pmPageCount && w > 0 && h > 0 &&
                static_cast<long long>(w) * h <= kMaxLogoPixels) {
                job.Logo = QImage(w, h, QImage::Format_RGB32);
                SmoothResize(picture, job.Logo);
            }
        }
    }

    job.TitleScreen = ScreenFont(Font(), o.HeaderSize);
    job.FooterScreen = ScreenFont(Font(), o.FooterSize);
    job.TitlePrinter = PrinterFont(job.TitleScreen, f.ScaleY);
    job.FooterPrinter = PrinterFont(job.FooterScreen, f.ScaleY);
    f.TitleHeight = std::max(QFontMetrics(job.TitleScreen).height(), logoHeight);
    // Measured the same way on every page, drawn or only counted.
    f.FooterHeight = o.PageFooter.isEmpty() ? QFontMetrics(Font().QtFont()).height()
                                            : QFontMetrics(job.FooterScreen).height();

    std::vector<int> widths(static_cast<std::size_t>(ColCount()));
    for (int c = 0; c < ColCount(); ++c)
        widths[static_cast<std::size_t>(c)] = ColWidths(c);
    std::vector<int> heights(static_cast<std::size_t>(RowCount()));
    for (int r = 0; r < RowCount(); ++r)
        heights[static_cast<std::size_t>(r)] = RowHeights(r);
    job.Layout = PaginateRows(widths, heights, FromRow, ToRow, f);

    const QDateTime now = QDateTime::currentDateTime();
    TDateTimeNames names;
    names.DateSeparator = QLatin1Char(FormatSettings.DateSeparator);
    names.TimeSeparator = QLatin1Char(FormatSettings.TimeSeparator);
    job.Date = FormatDateTime(o.DateFormat, now, names);
    job.Time = FormatDateTime(o.TimeFormat, now, names);
    return job;
}

void TSortGrid::DrawPrintPage(QPainter& Painter, const PrintJob& Job, int PageIndex)
{
    const TPrintOptions& o = printOptions_;
    const TPageFrame& f = Job.Frame;
    const TPrintLayout& layout = Job.Layout;
    const TPrintPage& page = layout.Pages[static_cast<std::size_t>(PageIndex)];
    const TPrintBand& band = layout.Bands[static_cast<std::size_t>(page.Band)];
    Painter.save();
    Painter.setPen(Qt::black);

    // Logo and title.
    if (!Job.Logo.isNull())
        Painter.drawImage(QPoint(PrinterScale(f.MarginLeft, f.ScaleX), layout.TitleTop), Job.Logo);
    if (!o.PageTitle.isEmpty()) {
        const int w = QFontMetrics(Job.TitleScreen).horizontalAdvance(o.PageTitle);
        Painter.setFont(Job.TitlePrinter);
        TextAt(Painter, f.PageWidth / 2 - PrinterScale(w / 2, f.ScaleX), layout.TitleTop,
               o.PageTitle);
    }

    // Footer.
    if (!o.PageFooter.isEmpty()) {
        const QString label = PageLabel(page, static_cast<int>(layout.Bands.size()));
        const auto parts = FooterParts(o.PageFooter, Job.Date, Job.Time, label);
        const QFontMetrics fm(Job.FooterScreen);
        Painter.setFont(Job.FooterPrinter);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const QString& part = parts[i];
            if (part.isEmpty()) continue;
            const int w = fm.horizontalAdvance(part);
            const int y = f.PageHeight - PrinterScale(fm.height() + f.MarginBottom, f.ScaleY);
            const int x = i == 0   ? PrinterScale(f.MarginLeft, f.ScaleX)
                          : i == 1 ? f.PageWidth / 2 - PrinterScale(w, f.ScaleX) / 2
                                   : f.PageWidth - PrinterScale(w + f.MarginRight + 10, f.ScaleX);
            TextAt(Painter, x, y, part);
        }
    }

    // Row 0 heads the page; the rows stop above the footer, a row too tall
    // for any page cut off there.
    Painter.setClipRect(QRect(0, 0, f.PageWidth, std::max(0, layout.RowsBottom)));
    if (RowCount() > 0 && RowHeights(0) > 0)
        DrawPrintRow(Painter, Job, band.FirstCol, band.LastCol, 0, layout.HeaderTop);
    int y = layout.RowsTop;
    for (int r = page.FirstRow; r <= page.LastRow; ++r) {
        if (RowHeights(r) == 0) continue;
        DrawPrintRow(Painter, Job, band.FirstCol, band.LastCol, r, y);
        y += PrinterScale(RowHeights(r), f.ScaleY);
    }
    Painter.restore();
}

void TSortGrid::DrawPrintRow(QPainter& Painter, const PrintJob& Job, int FirstCol, int LastCol,
                             int ARow, int Y)
{
    const TPrintOptions& o = printOptions_;
    const TPageFrame& f = Job.Frame;
    // Each row starts from the grid font, as on the screen.
    Canvas.Font = Font();
    Canvas.Brush = savedBrush_;
    const bool footer = IsFooterRow(ARow);
    const int height = PrinterScale(RowHeights(ARow), f.ScaleY);
    const int frameWidth = std::max(1, PrinterScale(1, f.ScaleX));
    int x = PrinterScale(f.MarginLeft, f.ScaleX);
    for (int c = FirstCol; c <= LastCol; ++c) {
        const int w = ColWidths(c);
        if (w == 0) continue;
        TFormatOptions fo;
        InitializeFormatOptions(c, ARow, fo);
        if (!footer)
            fo.Brush.Color = ARow < FixedRows() || c < FixedCols() ? FixedColor() : Color();
        if (OnGetCellFormat) OnGetCellFormat(this, c, ARow, GetCellDrawState(c, ARow), fo);

        const QRect cell(x, Y, PrinterScale(w, f.ScaleX), height);
        const QRect widened =
            cell.adjusted(0, 0, PrinterScale(2, f.ScaleX), PrinterScale(1, f.ScaleY));
        if (fo.Brush.Style != TBrushStyle::bsClear)
            Painter.fillRect(widened, ToQColor(fo.Brush.Color));
        if (o.BorderStyle == TBorderStyle::bsSingle) {
            const QColor pen = Qt::black;
            Painter.fillRect(QRect(widened.left(), widened.top(), widened.width(), frameWidth),
                             pen);
            Painter.fillRect(QRect(widened.left(), widened.bottom() + 1 - frameWidth,
                                   widened.width(), frameWidth),
                             pen);
            Painter.fillRect(QRect(widened.left(), widened.top(), frameWidth, widened.height()),
                             pen);
            Painter.fillRect(QRect(widened.right() + 1 - frameWidth, widened.top(), frameWidth,
                                   widened.height()),
                             pen);
        }
        if (!fo.HideText) {
            const QString text = DisplayText(Cells(c, ARow));
            Painter.setFont(FontForText(PrinterFont(fo.Font.QtFont(), f.ScaleY), text));
            Painter.setPen(ToQColor(fo.Font.Color));
            Painter.drawText(cell.adjusted(PrinterScale(Length(o.Leftpadding), f.ScaleX), 0, 0, 0),
                             Flags(fo.AlignmentHorz, fo.AlignmentVert, wordWrap_), text);
        }
        x += PrinterScale(w + 1, f.ScaleX);
    }
    Canvas.Font = Font();
    Canvas.Brush = savedBrush_;
}

void TSortGrid::DrawToCanvas(TCanvas* ACanvas, TPrintMode Mode, int FromRow, int ToRow)
{
    Canvas.Font = Font();
    Canvas.Brush = savedBrush_;
    const PrintJob job = PreparePrint(Mode, FromRow, ToRow);
    const int pages = static_cast<int>(job.Layout.Pages.size());
    QPainter* painter = ACanvas && ACanvas->Active() ? ACanvas->Painter() : nullptr;
    switch (Mode) {
    case TPrintMode::pmPageCount:
        pageCounter_ += pages;
        return;
    case TPrintMode::pmPreview: {
        const int wanted = printOptions_.PreviewPage;
        pageCounter_ += std::clamp(wanted, 0, pages);
        if (painter && wanted >= 1 && wanted <= pages) DrawPrintPage(*painter, job, wanted - 1);
        return;
    }
    case TPrintMode::pmPrint:
        for (int k = 0; k < pages; ++k) {
            if (k > 0 && !Printer().NewPage()) return;
            ++pageCounter_;
            if (painter) DrawPrintPage(*painter, job, k);
        }
        return;
    }
}

bool TSortGrid::Print()
{
    PrinterDevice& printer = Printer();
    if (!printer.Installed()) {
        Dialogs().MessageDlg(QStringLiteral("No Printer is installed"), TMsgDlgType::mtError,
                             mbOKOnly);
        return false;
    }
    TPrintOptions& o = printOptions_;
    printer.SetCopies(std::max(1, o.Copies));
    printer.SetOrientation(o.Orientation);
    o.ToRow = RowCount() - 1;
    QPainter* painter = printer.BeginDoc(o.JobTitle);
    if (!painter) return false;
    // The job ends however the drawing ends.
    struct EndDoc {
        PrinterDevice& printer;
        bool ended = false;
        bool End()
        {
            ended = true;
            return printer.EndDoc();
        }
        ~EndDoc()
        {
            if (!ended) printer.EndDoc();
        }
    } end{printer};
    pageCounter_ = 0;
    TCanvas canvas;
    canvas.Begin(painter);
    // Row 0 heads every page, so the rows start at 1 at the earliest.
    DrawToCanvas(&canvas, TPrintMode::pmPrint, std::max(o.FromRow, 1), o.ToRow);
    canvas.End();
    return end.End();
}

void TSortGrid::UpdatePreview(QImage& Bitmap)
{
    pageCounter_ = 0;
    PrinterDevice& printer = Printer();
    printer.SetOrientation(printOptions_.Orientation);
    const int pageWidth = std::max(1, printer.PageWidth());
    const int pageHeight = std::max(1, printer.PageHeight());
    // The printed page at screen resolution.
    const double toScreenX =
        ScreenPixelsPerInch / static_cast<double>(std::max(1, printer.LogPixelsX()));
    const double toScreenY =
        ScreenPixelsPerInch / static_cast<double>(std::max(1, printer.LogPixelsY()));
    const int w = std::clamp(static_cast<int>(std::lround(pageWidth * toScreenX)), 1, 1 << 14);
    const int h = std::clamp(static_cast<int>(std::lround(pageHeight * toScreenY)), 1, 1 << 14);
    Bitmap = QImage(w, h, QImage::Format_RGB32);
    Bitmap.fill(ToQColor(Color()));
    QPainter painter(&Bitmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(static_cast<double>(w) / pageWidth, static_cast<double>(h) / pageHeight);
    TCanvas canvas;
    canvas.Begin(&painter);
    DrawToCanvas(&canvas, TPrintMode::pmPreview, 1, RowCount() - 1);
    canvas.End();
}

int TSortGrid::PageCount()
{
    pageCounter_ = 0;
    DrawToCanvas(nullptr, TPrintMode::pmPageCount, 1, RowCount() - 1);
    return pageCounter_;
}

void TSortGrid::PrintPreview()
{
    // The preview opens on the first page, whatever page it showed last time.
    printOptions_.PreviewPage = 1;
    TSortGridPreviewForm form;
    form.SetGrid(this);
    QImage page;
    UpdatePreview(page);
    form.SetPrintImage(page);
    form.ShowModal();
}

void TSortGrid::SmoothResize(const QImage& Src, QImage& Dst)
{
    if (Src.isNull() || Dst.isNull() || Src.width() < 1 || Src.height() < 1) return;
    const QImage src = Src.convertToFormat(QImage::Format_RGB32);
    if (Dst.format() != QImage::Format_RGB32) Dst = Dst.convertToFormat(QImage::Format_RGB32);
    const long long sw = src.width();
    const long long sh = src.height();
    const long long dw = Dst.width();
    const long long dh = Dst.height();
    // Fixed point with 15 fractional bits; neighbours beyond the last column
    // or row are the last one.
    const long long xstep = ((sw - 1) << 15) / dw;
    const long long ystep = ((sh - 1) << 15) / dh;
    for (long long j = 0; j < dh; ++j) {
        const long long sy = j * ystep;
        const long long y0 = std::min(sy >> 15, sh - 1);
        const long long y1 = std::min(y0 + 1, sh - 1);
        const long long fy = sy & 0x7FFF;
        const auto* top = reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(y0)));
        const auto* bottom = reinterpret_cast<const QRgb*>(src.constScanLine(static_cast<int>(y1)));
        auto* out = reinterpret_cast<QRgb*>(Dst.scanLine(static_cast<int>(j)));
        for (long long i = 0; i < dw; ++i) {
            const long long sx = i * xstep;
            const long long x0 = std::min(sx >> 15, sw - 1);
            const long long x1 = std::min(x0 + 1, sw - 1);
            const long long fx = sx & 0x7FFF;
            const long long wTR = (fx * (32768 - fy)) >> 15;
            const long long wTL = (32768 - fy) - wTR;
            const long long wBR = (fx * fy) >> 15;
            const long long wBL = fy - wBR;
            const QRgb tl = top[x0], tr = top[x1], bl = bottom[x0], br = bottom[x1];
            auto mix = [&](int (*channel)(QRgb)) {
                return static_cast<int>((channel(tr) * wTR + channel(tl) * wTL + channel(bl) * wBL +
                                         channel(br) * wBR) >>
                                        15);
            };
            out[i] = qRgb(mix(qRed), mix(qGreen), mix(qBlue));
        }
    }
}
