// The print preview form minimised and restored keeps what the user chose:
// the page shown and the selections of its lists.
#include "PrintTestGrid.h"

#include "components/SortGridPreview.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(PreviewRestore, MinimisingAndRestoringKeepsThePageAndTheSelections)
{
    FakePrinterDevice printer{300, 2550, 3300, 75, 75};
    ScopedPrinter installed(printer);
    auto grid = ListGrid(200);
    ASSERT_GE(grid->PageCount(), 3);
    TSortGridPreviewForm form;
    form.SetGrid(grid.get());
    QImage page;
    grid->UpdatePreview(page);
    form.SetPrintImage(page);
    form.show();
    QApplication::processEvents();

    form.PreviewPage->selectAll();
    QTest::keyClicks(form.PreviewPage, "3");
    auto clickRow = [](QListWidget* list, int row) {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    };
    clickRow(form.Margins, 2);
    clickRow(form.Headers, 1);
    ASSERT_EQ(grid->PrintOptions().PreviewPage, 3);
    const QImage third = form.ShownImage();

    form.showMinimized();
    QApplication::processEvents();
    form.showNormal();
    QApplication::processEvents();

    EXPECT_EQ(form.PreviewPage->text(), QStringLiteral("3"));
    EXPECT_EQ(grid->PrintOptions().PreviewPage, 3);
    EXPECT_EQ(form.Margins->currentRow(), 2);
    EXPECT_EQ(form.Headers->currentRow(), 1);
    EXPECT_EQ(form.Header->text(), QStringLiteral("date|time|page"));
    EXPECT_EQ(form.ShownImage(), third);

    // Shown anew, it starts again from the first page.
    form.hide();
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.PreviewPage->text(), QStringLiteral("1"));
    EXPECT_EQ(form.Margins->currentRow(), 0);
}

} // namespace
