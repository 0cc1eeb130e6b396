#pragma once

#include "archive/Database.h"

namespace kadenza {

// Begins on construction and, unless committed, rolls back when it goes out of scope: an
// exception half-way leaves nothing of the transaction behind.
class Transaction {
  public:
    // Which of the database's transactions: one that writes rows, or one that changes the
    // tables (Database::beginExclusive).
    enum class Kind { rows, tables };

    explicit Transaction(Database& database, Kind kind = Kind::rows);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

  private:
    Database& database_;
    bool open_ = true;
};

}  // namespace kadenza
