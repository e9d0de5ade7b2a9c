#include "components/SortGridPreview.h"

#include "components/SortGrid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <optional>

namespace {

constexpr int kLogoIndex = 4;
// Sizes larger than this are taken for typing errors.
constexpr int kMaxSize = 100000;

// A non-negative whole number, or nothing.
std::optional<int> SizeOf(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > kMaxSize) return std::nullopt;
    return value;
}

QListWidget* MakeList(QWidget* parent, TColor color, const QStringList& items)
{
    auto* list = new QListWidget(parent);
    list->setFrameShape(QFrame::NoFrame);
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    list->setPalette(pal);
    list->addItems(items);
    return list;
}

QToolButton* MakeButton(QWidget* parent, const QString& text, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setAutoRaise(true);
    b->setText(text);
    b->setToolTip(hint);
    return b;
}

// Selects a row of a list without running its click handler.
void SelectQuietly(QListWidget* list, int row)
{
    const bool blocked = list->blockSignals(true);
    list->setCurrentRow(row);
    list->blockSignals(blocked);
}

} // namespace

int NextZoomWidth(int shownWidth, int fullWidth)
{
    if (fullWidth <= 0) return 0;
    if (shownWidth > static_cast<int>(std::lround(fullWidth * 0.8))) return fullWidth;
    return static_cast<int>(std::lround(shownWidth / 0.8));
}

TSortGridPreviewForm::TSortGridPreviewForm(QWidget* parent) : TModalForm(parent)
{
    setWindowTitle(QStringLiteral("Preview"));
    resize(603, 392);
    BuildControls();
}

TSortGridPreviewForm::~TSortGridPreviewForm() = default;

void TSortGridPreviewForm::BuildControls()
{
    auto* panel = new QWidget(this);
    panel->setFixedWidth(157);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(3);

    btnprint = MakeButton(panel, QStringLiteral("Print"), QStringLiteral("Print"));
    btnshow = MakeButton(panel, QStringLiteral("Show"), QStringLiteral("Show"));
    btnsetup = MakeButton(panel, QStringLiteral("Setup"), QStringLiteral("Printer setup"));
    btnfull = MakeButton(panel, QStringLiteral("Full"), QStringLiteral("Full View"));
    btnpic = MakeButton(panel, QStringLiteral("..."), QStringLiteral("Browse for images"));
    btnpic->setEnabled(false);
    PreviewPage = new QLineEdit(QStringLiteral("1"), panel);
    PreviewPage->setToolTip(QStringLiteral("Preview page no."));
    PreviewPage->setMaximumWidth(40);
    lblpages = new QLabel(QStringLiteral("of "), panel);
    Header = new QLineEdit(QStringLiteral("Header"), panel);
    Headers = MakeList(panel, 16644814,
                       {QStringLiteral("HeaderText"), QStringLiteral("FooterText"),
                        QStringLiteral("DateFormat"), QStringLiteral("TimeFormat"),
                        QStringLiteral("Logo")});
    ckborders = new QCheckBox(QStringLiteral("Borders"), panel);
    ckborders->setChecked(true);
    Margins = MakeList(panel, 13172735,
                       {QStringLiteral("MarginTop"), QStringLiteral("MarginHeader"),
                        QStringLiteral("MarginLeft"), QStringLiteral("MarginRight"),
                        QStringLiteral("MarginBottom"), QStringLiteral("PaddingLeft"),
                        QStringLiteral("HeaderSize"), QStringLiteral("FooterSize")});
    Margin = new QLineEdit(QStringLiteral("0"), panel);
    cklive = new QCheckBox(QStringLiteral("Live"), panel);
    cklive->setToolTip(QStringLiteral("Update immediate"));
    cklive->setChecked(true);

    grid->addWidget(btnprint, 0, 0);
    grid->addWidget(btnshow, 0, 1);
    grid->addWidget(PreviewPage, 0, 2);
    grid->addWidget(lblpages, 0, 3);
    grid->addWidget(btnsetup, 1, 0);
    grid->addWidget(btnfull, 1, 1);
    grid->addWidget(cklive, 1, 2, 1, 2);
    grid->addWidget(Header, 2, 0, 1, 3);
    grid->addWidget(btnpic, 2, 3);
    grid->addWidget(Headers, 3, 0, 1, 4);
    grid->addWidget(ckborders, 4, 0, 1, 4);
    grid->addWidget(Margins, 5, 0, 1, 4);
    grid->addWidget(Margin, 6, 0, 1, 4);
    grid->setRowStretch(3, 5);
    grid->setRowStretch(5, 8);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    PreviewImage = new QLabel;
    PreviewImage->setCursor(Qt::PointingHandCursor);
    PreviewImage->installEventFilter(this);
    ScrollBox1->setWidget(PreviewImage);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(ScrollBox1, 1);

    connect(btnshow, &QToolButton::clicked, this, [this] { btnshowClick(); });
    connect(btnprint, &QToolButton::clicked, this, [this] { btnprintClick(); });
    connect(btnsetup, &QToolButton::clicked, this, [this] { btnsetupClick(); });
    connect(btnfull, &QToolButton::clicked, this, [this] { btnfullClick(); });
    connect(btnpic, &QToolButton::clicked, this, [this] { btnpicClick(); });
    connect(Headers, &QListWidget::currentRowChanged, this, [this] { HeadersClick(); });
    connect(Header, &QLineEdit::textChanged, this, [this] { HeaderChange(); });
    connect(Margins, &QListWidget::currentRowChanged, this, [this] { MarginsClick(); });
    connect(Margin, &QLineEdit::textChanged, this, [this] { MarginChange(); });
    connect(ckborders, &QCheckBox::toggled, this, [this] { ckbordersClick(); });
    connect(PreviewPage, &QLineEdit::textChanged, this, [this] { previewpageChange(); });
    connect(cklive, &QCheckBox::toggled, this, [this] { ckliveClick(); });
}

