#include "platform/Printer.h"

#include "platform/Dialogs.h"
#include "platform/RtfReader.h"
#include "platform/SaveFile.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

PrinterDevice* InstalledPrinter = nullptr;
std::unique_ptr<QPrinter> DefaultQPrinter;
std::unique_ptr<QtPrinterDevice> DefaultPrinter;

// The file a PDF job wrote is whole: it starts as a PDF, ends with the
// trailer, and the cross-reference table is where the trailer says. A write
// the disk refused on the way leaves one of them wrong.
bool WholePdf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray pdf = file.readAll();
    if (file.error() != QFileDevice::NoError || !pdf.startsWith("%PDF-")) return false;
    const QByteArray tail = pdf.right(64).trimmed();
    const qsizetype start = tail.lastIndexOf("startxref");
    if (!tail.endsWith("%%EOF") || start < 0) return false;
    const qsizetype from = start + qsizetype(sizeof("startxref") - 1);
    bool number = false;
    const qint64 xref = tail.mid(from, tail.size() - 5 - from).trimmed().toLongLong(&number);
    return number && xref >= 0 && xref < pdf.size() && pdf.mid(xref, 4) == "xref";
}

} // namespace

QPrinter& SystemPrinter()
{
    Printer();
    return *DefaultQPrinter;
}

PrinterDevice& Printer()
{
    if (InstalledPrinter) return *InstalledPrinter;
    if (!DefaultPrinter) {
        DefaultQPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        DefaultPrinter = std::make_unique<QtPrinterDevice>(*DefaultQPrinter);
        // Gone with the application, while Qt still runs.
        qAddPostRoutine([] {
            DefaultPrinter.reset();
            DefaultQPrinter.reset();
        });
    }
    return *DefaultPrinter;
}

PrinterDevice* SetPrinter(PrinterDevice* printer)
{
    PrinterDevice* previous = InstalledPrinter;
    InstalledPrinter = printer;
    return previous;
}

