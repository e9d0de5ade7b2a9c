#include "platform/Printer.h"

#include "platform/Dialogs.h"
#include "platform/SaveFile.h"
#include "platform/TextPages.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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
    doc.documentLayout()->setPaintDevice(printer.MetricsDevice());
    doc.setDocumentMargin(0);
    // One column, cut into pages between lines; nothing changes the
    // document from here on, so the lines measured are the lines drawn.
    doc.setPageSize(QSizeF(pageRect.width(), -1));
    doc.markContentsDirty(0, doc.characterCount());
    const TextPages pages(doc, pageRect.height());
    const int first = std::max(1, printer.FromPage());
    const int last =
        printer.ToPage() > 0 ? std::min(pages.Count(), printer.ToPage()) : pages.Count();
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
        painter->translate(pageRect.topLeft());
        painter->setPen(Qt::black);
        pages.Draw(*painter, page);
        painter->restore();
    }
    const int printed = last - first + 1;
    return {printed, printer.EndDoc()};
}