// ---- the page image ------------------------------------------------------------------------

void TSortGridPreviewForm::SetPrintImage(const QImage& bitmap)
{
    printBitmap_ = bitmap;
    ShowImage(printBitmap_);
}

void TSortGridPreviewForm::ShowImage(const QImage& image)
{
    PreviewImage->setPixmap(QPixmap::fromImage(image));
    PreviewImage->adjustSize();
    shownWidth_ = image.width();
}

QImage TSortGridPreviewForm::ShownImage() const
{
    return PreviewImage->pixmap().toImage();
}

void TSortGridPreviewForm::Zoom(double factor)
{
    if (printBitmap_.isNull() || !(factor > 0)) return;
    const double w = std::round(printBitmap_.width() * factor);
    const double h = std::round(w * printBitmap_.height() / printBitmap_.width());
    if (w < 1 || h < 1 || w > 1 << 14 || h > 1 << 14) return;
    QImage scaled(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    TSortGrid::SmoothResize(printBitmap_, scaled);
    ShowImage(scaled);
}

void TSortGridPreviewForm::FullSize()
{
    if (printBitmap_.isNull()) return;
    Zoom(static_cast<double>(ScrollBox1->viewport()->width()) / printBitmap_.width());
}

void TSortGridPreviewForm::PreviewImageClick()
{
    const int full = printBitmap_.width();
    const int next = NextZoomWidth(shownWidth_, full);
    if (next <= 0) return;
    if (next == full)
        ShowImage(printBitmap_);
    else
        Zoom(static_cast<double>(shownWidth_) / full / 0.8);
}

bool TSortGridPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PreviewImage && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        PreviewImageClick();
        return true;
    }
    return TModalForm::eventFilter(watched, event);
}

// ---- options ------------------------------------------------------------------------------

QString TSortGridPreviewForm::TextOption(int index) const
{
    if (!Grid) return {};
    const TPrintOptions& o = Grid->PrintOptions();
    switch (index) {
    case 0:
        return o.PageTitle;
    case 1:
        return o.PageFooter;
    case 2:
        return o.DateFormat;
    case 3:
        return o.TimeFormat;
    case kLogoIndex:
        return o.Logo;
    default:
        return {};
    }
}

void TSortGridPreviewForm::SetTextOption(int index, const QString& value)
{
    if (!Grid) return;
    TPrintOptions& o = Grid->PrintOptions();
    switch (index) {
    case 0:
        o.PageTitle = value;
        break;
    case 1:
        o.PageFooter = value;
        break;
    case 2:
        o.DateFormat = value;
        break;
    case 3:
        o.TimeFormat = value;
        break;
    case kLogoIndex:
        o.Logo = value;
        break;
    default:
        break;
    }
}

