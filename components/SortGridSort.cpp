#include "components/SortGridSort.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr double kUnparsedNumber = -0.2; // rank of an empty or unreadable number

int Sign(double a, double b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool RowsValid(const TGridCells& cells, TSortRows rows)
{
    return rows.First >= 0 && rows.Last < cells.RowCount();
}

// A bottom-up merge sort over indices. Every access is bounded by the
// counts, so a comparison that is not a strict order can misplace rows but
// never reads or writes outside the arrays.
template <typename Less>
void MergeSort(std::vector<int>& items, Less less)
{
    const std::size_t n = items.size();
    std::vector<int> buffer(n);
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, n);
            const std::size_t hi = std::min(lo + 2 * width, n);
            std::size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                buffer[k++] = less(items[j], items[i]) ? items[j++] : items[i++];
            while (i < mid)
                buffer[k++] = items[i++];
            while (j < hi)
                buffer[k++] = items[j++];
        }
        items.swap(buffer);
    }
}

} // namespace

TTextCodec TTextCodec::Latin1()
{
    return {[](const std::string& s) {
                return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
            },
            [](const QString& s) { return s.toLatin1().toStdString(); }};
}

TSortStyle DetectSortStyle(const TGridCells& cells, int col, TSortRows rows, bool useDateTime,
                           const TFormatSettings& fs)
{
    bool numeric = true;
    bool dateTime = useDateTime;
    bool time = useDateTime;
    for (int r = std::max(0, rows.First); r <= rows.Last && r < cells.RowCount(); ++r) {
        if (!numeric && !dateTime && !time) break;
        const std::string_view text = cells.Cell(col, r);
        // An empty text counts as a number but never as a time or date.
        if (numeric && !text.empty()) numeric = StrToFloat(text, fs).has_value();
        if (useDateTime) {
            if (time) time = !text.empty() && StrToTime(text, fs).has_value();
            if (dateTime) dateTime = !text.empty() && StrToDateTime(text, fs).has_value();
        }
    }
    if (numeric) return TSortStyle::ssNumeric;
    if (dateTime) return TSortStyle::ssDateTime;
    if (time) return TSortStyle::ssTime;
    return TSortStyle::ssAlphabetic;
}

bool SortRowsByColumn(TGridCells& cells, int col, TSortRows rows, const TSortOptions& options,
                      const TFormatSettings& fs, const TTextCodec& codec, TSortedList& list)
{
    if (col < 0 || col >= cells.ColCount() || !RowsValid(cells, rows)) return false;
    list.Reset();
    const int n = std::max(0, rows.Last - rows.First + 1);
    std::vector<TSortedListEntry>& entries = list.Items();
    entries.reserve(static_cast<std::size_t>(n));
    for (int r = rows.First; r <= rows.Last; ++r)
        entries.push_back({std::string(cells.Cell(col, r)), r});
    if (n == 0) return true;

    // Keys are made once per row, not once per comparison.
    if (!options.SortCaseSensitive)
        for (TSortedListEntry& e : entries)
            e.Str = codec.Encode(codec.Decode(e.Str).toUpper());

    TSortStyle style = options.SortStyle;
    if (style == TSortStyle::ssAutomatic || (style == TSortStyle::ssCustom && !options.SortCompare))
        style =
            TSortStyle::ssAlphabetic; // a custom sort without a compare function sorts by letters

    std::vector<double> numbers;
    std::vector<std::optional<double>> stamps;
    std::vector<QCollatorSortKey> keys;
    switch (style) {
    case TSortStyle::ssNumeric:
        numbers.reserve(static_cast<std::size_t>(n));
        for (const TSortedListEntry& e : entries)
            numbers.push_back(e.Str.empty() ? kUnparsedNumber
                                            : StrToFloat(e.Str, fs).value_or(kUnparsedNumber));
        break;
    case TSortStyle::ssDateTime:
    case TSortStyle::ssTime:
        stamps.reserve(static_cast<std::size_t>(n));
        for (const TSortedListEntry& e : entries)
            stamps.push_back(style == TSortStyle::ssTime ? StrToTime(e.Str, fs)
                                                         : StrToDateTime(e.Str, fs));
        break;
    case TSortStyle::ssAlphabetic: {
        QCollator collator(fs.CollationLocale);
        collator.setCaseSensitivity(Qt::CaseSensitive);
        keys.reserve(static_cast<std::size_t>(n));
        for (const TSortedListEntry& e : entries)
            keys.push_back(collator.sortKey(codec.Decode(e.Str)));
        break;
    }
    default:
        break;
    }

    const bool descending = options.SortDirection == TSortDirection::sdDescending;
    auto compare = [&](int a, int b) {
        int result = 0;
        switch (style) {
        case TSortStyle::ssNumeric:
            result = Sign(numbers[a], numbers[b]);
            break;
        case TSortStyle::ssDateTime:
        case TSortStyle::ssTime:
            if (stamps[a] && stamps[b]) result = Sign(*stamps[a], *stamps[b]);
            break;
        case TSortStyle::ssCustom:
            result = options.SortCompare(entries[a].Str, entries[b].Str);
            break;
        default: {
            const int c = keys[a].compare(keys[b]);
            result = c < 0 ? -1 : (c > 0 ? 1 : 0);
            break;
        }
        }
        if (result != 0) return descending ? -result : result;
        // Ties keep the order the rows had, in both directions.
        return Sign(entries[a].RowNum, entries[b].RowNum);
    };

    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        order[i] = i;
    MergeSort(order, [&](int a, int b) { return compare(a, b) < 0; });

    std::vector<TSortedListEntry> sorted;
    sorted.reserve(entries.size());
    std::vector<int> rowOrder;
    rowOrder.reserve(entries.size());
    for (int i : order) {
        rowOrder.push_back(entries[i].RowNum);
        sorted.push_back(std::move(entries[i]));
    }
    entries = std::move(sorted);
    cells.PermuteRows(rows.First, rowOrder);
    return true;
}

bool UnsortRows(TGridCells& cells, TSortRows rows, const TSortedList& list)
{
    if (!RowsValid(cells, rows) || list.Count() != std::max(0, rows.Last - rows.First + 1))
        return false;
    // Entry i is now at row First + i and came from row RowNum.
    std::vector<int> back(static_cast<std::size_t>(list.Count()), -1);
    for (int i = 0; i < list.Count(); ++i) {
        const int home = list.GetItem(i)->RowNum - rows.First;
        if (home < 0 || home >= list.Count() || back[home] != -1) return false;
        back[home] = rows.First + i;
    }
    return cells.PermuteRows(rows.First, back);
}
