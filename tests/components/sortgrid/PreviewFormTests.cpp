// The print preview form on the offscreen platform with a fake printer:
// live and deferred redraws, option edits, bad numbers, the logo button,
// printer set-up and the zoom steps.
#include "PrintTestGrid.h"

#include "components/SortGridPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class PreviewForm : public ::testing::Test {
protected:
    PreviewForm() : installed_(printer_), scripted_(dialogs_)
    {
        grid_ = ListGrid(200);
        form_.SetGrid(grid_.get());
        QImage page;
        grid_->UpdatePreview(page);
        form_.SetPrintImage(page);
        form_.show();
        QApplication::processEvents();
    }

    FakePrinterDevice printer_{300, 2550, 3300, 75, 75};
    ScopedPrinter installed_;
    ScriptedDialogService dialogs_;
    ScopedDialogService scripted_;
    std::unique_ptr<TSortGrid> grid_;
    TSortGridPreviewForm form_;
};

TEST_F(PreviewForm, ShowingFillsTheControlsFromTheOptions)
{
    EXPECT_EQ(form_.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(form_.lblpages->text(), QStringLiteral("of ") + QString::number(grid_->PageCount()));
    EXPECT_EQ(form_.Headers->currentRow(), 0);
    EXPECT_EQ(form_.Margins->currentRow(), 0);
    EXPECT_EQ(form_.Margin->text(), QStringLiteral("0"));
    EXPECT_FALSE(form_.ckborders->isChecked());
    EXPECT_FALSE(form_.btnpic->isEnabled());
}

TEST_F(PreviewForm, SizesEditedLiveOrOnShow)
{
    form_.Margins->setCurrentRow(1); // MarginHeader
    EXPECT_EQ(form_.Margin->text(), QStringLiteral("0"));
    const QImage before = form_.ShownImage();
    form_.Margin->setText(QStringLiteral("12"));
    EXPECT_EQ(grid_->PrintOptions().PageTitleMargin, 12);
    const QImage live = form_.ShownImage();
    EXPECT_NE(live, before);

    form_.cklive->setChecked(false);
    form_.Margin->setText(QStringLiteral("40"));
    EXPECT_EQ(grid_->PrintOptions().PageTitleMargin, 40);
    EXPECT_EQ(form_.ShownImage(), live); // nothing redrawn yet
    form_.btnshow->click();
    EXPECT_NE(form_.ShownImage(), live);

    // What is no non-negative whole number changes nothing, and nothing throws.
    for (const char* bad : {"-5", "abc", "", "99999999999"}) {
        form_.Margin->setText(QString::fromLatin1(bad));
        EXPECT_EQ(grid_->PrintOptions().PageTitleMargin, 40) << bad;
    }
    form_.PreviewPage->setText(QStringLiteral("-1"));
    EXPECT_EQ(grid_->PrintOptions().PreviewPage, 1);
}

TEST_F(PreviewForm, TextsAndTheLogoButton)
{
    for (int row = 0; row < 5; ++row) {
        form_.Headers->setCurrentRow(row);
        EXPECT_EQ(form_.btnpic->isEnabled(), row == 4) << row;
    }
    form_.Headers->setCurrentRow(1);
    EXPECT_EQ(form_.Header->text(), QStringLiteral("date|time|page"));
    form_.Header->setText(QStringLiteral("left||page"));
    EXPECT_EQ(grid_->PrintOptions().PageFooter, QStringLiteral("left||page"));

    form_.Headers->setCurrentRow(4);
    dialogs_.QueueOpenFile(QStringLiteral("/pictures/logo.bmp"));
    form_.btnpic->click();
    EXPECT_EQ(form_.Header->text(), QStringLiteral("/pictures/logo.bmp"));
    EXPECT_EQ(grid_->PrintOptions().Logo, QStringLiteral("/pictures/logo.bmp"));
    ASSERT_EQ(dialogs_.Requests().size(), 1u);
    EXPECT_EQ(dialogs_.Requests()[0].file.Filter, QStringLiteral("Bitmap Files|*.bmp"));

    form_.ckborders->setChecked(true);
    EXPECT_EQ(grid_->PrintOptions().BorderStyle, TBorderStyle::bsSingle);
}

TEST_F(PreviewForm, PrinterSetUpToLandscapeRecountsThePages)
{
    const int portrait = grid_->PageCount();
    printer_.SetupChoice = TPrinterOrientation::poLandscape;
    dialogs_.QueuePrinterSetup(true);
    form_.btnsetup->click();
    EXPECT_EQ(grid_->PrintOptions().Orientation, TPrinterOrientation::poLandscape);
    const int landscape = grid_->PageCount();
    EXPECT_NE(landscape, portrait);
    EXPECT_EQ(form_.lblpages->text(), QStringLiteral("of ") + QString::number(landscape));
    EXPECT_GT(form_.PrintBitmap().width(), form_.PrintBitmap().height());
    // A page past the last shows empty.
    form_.PreviewPage->setText(QString::number(landscape + 1));
    const QImage empty = form_.PrintBitmap();
    EXPECT_EQ(empty.pixel(empty.width() / 2, empty.height() / 2), empty.pixel(1, 1));
}

TEST_F(PreviewForm, ClicksZoomByAQuarterUpToFullSize)
{
    EXPECT_EQ(NextZoomWidth(330, 1000), 413);
    EXPECT_EQ(NextZoomWidth(801, 1000), 1000);
    EXPECT_EQ(NextZoomWidth(100, 0), 0);

    // A page three times wider than the scroll box.
    const int view = form_.ScrollBox1->viewport()->width();
    QImage page(3 * view, 4 * view, QImage::Format_RGB32);
    page.fill(Qt::white);
    form_.SetPrintImage(page);
    form_.btnfull->click();
    std::vector<double> shares;
    for (int i = 0; i < 6; ++i) {
        shares.push_back(static_cast<double>(form_.ShownImage().width()) / page.width());
        form_.PreviewImageClick();
    }
    const std::vector<double> expected = {0.333, 0.417, 0.521, 0.651, 0.814, 1.0};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(shares[i], expected[i], 0.01) << i;
    form_.PreviewImageClick(); // at full size a click changes nothing
    EXPECT_EQ(form_.ShownImage().width(), page.width());
}

TEST(PreviewFormAlone, NothingDrawnYetAndNoGrid)
{
    TSortGridPreviewForm form;
    form.show();
    form.FullSize();
    form.PreviewImageClick();
    form.btnshowClick();
    form.btnprintClick();
    form.btnsetupClick();
    form.Margin->setText(QStringLiteral("7"));
    EXPECT_TRUE(form.PrintBitmap().isNull());
}

} // namespace
