#include "report/PageComposer.h"

#include <algorithm>

#include "report/TextBlock.h"

namespace kadenza {

namespace {

// A block starts on a page only with a few of its pieces, not with its head or one line alone.
constexpr int openingPieces = 3;

qreal openingHeight(const Block& block) {
    qreal height = 0;
    for (int piece = 0; piece < std::min(openingPieces, block.pieceCount()); ++piece) {
        height += block.pieceHeight(piece);
    }
    return height;
}

}  // namespace

PageComposer::PageComposer(const QSizeF& body, QPaintDevice* device)
    : body_(body), device_(device), pages_(1) {}

void PageComposer::addText(const StyledText& text, const TextStyle& style, qreal space,
                           qreal reserve) {
    add(std::make_unique<TextBlock>(text, style, body_.width(), device_), space, reserve);
}

void PageComposer::addTable(Table table, qreal space) {
    add(std::make_unique<TableBlock>(std::move(table), body_.width(), device_), space, 0);
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

void PageComposer::add(std::unique_ptr<Block> block, qreal space, qreal reserve) {
    const Block& added = *block;
    blocks_.push_back(std::move(block));
    if (added.pieceCount() == 0) {
        return;
    }
    if (!pages_.back().empty()) {
        y_ += space;
        if (y_ + added.headHeight() + openingHeight(added) + reserve > body_.height()) {
            startPage();
        }
    }
    Placement placement{&added, QPointF(0, y_), 0, 0};
    y_ += added.headHeight();
    for (int piece = 0; piece < added.pieceCount(); ++piece) {
        const qreal height = added.pieceHeight(piece);
        // A piece taller than a page stays on its own page rather than on none.
        if (y_ + height > body_.height() && piece > placement.first) {
            placement.last = piece - 1;
            pages_.back().push_back(placement);
            startPage();
            placement = {&added, QPointF(0, 0), piece, piece};
            y_ = added.headHeight();
        }
        y_ += height;
    }
    placement.last = added.pieceCount() - 1;
    pages_.back().push_back(placement);
}

}  // namespace kadenza
