// TSortGridPreviewForm: the modal window that previews a sortable grid's
// printed pages and edits its print options with immediate feedback. What
// it changes goes straight into the grid's PrintOptions, so it stays in force
// for later printing.
//
// The left panel lists the text options (Headers, edited in Header) and the
// size options (Margins, edited in Margin); with Live checked every change
// redraws the page at once. A click on the page enlarges it by 1.25 until it
// is wider than 80 % of full size; the next click shows it at full size.
// Sizes accept non-negative whole numbers only; other text changes nothing.
#pragma once

#include "platform/Dialogs.h"

#include <QImage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QToolButton;
class TSortGrid;

// The width of the page image after a click on it, when it shows shownWidth
// of fullWidth: 1.25 times larger, or fullWidth once it is wider than 80 %.
int NextZoomWidth(int shownWidth, int fullWidth);

class TSortGridPreviewForm : public TModalForm {
    Q_OBJECT
public:
    explicit TSortGridPreviewForm(QWidget* parent = nullptr);
    ~TSortGridPreviewForm() override;

    void SetGrid(TSortGrid* grid) { Grid = grid; }
    // Copies the page image.
    void SetPrintImage(const QImage& bitmap);
    const QImage& PrintBitmap() const { return printBitmap_; }
    // What the page image shows now.
    QImage ShownImage() const;

    void FullSize();
    void Zoom(double factor);

    // Event handlers.
    void FormShow();
    void btnshowClick();
    void btnprintClick();
    void btnsetupClick();
    void btnfullClick();
    void btnpicClick();
    void HeadersClick();
    void HeaderChange();
    void MarginsClick();
    void MarginChange();
    void ckbordersClick();
    void previewpageChange();
    void ckliveClick();
    void PreviewImageClick();

    TSortGrid* Grid = nullptr;

    QScrollArea* ScrollBox1 = nullptr;
    QLabel* PreviewImage = nullptr;
    QToolButton* btnprint = nullptr;
    QToolButton* btnshow = nullptr;
    QLabel* lblpages = nullptr;
    QToolButton* btnsetup = nullptr;
    QToolButton* btnfull = nullptr;
    QToolButton* btnpic = nullptr;
    QLineEdit* Header = nullptr;
    QListWidget* Headers = nullptr;
    QCheckBox* ckborders = nullptr;
    QListWidget* Margins = nullptr;
    QCheckBox* cklive = nullptr;
    QLineEdit* PreviewPage = nullptr;
    QLineEdit* Margin = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowImage(const QImage& image);
    void RefreshIfLive();
    void UpdatePageCount();
    // The option a list row stands for.
    QString TextOption(int index) const;
    void SetTextOption(int index, const QString& value);
    int* SizeOption(int index);

    QImage printBitmap_;
    int shownWidth_ = 0;
};
