#include "report/PageComposer.h"

#include <algorithm>

#include "report/PieceGroups.h"
#include "report/TextBlock.h"

namespace kadenza {

PageComposer::PageComposer(const QSizeF& body, QPaintDevice* device)
    : body_(body), device_(device), pages_(1) {}

void PageComposer::addText(const StyledText& text, const TextStyle& style, qreal space,
                           qreal reserve) {
    add(std::make_unique<TextBlock>(text, style, body_.width(), device_), space, reserve);
}

void PageComposer::addTable(Table table, qreal space) {
    add(std::make_unique<TableBlock>(std::move(table), body_, device_), space);
}

void PageComposer::breakPage() {
    if (!pages_.back().empty()) {
        startPage();
    }
}

void PageComposer::startPage() {
    pages_.emplace_back();
    y_ = 0;
}

void PageComposer::add(std::unique_ptr<Block> block, qreal space, qreal reserve,
                       bool keepWithPrevious) {
    blocks_.push_back({std::move(block), space, reserve});
    const AddedBlock& added = blocks_.back();
    if (added.block->pieceCount() == 0) {
        return;
    }
    if (keepWithPrevious && !startsOnPage(added, 0)) {
        moveLastPiecesOn();
    }
    place(added, 0);
}

bool PageComposer::startsOnPage(const AddedBlock& added, int first) const {
    if (pages_.back().empty()) {
        return true;
    }
    const Block& block = *added.block;
    const qreal opening = piecesHeight(block, first, openingEnd(block, first));
    return y_ + added.space + block.headHeight() + opening + added.reserve <= body_.height();
}

void PageComposer::place(const AddedBlock& added, int first) {
    if (!startsOnPage(added, first)) {
        startPage();
    }
    if (!pages_.back().empty()) {
        y_ += added.space;
    }
    const Block& block = *added.block;
    Placement placement{&block, QPointF(0, y_), first, first};
    y_ += block.headHeight();
    for (int group = first; group < block.pieceCount();) {
        const int end = groupEnd(block, group);
        if (block.headHeight() + piecesHeight(block, group, end) <= body_.height()) {
            placeRun(placement, group, end);
        } else {
            // A group taller than a page breaks where it must, as late as it can.
            for (int piece = group; piece < end; ++piece) {
                placeRun(placement, piece, piece + 1);
            }
        }
        group = end;
    }
    placement.last = block.pieceCount() - 1;
    pages_.back().push_back(placement);
}

void PageComposer::placeRun(Placement& placement, int first, int end) {
    const qreal height = piecesHeight(*placement.block, first, end);
    // A piece taller than a page stays on its own page rather than on none.
    if (y_ + height > body_.height() && first > placement.first) {
        placement.last = first - 1;
        pages_.back().push_back(placement);
        startPage();
        placement = {placement.block, QPointF(0, 0), first, first};
        y_ = placement.block->headHeight();
    }
    y_ += height;
}

void PageComposer::moveLastPiecesOn() {
    ComposedPage& page = pages_.back();
    const Cut cut = lastPiecesCut(page);
    // When the whole page would move, the next one would be no better.
    if (cut.placement == 0 && cut.piece == page.front().first) {
        return;
    }
    ComposedPage moved(page.begin() + static_cast<std::ptrdiff_t>(cut.placement), page.end());
    moved.front().first = cut.piece;
    std::size_t kept = cut.placement;
    if (cut.piece > page[cut.placement].first) {
        page[cut.placement].last = cut.piece - 1;
        ++kept;
    }
    page.erase(page.begin() + static_cast<std::ptrdiff_t>(kept), page.end());
    startPage();
    for (const Placement& placement : moved) {
        place(addedBlock(placement.block), placement.first);
    }
}

PageComposer::Cut PageComposer::lastPiecesCut(const ComposedPage& page) const {
    const Placement& last = page.back();
    Cut cut{page.size() - 1, groupStart(*last.block, last.last, last.first)};
    // A block that starts on the page keeps its opening there, or moves whole.
    if (last.first == 0 && cut.piece < openingEnd(*last.block, 0)) {
        cut.piece = 0;
    }
    // A heading, the block with a reserve, goes with what follows it.
    while (cut.placement > 0 && cut.piece == page[cut.placement].first &&
           addedBlock(page[cut.placement - 1].block).reserve > 0) {
        --cut.placement;
        cut.piece = page[cut.placement].first;
    }
    return cut;
}

const PageComposer::AddedBlock& PageComposer::addedBlock(const Block* block) const {
    // The blocks asked for are on the last page, at the end.
    return *std::find_if(blocks_.rbegin(), blocks_.rend(),
                         [block](const AddedBlock& added) { return added.block.get() == block; });
}

}  // namespace kadenza
