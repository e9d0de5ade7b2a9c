#include "components/SortGridPages.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

int PrinterScale(int length, double scale)
{
    // Bounded well inside int, so that sums of scaled lengths cannot overflow.
    constexpr double kLimit = 1 << 28;
    return static_cast<int>(std::lround(std::min(std::max(0, length) * scale, kLimit)));
}

std::vector<TPrintBand> ColumnBands(const std::vector<int>& colWidths, const TPageFrame& frame)
{
    std::vector<TPrintBand> bands;
    const int count = static_cast<int>(colWidths.size());
    const int left = PrinterScale(frame.MarginLeft, frame.ScaleX);
    const int right = frame.PageWidth - PrinterScale(frame.MarginRight, frame.ScaleX);
    int first = 0;
    while (first < count) {
        long long x = left;
        bool holdsOne = false;
        int last = first;
        for (int c = first; c < count; ++c) {
            const int w = colWidths[static_cast<std::size_t>(c)];
            if (w > 0) {
                const int room = PrinterScale(w + 1, frame.ScaleX);
                if (holdsOne && x + room > right) break;
                x += room;
                holdsOne = true;
            }
            last = c;
        }
        bands.push_back({first, last});
        first = last + 1;
    }
    if (bands.empty()) bands.push_back({0, -1});
    return bands;
}

TPrintLayout PaginateRows(const std::vector<int>& colWidths, const std::vector<int>& rowHeights,
                          int fromRow, int toRow, const TPageFrame& frame)
{
    TPrintLayout layout;
    layout.Bands = ColumnBands(colWidths, frame);
    const int rowCount = static_cast<int>(rowHeights.size());
    auto height = [&](int r) {
        return PrinterScale(rowHeights[static_cast<std::size_t>(r)], frame.ScaleY);
    };

    layout.TitleTop = PrinterScale(frame.MarginTop, frame.ScaleY);
    layout.HeaderTop = layout.TitleTop + PrinterScale(frame.TitleHeight, frame.ScaleY) +
                       PrinterScale(frame.PageTitleMargin, frame.ScaleY);
    layout.RowsTop = layout.HeaderTop + (rowCount > 0 ? height(0) : 0);
    layout.RowsBottom =
        frame.PageHeight - PrinterScale(frame.MarginBottom + 20 + frame.FooterHeight, frame.ScaleY);

    // The rows break at the same places in every band.
    fromRow = std::max(fromRow, 0);
    toRow = std::min(toRow, rowCount - 1);
    std::vector<TPrintPage> breaks;
    TPrintPage page{0, 1, fromRow, fromRow - 1};
    long long y = layout.RowsTop;
    bool holdsRow = false;
    for (int r = fromRow; r <= toRow; ++r) {
        const int h = height(r);
        if (h == 0 && rowHeights[static_cast<std::size_t>(r)] == 0) {
            page.LastRow = r;
            continue;
        }
        if (holdsRow && y + h > layout.RowsBottom) {
            breaks.push_back(page);
            page = {0, page.PageInBand + 1, r, r - 1};
            y = layout.RowsTop;
        }
        y += h;
        page.LastRow = r;
        holdsRow = true;
    }
    breaks.push_back(page);

    for (int b = 0; b < static_cast<int>(layout.Bands.size()); ++b)
        for (TPrintPage p : breaks) {
            p.Band = b;
            layout.Pages.push_back(p);
        }
    return layout;
}

QString PageLabel(const TPrintPage& page, int bandCount)
{
    QString label = QStringLiteral("Page ") + QString::number(page.PageInBand);
    if (bandCount > 1) label += QLatin1Char('-') + QString::number(page.Band + 1);
    return label;
}

std::array<QString, 3> FooterParts(const QString& footer, const QString& date, const QString& time,
                                   const QString& label)
{
    std::array<QString, 3> parts;
    const QStringList split = footer.split(QLatin1Char('|'));
    for (int i = 0; i < 3 && i < split.size(); ++i) {
        QString part = split[i];
        auto replaceFirst = [&part](QLatin1StringView word, const QString& by) {
            const qsizetype at = part.indexOf(word);
            if (at >= 0) part.replace(at, word.size(), by);
        };
        replaceFirst(QLatin1StringView("date"), date);
        replaceFirst(QLatin1StringView("time"), time);
        replaceFirst(QLatin1StringView("page"), label);
        parts[static_cast<std::size_t>(i)] = part;
    }
    return parts;
}