bool QtPrinterDevice::Installed() const
{
    if (printer_.outputFormat() == QPrinter::PdfFormat) return !printer_.outputFileName().isEmpty();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

TPrinterOrientation QtPrinterDevice::Orientation() const
{
    return printer_.pageLayout().orientation() == QPageLayout::Landscape
               ? TPrinterOrientation::poLandscape
               : TPrinterOrientation::poPortrait;
}

void QtPrinterDevice::SetOrientation(TPrinterOrientation orientation)
{
    // A job under way keeps its pages as they are.
    if (orientation == Orientation()) return;
    printer_.setPageOrientation(orientation == TPrinterOrientation::poLandscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
}

void QtPrinterDevice::SetCopies(int copies)
{
    printer_.setCopyCount(std::max(1, copies));
}

bool QtPrinterDevice::SetupDialog(QWidget* parent)
{
    return Dialogs().PrinterSetupDialog(parent, printer_);
}

int QtPrinterDevice::LogPixelsX() const
{
    return printer_.resolution();
}
int QtPrinterDevice::LogPixelsY() const
{
    return printer_.resolution();
}

int QtPrinterDevice::PhysicalOffsetX() const
{
    const QPageLayout layout = printer_.pageLayout();
    return layout.paintRectPixels(printer_.resolution()).left() -
           layout.fullRectPixels(printer_.resolution()).left();
}

int QtPrinterDevice::PhysicalOffsetY() const
{
    const QPageLayout layout = printer_.pageLayout();
    return layout.paintRectPixels(printer_.resolution()).top() -
           layout.fullRectPixels(printer_.resolution()).top();
}

int QtPrinterDevice::PageWidth() const
{
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).width();
}

int QtPrinterDevice::PageHeight() const
{
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
}

QPaintDevice* QtPrinterDevice::MetricsDevice()
{
    return &printer_;
}

QtPrinterDevice::QtPrinterDevice(QPrinter& printer) : printer_(printer) {}

QtPrinterDevice::~QtPrinterDevice()
{
    if (painter_.isActive()) painter_.end();
    if (output_) EndFileOutput(false);
}

QPainter* QtPrinterDevice::BeginDoc(const QString& title)
{
    printer_.setDocName(title);
    target_ = printer_.outputFileName();
    if (!target_.isEmpty()) {
        output_ = std::make_unique<ReplacementFile>(target_);
        if (!output_->IsOpen()) {
            output_.reset();
            return nullptr;
        }
        printer_.setOutputFileName(output_->TemporaryName());
    }
    if (painter_.begin(&printer_)) return &painter_;
    if (output_) EndFileOutput(false);
    return nullptr;
}

bool QtPrinterDevice::NewPage()
{
    return printer_.newPage();
}

bool QtPrinterDevice::EndDoc()
{
    const bool ended = painter_.end();
    const bool printed = ended && printer_.printerState() != QPrinter::Error;
    return output_ ? EndFileOutput(printed) : printed;
}

bool QtPrinterDevice::EndFileOutput(bool printed)
{
    printer_.setOutputFileName(target_);
    const bool written = printed && WholePdf(output_->TemporaryName()) && output_->Commit();
    output_.reset();
    // Qt's PDF engine writes nothing more once a write has failed; a change
    // of the PDF version gives the printer a fresh one, with its settings.
    if (!written && printer_.outputFormat() == QPrinter::PdfFormat) {
        const QPrinter::PdfVersion version = printer_.pdfVersion();
        printer_.setPdfVersion(version == QPrinter::PdfVersion_1_4 ? QPrinter::PdfVersion_1_6
                                                                   : QPrinter::PdfVersion_1_4);
        printer_.setPdfVersion(version);
    }
    return written;
}

int QtPrinterDevice::FromPage() const
{
    return printer_.printRange() == QPrinter::PageRange ? printer_.fromPage() : 0;
}

int QtPrinterDevice::ToPage() const
{
    return printer_.printRange() == QPrinter::PageRange ? printer_.toPage() : 0;
}

FakePrinterDevice::FakePrinterDevice(int dpi, int pageWidth, int pageHeight, int offsetX,
                                     int offsetY)
    : dpi_(dpi), pageWidth_(pageWidth), pageHeight_(pageHeight), offsetX_(offsetX),
      offsetY_(offsetY)
{
    metrics_ = BlankPage();
}

void FakePrinterDevice::SetOrientation(TPrinterOrientation orientation)
{
    if (orientation == orientation_) return;
    orientation_ = orientation;
    std::swap(pageWidth_, pageHeight_);
    std::swap(offsetX_, offsetY_);
    metrics_ = BlankPage();
}

bool FakePrinterDevice::SetupDialog(QWidget* parent)
{
    QPrinter scratch;
    if (!Dialogs().PrinterSetupDialog(parent, scratch)) return false;
    if (SetupChoice) SetOrientation(*SetupChoice);
    return true;
}

QImage FakePrinterDevice::BlankPage() const
{
    QImage page(std::max(1, PageWidth()), std::max(1, PageHeight()), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi_ / 0.0254));
    page.setDotsPerMeterX(dotsPerMeter);
    page.setDotsPerMeterY(dotsPerMeter);
    page.fill(Qt::white);
    return page;
}

QPainter* FakePrinterDevice::BeginDoc(const QString& title)
{
    Pages.clear();
    Title = title;
    current_ = BlankPage();
    if (!painter_.begin(&current_)) return nullptr;
    return &painter_;
}

bool FakePrinterDevice::NewPage()
{
    painter_.end();
    Pages.push_back(current_);
    if (FailAtPage > 0 && static_cast<int>(Pages.size()) + 1 >= FailAtPage) return false;
    current_ = BlankPage();
    return painter_.begin(&current_);
}

bool FakePrinterDevice::EndDoc()
{
    if (!painter_.isActive()) return false; // a failed NewPage left no page open
    painter_.end();
    Pages.push_back(current_);
    return true;
}

