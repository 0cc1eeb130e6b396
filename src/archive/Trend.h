#pragma once

#include <vector>

#include "archive/ArchiveRecords.h"

namespace kadenza {

// Marks each value that moved toward its limit by more than a quarter of the distance it had
// before: the n-th value of a symbol is compared with the n-th value of the same symbol in the
// latest earlier inspection that had one, against the later value's limit (the nearer end of a
// range). A value
// without a limit, one already outside it before, or the first of its kind, is no trend.
// The points are in the order history gives them: oldest first, an inspection's together.
void markTrends(std::vector<HistoryPoint>& points);

}  // namespace kadenza
