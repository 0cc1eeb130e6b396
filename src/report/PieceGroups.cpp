#include "report/PieceGroups.h"

#include "report/Block.h"

namespace kadenza {

namespace {

constexpr int openingGroups = 3;

}  // namespace

int groupEnd(const Block& block, int first) {
    int end = first + 1;
    while (end < block.pieceCount() && block.keepsWithPrevious(end)) {
        ++end;
    }
    return end;
}

int groupStart(const Block& block, int piece, int floor) {
    while (piece > floor && block.keepsWithPrevious(piece)) {
        --piece;
    }
    return piece;
}

int openingEnd(const Block& block, int first) {
    int end = first;
    for (int group = 0; group < openingGroups && end < block.pieceCount(); ++group) {
        end = groupEnd(block, end);
    }
    return end;
}

qreal piecesHeight(const Block& block, int first, int end) {
    qreal height = 0;
    for (int piece = first; piece < end; ++piece) {
        height += block.pieceHeight(piece);
    }
    return height;
}

}  // namespace kadenza