int* TSortGridPreviewForm::SizeOption(int index)
{
    if (!Grid) return nullptr;
    TPrintOptions& o = Grid->PrintOptions();
    switch (index) {
    case 0:
        return &o.MarginTop;
    case 1:
        return &o.PageTitleMargin;
    case 2:
        return &o.MarginLeft;
    case 3:
        return &o.MarginRight;
    case 4:
        return &o.MarginBottom;
    case 5:
        return &o.Leftpadding;
    case 6:
        return &o.HeaderSize;
    case 7:
        return &o.FooterSize;
    default:
        return nullptr;
    }
}

void TSortGridPreviewForm::RefreshIfLive()
{
    if (cklive->isChecked()) btnshowClick();
}

void TSortGridPreviewForm::UpdatePageCount()
{
    if (Grid) lblpages->setText(QStringLiteral("of ") + QString::number(Grid->PageCount()));
}

// ---- handlers -----------------------------------------------------------------------------

void TSortGridPreviewForm::showEvent(QShowEvent* event)
{
    TModalForm::showEvent(event);
    // A window restored from the task bar is no new showing of the form.
    if (!event->spontaneous()) FormShow();
}

void TSortGridPreviewForm::FormShow()
{
    if (!Grid) return;
    TPrintOptions& o = Grid->PrintOptions();
    Header->setText(o.PageTitle);
    SelectQuietly(Margins, 0);
    Margin->setText(QString::number(o.MarginTop));
    UpdatePageCount();
    o.PreviewPage = 1;
    PreviewPage->setText(QStringLiteral("1"));
    ckborders->setChecked(o.BorderStyle == TBorderStyle::bsSingle);
    SelectQuietly(Headers, 0);
    Header->setText(o.PageTitle);
    btnpic->setEnabled(false);
}

void TSortGridPreviewForm::btnshowClick()
{
    if (!Grid) return;
    Grid->UpdatePreview(printBitmap_);
    ShowImage(printBitmap_);
}

void TSortGridPreviewForm::btnprintClick()
{
    if (Grid) Grid->Print();
}

void TSortGridPreviewForm::btnsetupClick()
{
    if (!Grid || !Printer().SetupDialog(this)) return;
    Grid->PrintOptions().Orientation = Printer().Orientation();
    UpdatePageCount();
    RefreshIfLive();
}

void TSortGridPreviewForm::btnfullClick()
{
    FullSize();
}

void TSortGridPreviewForm::btnpicClick()
{
    FileDialogOptions options;
    options.Filter = QStringLiteral("Bitmap Files|*.bmp");
    const std::optional<FileDialogResult> chosen = Dialogs().OpenFileDialog(this, options);
    if (!chosen || Headers->currentRow() != kLogoIndex) return;
    Header->setText(chosen->FileName);
    SetTextOption(kLogoIndex, chosen->FileName);
}

void TSortGridPreviewForm::HeadersClick()
{
    const int index = Headers->currentRow();
    if (index < 0) return;
    btnpic->setEnabled(false);
    Header->setText(TextOption(index));
    if (index == kLogoIndex) btnpic->setEnabled(true);
}

void TSortGridPreviewForm::HeaderChange()
{
    const int index = Headers->currentRow();
    if (index < 0 || !Grid) return;
    SetTextOption(index, Header->text());
    RefreshIfLive();
}

void TSortGridPreviewForm::MarginsClick()
{
    if (int* option = SizeOption(Margins->currentRow())) Margin->setText(QString::number(*option));
}

void TSortGridPreviewForm::MarginChange()
{
    int* option = SizeOption(Margins->currentRow());
    const std::optional<int> value = SizeOf(Margin->text());
    if (!option || !value) return;
    *option = *value;
    RefreshIfLive();
}

void TSortGridPreviewForm::ckbordersClick()
{
    if (!Grid) return;
    Grid->PrintOptions().BorderStyle =
        ckborders->isChecked() ? TBorderStyle::bsSingle : TBorderStyle::bsNone;
    RefreshIfLive();
}

void TSortGridPreviewForm::previewpageChange()
{
    const std::optional<int> value = SizeOf(PreviewPage->text());
    if (!Grid || !value) return;
    Grid->PrintOptions().PreviewPage = *value;
    RefreshIfLive();
}

void TSortGridPreviewForm::ckliveClick()
{
    if (cklive->isChecked()) btnshowClick();
}
