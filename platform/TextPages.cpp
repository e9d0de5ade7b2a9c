#include "platform/TextPages.h"

#include "platform/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

TextPages::TextPages(const QTextDocument& doc, double pageHeight)
{
    CollectLines(doc);
    CutPages(pageHeight);
}

int TextPages::FirstLine(int page) const
{
    return page < Count() ? starts_[static_cast<std::size_t>(page)]
                          : static_cast<int>(lines_.size());
}

void TextPages::CollectLines(const QTextDocument& doc)
{
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    layout->documentSize(); // the whole layout, before any line is read
    int runFirst = -1;      // first line of the keep-with-next run open
    auto keep = [this](int first, int last) {
        for (int k = first; k <= last; ++k) {
            lines_[static_cast<std::size_t>(k)].KeepFirst = first;
            lines_[static_cast<std::size_t>(k)].KeepLast = last;
        }
    };
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* text = block.layout();
        if (!block.isVisible() || !text || text->lineCount() == 0) continue;
        const QPointF origin = layout->blockBoundingRect(block).topLeft();
        const int first = static_cast<int>(lines_.size());
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const double top = origin.y() + line.y();
            const int index = static_cast<int>(lines_.size());
            lines_.push_back({block, i, origin, top, top + line.height(), index, index});
        }
        const bool keeps = block.blockFormat().boolProperty(RtfKeepWithNextProperty);
        if (runFirst >= 0 && !keeps) {
            keep(runFirst, first); // the run and this paragraph's first line
            runFirst = -1;
        } else if (runFirst < 0 && keeps) {
            runFirst = first;
        }
    }
    // Empty paragraphs at the end print nothing and start no page.
    while (lines_.size() > 1 &&
           lines_.back().Block.layout()->lineAt(lines_.back().Line).textLength() == 0)
        lines_.pop_back();
    if (runFirst >= 0 && runFirst < static_cast<int>(lines_.size()))
        keep(runFirst, static_cast<int>(lines_.size()) - 1);
    for (TextLineBox& box : lines_)
        box.KeepLast = std::min(box.KeepLast, static_cast<int>(lines_.size()) - 1);
}

void TextPages::CutPages(double pageHeight)
{
    if (lines_.empty()) return;
    // The first page starts at the top of the column, the others at their first line.
    starts_.push_back(0);
    tops_.push_back(std::min(0.0, lines_.front().Top));
    for (int k = 1; k < static_cast<int>(lines_.size()); ++k) {
        const TextLineBox& line = lines_[static_cast<std::size_t>(k)];
        if (line.Bottom - tops_.back() <= pageHeight) continue;
        // The page ends above this line, or above its run when the run
        // begins lower on the page and fits on a page of its own.
        int cut = k;
        const double run = lines_[static_cast<std::size_t>(line.KeepLast)].Bottom -
                           lines_[static_cast<std::size_t>(line.KeepFirst)].Top;
        if (line.KeepFirst > starts_.back() && run <= pageHeight) cut = line.KeepFirst;
        starts_.push_back(cut);
        tops_.push_back(lines_[static_cast<std::size_t>(cut)].Top);
        k = cut;
    }
}

void TextPages::Draw(QPainter& painter, int page) const
{
    const int first = FirstLine(page);
    const int end = FirstLine(page + 1);
    if (first >= end) return;
    const double top = tops_[static_cast<std::size_t>(page)];
    for (int k = first; k < end; ++k) {
        const TextLineBox& box = lines_[static_cast<std::size_t>(k)];
        box.Block.layout()->lineAt(box.Line).draw(&painter, box.Origin - QPointF(0, top));
    }
}
