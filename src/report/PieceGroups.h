#pragma once

#include <QtGlobal>

namespace kadenza {

class Block;

// A group is a piece with the pieces after it that are kept with the one before them; the
// page composer breaks a page between groups only, unless a group is taller than a page.

// The piece after the group that starts at `first`.
int groupEnd(const Block& block, int first);

// The first piece of the group that `piece` is in, but not before `floor`.
int groupStart(const Block& block, int piece, int floor);

// The piece after the first three groups from `first`: a block starts on a page only with them.
int openingEnd(const Block& block, int first);

// The height of the pieces `first` up to `end`, without `end`.
qreal piecesHeight(const Block& block, int first, int end);

}  // namespace kadenza
