#include "archive/Transaction.h"

namespace kadenza {

Transaction::Transaction(Database& database) : database_(database) {
    database_.begin();
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
