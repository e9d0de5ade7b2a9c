// The sortable grid's text files and searches.
//
// A text file holds one line per grid row, fixed rows included; the cells of
// a line are joined by one separator character, without quoting, so a
// separator or line break inside a cell splits it when read back. Cells are
// written as the bytes they hold; lines end in CR LF, and CR, LF or CR LF end
// them on reading (a line end at the end of the file adds no row). A load
// reads the whole file before it touches the grid, and a save writes a new
// file that replaces the old one only once it is complete.
#include "components/SortGrid.h"

#include "components/GridText.h"
#include "platform/SaveFile.h"

#include <QFile>

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

// Files above this size are refused before they are read.
constexpr qint64 kMaxFileBytes = qint64{1} << 30;
// The last hit's row once a search has ended: no FindNext finds more.
constexpr int kSearchEnded = std::numeric_limits<int>::max();

QString FileNameOf(const std::string& name)
{
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether text holds needle (not empty), with ASCII letters compared
// case-insensitively unless caseSensitive.
bool Holds(std::string_view text, std::string_view needle, bool caseSensitive)
{
    if (needle.empty() || needle.size() > text.size()) return false;
    if (caseSensitive) return text.find(needle) != std::string_view::npos;
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                       [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); }) != text.end();
}

} // namespace

// ---- text files -----------------------------------------------------------------------

bool TSortGrid::SaveToFile(const std::string& FileName, char Separator)
{
    // Every row has ColCount cells, also one whose cells were never written.
    std::size_t size = 0;
    for (int r = 0; r < RowCount(); ++r) {
        for (int c = 0; c < ColCount(); ++c)
            size += Cells(c, r).size() + 1;
        size += 1; // CR LF in place of the last separator
    }
    std::string out;
    out.reserve(size);
    for (int r = 0; r < RowCount(); ++r) {
        for (int c = 0; c < ColCount(); ++c) {
            if (c > 0) out.push_back(Separator);
            out.append(Cells(c, r));
        }
        out.append("\r\n");
    }
    fileError_.clear();
    return SaveWholeFile(FileNameOf(FileName),
                         QByteArrayView(out.data(), static_cast<qsizetype>(out.size())),
                         &fileError_);
}

bool TSortGrid::LoadFromFile(const std::string& FileName, char Separator)
{
    QFile file(FileNameOf(FileName));
    if (!file.open(QIODevice::ReadOnly)) {
        fileError_ = file.errorString();
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        fileError_ = QStringLiteral("The file is too large.");
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fileError_ = file.errorString();
        return false;
    }
    const std::string_view bytes(data.constData(), static_cast<std::size_t>(data.size()));
    // The grid keeps at least one row and FixedCols + 1 columns.
    std::optional<TGridCells> cells = ReadGridText(bytes, Separator, FixedCols() + 1, MaxFileCells);
    if (!cells) {
        fileError_ = QStringLiteral("The file has too many cells.");
        return false;
    }
    ResetAfterClear();
    AssignCells(std::move(*cells));
    // The texts are new: nothing of them was edited.
    InitValidate();
    fileError_.clear();
    Invalidate();
    return true;
}

// ---- finding -----------------------------------------------------------------------------

bool TSortGrid::IsCell(const std::string& Value, int& ACol, int& ARow)
{
    // Whole texts, letter case ignored, column by column.
    const QString wanted = DisplayText(Value);
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) {
            const std::string_view text = Cells(c, r);
            if (text == Value ||
                (!text.empty() && DisplayText(text).compare(wanted, Qt::CaseInsensitive) == 0)) {
                ACol = c;
                ARow = r;
                return true;
            }
        }
    return false;
}

bool TSortGrid::FindFirst(const std::string& Text, int& ACol, int& ARow, int LastCol, int LastRow)
{
    if (!CheckRange(ACol, LastCol, false) || !CheckRange(ARow, LastRow, true)) return false;
    findText_ = Text;
    findFirstCol_ = ACol;
    findLastCol_ = LastCol;
    findLastRow_ = LastRow;
    // Until something is found, a FindNext finds nothing.
    hitCol_ = ACol;
    hitRow_ = kSearchEnded;
    for (int r = ARow; r <= LastRow; ++r)
        for (int c = ACol; c <= LastCol; ++c)
            if (Holds(Cells(c, r), findText_, CaseSensitive)) {
                ACol = hitCol_ = c;
                ARow = hitRow_ = r;
                return true;
            }
    return false;
}

bool TSortGrid::FindNext(int& ACol, int& ARow)
{
    // The rest of the last hit's row, then the following rows, all within the
    // columns of the search; the grid may have shrunk since.
    const int lastCol = std::min(findLastCol_, ColCount() - 1);
    const int lastRow = std::min(findLastRow_, RowCount() - 1);
    for (int r = hitRow_; r <= lastRow; ++r)
        for (int c = r == hitRow_ ? hitCol_ + 1 : findFirstCol_; c <= lastCol; ++c)
            if (Holds(Cells(c, r), findText_, CaseSensitive)) {
                ACol = hitCol_ = c;
                ARow = hitRow_ = r;
                return true;
            }
    hitRow_ = kSearchEnded;
    return false;
}
