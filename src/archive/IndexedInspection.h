#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kadenza {

// One measured value as the archive indexes it.
struct IndexedItem {
    // The item's place among all the file's items, from 0: it names the item within its
    // inspection, whatever is left out of the index.
    int index = 0;
    // The bank's label, or its number where it has none.
    std::string circuit;
    std::string symbol;
    double value = 0;
    bool over = false;
    std::string unit;
    std::string verdict;
    std::optional<double> limitMin;
    std::optional<double> limitMax;
};

// What the archive indexes of a data file: who, where and when from its details, how its
// values add up, and every measured value with its verdict.
struct IndexedInspection {
    std::string site;
    std::string client;
    std::string operatorName;
    std::string inspector;
    std::string date;
    std::optional<std::string> nextDate;
    std::string overall;
    std::vector<IndexedItem> items;
};

// Reads and judges a data file's bytes. Throws ArchiveError (refused) naming why the archive
// cannot take it: not a data file, details that cannot be read, no site. The rows that number a
// bank or a record, and values that are no number, are not indexed.
IndexedInspection indexInspection(const std::string& fileBytes);

}  // namespace kadenza
