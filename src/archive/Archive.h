#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveRecords.h"
#include "archive/IndexedInspection.h"

namespace kadenza {

class Database;

// The archive of inspections: data files kept whole with their details, indexed by site,
// dates, verdicts and every circuit's values. One archive is one SQLite file on this computer
// or one PostgreSQL database a team shares; both keep the same tables and answer the same
// queries. Every failure throws ArchiveError naming its problem.
class Archive {
  public:
    // Opens the archive at a path (an SQLite file, created with its folders on first use) or a
    // postgresql:// URI, and brings an older archive's tables up to date.
    static std::unique_ptr<Archive> open(const std::string& location);

    explicit Archive(std::unique_ptr<Database> database);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Adds a data file's bytes in one transaction: the inspection goes in whole or not at all.
    // The same bytes added again are no duplicate: the result names the inspection already
    // there. Throws ArchiveError (refused) for a file indexInspection refuses.
    AddResult add(const std::string& fileBytes);

    // Every inspection, or those of one site, oldest first (by date, then as they were added).
    std::vector<InspectionSummary> list(const std::optional<std::string>& site = std::nullopt);
    // The latest inspection of each site that has no next date, as they were added, then of each
    // site whose next date falls before the day (YYYY-MM-DD), the soonest due first. A site
    // without a next date may be overdue by years: it is never left out.
    std::vector<InspectionSummary> due(const std::string& before);
    // The latest inspection of every site: those with no next date first, by site, then the
    // soonest due.
    std::vector<InspectionSummary> installations();
    // The inspections of one site, newest first, with their values counted by verdict.
    std::vector<RevisionSummary> revisions(const std::string& site);
    // The circuits of one site in the order they were first archived, each with its symbols.
    std::vector<CircuitQuantities> circuits(const std::string& site);
    // Every archived value of a site's circuit (a bank's label, or its number where it has
    // none), or only those of one plain symbol, oldest first, with the trends marked.
    std::vector<HistoryPoint> history(const std::string& site, const std::string& circuit,
                                      const std::optional<std::string>& symbol = std::nullopt);
    // The data file as it was added, byte for byte. Throws ArchiveError (notFound) for an id
    // the archive does not hold.
    std::string fileBytes(std::int64_t id);

  private:
    // The id of every circuit of the inspection's site, those it names first made.
    std::map<std::string, std::int64_t> circuitIds(const IndexedInspection& inspection);
    void insertItems(std::int64_t inspection, const std::vector<IndexedItem>& items,
                     const std::map<std::string, std::int64_t>& circuits);

    std::unique_ptr<Database> database_;
};

}  // namespace kadenza
