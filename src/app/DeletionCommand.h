#pragma once

#include <QUndoCommand>

#include "app/DataTreeView.h"

namespace kadenza {

// Delete of a bank or an item in the data tree, which Undo puts back: the object stays with
// the command, so it comes back whole and where it stood.
class DeletionCommand : public QUndoCommand {
  public:
    // `item` -1 deletes the bank itself.
    DeletionCommand(DataTreeView& tree, int bank, int item);

    void redo() override;
    void undo() override;

  private:
    DataTreeView& tree_;
    int bank_;
    int item_;
    DataTreeView::Deleted deleted_;
};

}  // namespace kadenza
