// Stands in for the framework's printer object (TPrinter) and what
// GetDeviceCaps tells of it: resolution (LOGPIXELSX/Y), the unprintable
// offsets (PHYSICALOFFSETX/Y) and the printable page size (PageWidth,
// PageHeight), all in printer pixels. Painting starts at the top-left of
// the printable area, as on the framework's printer canvas.
//
// QtPrinterDevice wraps a QPrinter (a real printer or PDF output); a job
// printed to a file goes to a temporary file beside it, which replaces the
// file only when the job ended well and the file is a whole PDF, so that a
// failed job leaves the old file as it was;
// FakePrinterDevice paints pages into images at a fixed resolution, for
// tests of pagination. Printer() is the program's printer (the framework's
// global Printer): the default printer unless one is installed.
#pragma once

#include "platform/ScopedInstall.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QTextDocument;
class ReplacementFile;
class QWidget;

enum class TPrinterOrientation { poPortrait, poLandscape };

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    // False when there is nothing to print on (the framework's empty printer list).
    virtual bool Installed() const = 0;
    // The page sizes follow the orientation.
    virtual TPrinterOrientation Orientation() const = 0;
    virtual void SetOrientation(TPrinterOrientation orientation) = 0;
    virtual void SetCopies(int copies) = 0;
    // The printer set-up dialog (through the dialog service); true on OK.
    virtual bool SetupDialog(QWidget* parent) = 0;

    virtual int LogPixelsX() const = 0;
    virtual int LogPixelsY() const = 0;
    virtual int PhysicalOffsetX() const = 0;
    virtual int PhysicalOffsetY() const = 0;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    // A device with the printer's metrics, for laying out text.
    virtual QPaintDevice* MetricsDevice() = 0;
    // Starts a job; the painter paints the first page. Null on failure.
    virtual QPainter* BeginDoc(const QString& title) = 0;
    // Moves the painter to a new page. False on failure.
    virtual bool NewPage() = 0;
    // Ends the job. False when the output could not be completed.
    virtual bool EndDoc() = 0;
    // The pages chosen in the print dialog, counted from 1; 0 and 0 for all.
    virtual int FromPage() const { return 0; }
    virtual int ToPage() const { return 0; }
};

class QtPrinterDevice : public PrinterDevice {
public:
    explicit QtPrinterDevice(QPrinter& printer);
    ~QtPrinterDevice() override;

    // A PDF printer needs an output file; a native one an installed printer.
    bool Installed() const override;
    TPrinterOrientation Orientation() const override;
    void SetOrientation(TPrinterOrientation orientation) override;
    void SetCopies(int copies) override;
    bool SetupDialog(QWidget* parent) override;
    int LogPixelsX() const override;
    int LogPixelsY() const override;
    int PhysicalOffsetX() const override;
    int PhysicalOffsetY() const override;
    int PageWidth() const override;
    int PageHeight() const override;
    QPaintDevice* MetricsDevice() override;
    QPainter* BeginDoc(const QString& title) override;
    bool NewPage() override;
    bool EndDoc() override;
    int FromPage() const override;
    int ToPage() const override;

private:
    // Ends a job printed to a file: puts the file in place when the job went
    // well and the file is whole, and gives the printer its file name back.
    bool EndFileOutput(bool printed);

    QPrinter& printer_;
    QPainter painter_;
    std::unique_ptr<ReplacementFile> output_;
    QString target_;
};

class FakePrinterDevice : public PrinterDevice {
public:
    // A page of pageWidth x pageHeight pixels at dpi, of which everything but
    // offsetX/offsetY at the top-left and the same at the bottom-right is
    // printable.
    FakePrinterDevice(int dpi, int pageWidth, int pageHeight, int offsetX, int offsetY);

    bool Installed() const override { return installed_; }
    void SetInstalled(bool installed) { installed_ = installed; }
    TPrinterOrientation Orientation() const override { return orientation_; }
    // Landscape swaps the page's width and height.
    void SetOrientation(TPrinterOrientation orientation) override;
    void SetCopies(int copies) override { Copies = copies; }
    // Asks the dialog service; on OK the orientation becomes SetupChoice, if any.
    bool SetupDialog(QWidget* parent) override;
    std::optional<TPrinterOrientation> SetupChoice;
    int Copies = 1;

    int LogPixelsX() const override { return dpi_; }
    int LogPixelsY() const override { return dpi_; }
    int PhysicalOffsetX() const override { return offsetX_; }
    int PhysicalOffsetY() const override { return offsetY_; }
    int PageWidth() const override { return pageWidth_ - 2 * offsetX_; }
    int PageHeight() const override { return pageHeight_ - 2 * offsetY_; }
    QPaintDevice* MetricsDevice() override { return &metrics_; }
    QPainter* BeginDoc(const QString& title) override;
    bool NewPage() override;
    bool EndDoc() override;
    int FromPage() const override { return fromPage_; }
    int ToPage() const override { return toPage_; }

    void SetPageRange(int fromPage, int toPage) { fromPage_ = fromPage, toPage_ = toPage; }
    // NewPage fails from the job's page of this number on (0: never).
    int FailAtPage = 0;

    // The printed pages (printable area only) and the last job's title.
    std::vector<QImage> Pages;
    QString Title;

private:
    QImage BlankPage() const;

    int dpi_, pageWidth_, pageHeight_, offsetX_, offsetY_;
    int fromPage_ = 0, toPage_ = 0;
    bool installed_ = true;
    TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
    QImage metrics_;
    QImage current_;
    QPainter painter_;
};

// The program's printer: the one installed, else the system's default printer.
PrinterDevice& Printer();
// The system's printer behind the default: what the printer set-up dialog
// chooses, and what printing the document uses.
QPrinter& SystemPrinter();
// Installs a printer (not owned; nullptr returns to the default) and gives
// back the one it replaces.
PrinterDevice* SetPrinter(PrinterDevice* printer);
using ScopedPrinter = ScopedInstall<PrinterDevice*, &SetPrinter>;

// A margin of mm millimetres in printer pixels at dpi:
// trunc(dpi * mm / 25.4 + 0.5).
int MarginPixels(int dpi, double mm);

// The rich-edit page rectangle for the given margins in millimetres:
// measured from the paper's edges, so relative to the printable area it
// starts at (left margin - offset x, top margin - offset y).
QRect PrintPageRect(const PrinterDevice& printer, double leftMm, double rightMm, double topMm,
                    double bottomMm);

// What a print job did: the pages it printed, and whether all it was to
// print reached the printer (false when the job could not start, a page
// could not be begun, the output could not be completed or the page
// rectangle is empty).
struct PrintResult {
    int Pages = 0;
    bool Ok = false;
};

// Qt scales the spacing above and below paragraphs from screen pixels to the
// paint device, but takes paragraph indents (left, right, first line) as
// device pixels. Multiplies the indents of every paragraph of doc by factor,
// the device's resolution over the one doc was read at.
void ScaleParagraphIndents(QTextDocument& doc, double factor);

// Prints doc, laid out for the printer's metrics as wide as pageRect, onto
// pages of pageRect cut between its lines (see TextPages): every page, or
// the printer's page range. Each line is printed once, whole, in order;
// paragraphs marked RtfKeepWithNextProperty are kept on one page with the
// first line of the paragraph after them when they fit on a page. A range
// past the document's end prints nothing and is no failure.
PrintResult PrintTextDocument(QTextDocument& doc, PrinterDevice& printer, const QRect& pageRect,
                              const QString& title);