int MarginPixels(int dpi, double mm)
{
    return static_cast<int>(dpi * mm / 25.4 + 0.5);
}

QRect PrintPageRect(const PrinterDevice& printer, double leftMm, double rightMm, double topMm,
                    double bottomMm)
{
    const int dx = printer.LogPixelsX();
    const int dy = printer.LogPixelsY();
    const int left = MarginPixels(dx, leftMm) - printer.PhysicalOffsetX();
    const int top = MarginPixels(dy, topMm) - printer.PhysicalOffsetY();
    const int right = printer.PageWidth() - MarginPixels(dx, rightMm) - printer.PhysicalOffsetX();
    const int bottom =
        printer.PageHeight() - MarginPixels(dy, bottomMm) - printer.PhysicalOffsetY();
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); // right and bottom exclusive
}

namespace {

bool KeepsWithNext(const QTextBlock& block)
{
    return block.blockFormat().boolProperty(RtfKeepWithNextProperty);
}

// Moves each run of keep-with-next paragraphs to a new page when it would be
// split by a page break and fits on one page. Later runs are measured after
// the earlier ones moved, since the layout follows each change.
void KeepParagraphsTogether(QTextDocument& doc, double pageHeight)
{
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    QTextBlock block = doc.begin();
    while (block.isValid()) {
        if (!KeepsWithNext(block)) {
            block = block.next();
            continue;
        }
        const QTextBlock first = block;
        QTextBlock last = block;
        while (block.isValid() && KeepsWithNext(block)) {
            last = block;
            block = block.next();
        }
        const double top = layout->blockBoundingRect(first).top();
        double bottom = layout->blockBoundingRect(last).bottom();
        if (block.isValid() && block.layout() && block.layout()->lineCount() > 0)
            bottom =
                layout->blockBoundingRect(block).top() + block.layout()->lineAt(0).rect().bottom();
        const bool split = std::floor(top / pageHeight) != std::floor((bottom - 0.5) / pageHeight);
        if (split && bottom - top <= pageHeight) {
            QTextBlockFormat format = first.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(first).setBlockFormat(format);
        }
    }
}

} // namespace

void ScaleParagraphIndents(QTextDocument& doc, double factor)
{
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.leftMargin() == 0 && format.rightMargin() == 0 && format.textIndent() == 0)
            continue;
        format.setLeftMargin(format.leftMargin() * factor);
        format.setRightMargin(format.rightMargin() * factor);
        format.setTextIndent(format.textIndent() * factor);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

PrintResult PrintTextDocument(QTextDocument& doc, PrinterDevice& printer, const QRect& pageRect,
                              const QString& title)
{
    if (pageRect.width() <= 0 || pageRect.height() <= 0) return {};
    const double width = pageRect.width();
    const double height = pageRect.height();
    doc.documentLayout()->setPaintDevice(printer.MetricsDevice());
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(width, height));
    doc.markContentsDirty(0, doc.characterCount());
    KeepParagraphsTogether(doc, height);
    const int pages = doc.pageCount();
    const int first = std::max(1, printer.FromPage());
    const int last = printer.ToPage() > 0 ? std::min(pages, printer.ToPage()) : pages;
    if (first > last) return {0, true};

    QPainter* painter = printer.BeginDoc(title);
    if (!painter) return {};
    for (int page = first - 1; page < last; ++page) {
        if (page > first - 1 && !printer.NewPage()) {
            printer.EndDoc();
            return {page - (first - 1), false};
        }
        painter->save();
        painter->setClipRect(pageRect);
        painter->translate(pageRect.left(), pageRect.top() - page * height);
        // Qt draws every line that touches the clip; the layout puts the
        // first line of a page right at the page's top, which is also the
        // bottom of the page before. A pixel off both edges leaves each line
        // to its own page, so that it is printed (and in a PDF found) once.
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * height + 1, width, height - 2);
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(painter, context);
        painter->restore();
    }
    const int printed = last - first + 1;
    return {printed, printer.EndDoc()};
}
