#pragma once

#include "archive/Database.h"

namespace kadenza {

// The version of the archive's tables this program writes. Version 1 kept the values and
// their verdicts; version 2 added the limits' ends, for the trends; version 3 each site's
// latest inspection, for what is due.
constexpr int archiveSchemaVersion = 3;

// Makes the database an archive of the current version: creates the tables in one that holds
// none, migrates an older archive forward in one transaction (so that a failure leaves it as it
// was), and leaves a current one as it is. Throws ArchiveError, writing nothing, for a database
// that holds other tables, or an archive of a newer version.
void prepareSchema(Database& database);

}  // namespace kadenza
