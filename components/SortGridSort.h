// The sort of the sortable grid on its cell store: style detection, the
// stable sort of whole rows by one column and its undo. No widget needed.
#pragma once

#include "components/SortGridConvert.h"
#include "components/SortGridTypes.h"
#include "platform/GridCells.h"

#include <QString>

#include <functional>
#include <string>

// How cell bytes become text for upper-casing and collation, and back.
struct TTextCodec {
    std::function<QString(const std::string&)> Decode;
    std::function<std::string(const QString&)> Encode;
    static TTextCodec Latin1();
};

// The rows a sort works on: First .. Last inclusive (empty when Last < First).
struct TSortRows {
    int First = 0;
    int Last = -1;
};

// The style the texts of column col in rows allow (ssNumeric when there are no rows).
TSortStyle DetectSortStyle(const TGridCells& cells, int col, TSortRows rows, bool useDateTime,
                           const TFormatSettings& fs);

// Sorts rows by column col with a resolved style (ssAutomatic sorts as
// ssAlphabetic). Whole rows move (texts and objects); equal keys keep their
// order in both directions. list receives the entries in sorted order.
// Returns false, changing nothing, for a column or rows outside the store.
bool SortRowsByColumn(TGridCells& cells, int col, TSortRows rows, const TSortOptions& options,
                      const TFormatSettings& fs, const TTextCodec& codec, TSortedList& list);

// Puts the rows back where they stood before the sort that filled list.
// Returns false, changing nothing, when list does not match rows.
bool UnsortRows(TGridCells& cells, TSortRows rows, const TSortedList& list);
