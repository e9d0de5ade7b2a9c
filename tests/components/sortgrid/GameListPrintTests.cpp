// The sample database's game list printed as the program prints it (landscape,
// footer "date|time|page") to PDF, and its preview form.
#include "components/SortGrid.h"
#include "components/SortGridPreview.h"
#include "database/ByteSource.h"
#include "database/GameIndex.h"
#include "platform/Dialogs.h"
#include "tests/support/TestShots.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::unique_ptr<TSortGrid> SampleGameList()
{
    std::ifstream in(std::string(VELMORA_SAMPLES_DIR) + "/velmora-sample.pgn", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string pgn = text.str();
    const IndexResult index = IndexPgn(MemoryByteSource(pgn));

    auto g = std::make_unique<TSortGrid>();
    g->SetColCount(GameListColumns);
    g->SetDefaultColWidth(42);
    g->SetDefaultRowHeight(19);
    g->SetFixedCols(0);
    g->SetRowCount(static_cast<int>(index.Rows.size()) + 1);
    g->SetFixedRows(1);
    g->SetGridLineWidth(0);
    for (int c = 0; c < GameListColumns; ++c) {
        g->SetCells(c, 0, GameListColumnInfos[static_cast<std::size_t>(c)].Title);
        g->SetColWidths(c, GameListColumnInfos[static_cast<std::size_t>(c)].Width);
    }
    for (std::size_t i = 0; i < index.Rows.size(); ++i) {
        TGridRow row;
        row.Texts.assign(index.Rows[i].Cells.begin(), index.Rows[i].Cells.end());
        g->SetRows(static_cast<int>(i) + 1, row);
    }
    g->DecodeText = [](const std::string& s) {
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    };
    TPrintOptions& o = g->PrintOptions();
    o.Orientation = TPrinterOrientation::poLandscape;
    o.PageFooter = QStringLiteral("date|time|page");
    o.PageTitle = QStringLiteral("velmora-sample.pgn");
    o.PageTitleMargin = 6;
    o.MarginLeft = 10;
    o.MarginRight = 10;
    return g;
}

TEST(GameListPrint, SampleListToPdfAndPreview)
{
    auto g = SampleGameList();
    ASSERT_GE(g->RowCount(), 31);

    const QTemporaryDir dir;
    const QString pdfName = ShotPath(dir, QStringLiteral("gamelist.pdf"));
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setOutputFormat(QPrinter::PdfFormat);
    qprinter.setOutputFileName(pdfName);
    qprinter.setPageSize(QPageSize(QPageSize::A4));
    qprinter.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    QtPrinterDevice printer(qprinter);
    ScopedPrinter installed(printer);
    ASSERT_TRUE(g->Print());
    const int pages = g->PageCount();
    EXPECT_GE(pages, 2);
    QFile pdf(pdfName);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(pdf.readAll())
                  .count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))),
              pages);

    // The preview form as PrintPreview shows it.
    ScriptedDialogService dialogs;
    ScopedDialogService scripted(dialogs);
    QImage picture;
    QString pagesLabel;
    dialogs.QueueModal(mrCancel, [&](QDialog& dialog) {
        auto& form = static_cast<TSortGridPreviewForm&>(dialog);
        form.show();
        QApplication::processEvents();
        pagesLabel = form.lblpages->text();
        picture = form.grab().toImage();
        form.btnfullClick();
        form.PreviewImageClick();
        QApplication::processEvents();
        KeepShot(form.grab().toImage(), QStringLiteral("preview_zoomed.png"));
    });
    g->PrintPreview();
    EXPECT_TRUE(dialogs.Drained());
    EXPECT_EQ(pagesLabel, QStringLiteral("of ") + QString::number(pages));
    EXPECT_EQ(picture.size(), QSize(603, 392));
    KeepShot(picture, QStringLiteral("preview.png"));
}

} // namespace
