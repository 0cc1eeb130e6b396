#include "archive/Transaction.h"

namespace kadenza {

Transaction::Transaction(Database& database, Kind kind) : database_(database) {
    if (kind == Kind::tables) {
        database_.beginExclusive();
    } else {
        database_.begin();
    }
}

Transaction::~Transaction() {
    if (open_) {
        database_.rollback();
    }
}

// A commit that fails leaves the transaction to the destructor's rollback.
void Transaction::commit() {
    database_.commit();
    open_ = false;
}

}  // namespace kadenza
