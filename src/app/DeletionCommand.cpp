#include "app/DeletionCommand.h"

namespace kadenza {

DeletionCommand::DeletionCommand(DataTreeView& tree, int bank, int item)
    : tree_(tree), bank_(bank), item_(item) {}

void DeletionCommand::redo() {
    deleted_ = tree_.takeOut(bank_, item_);
}

void DeletionCommand::undo() {
    tree_.putBack(deleted_);
}

}  // namespace kadenza
