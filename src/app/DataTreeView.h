#pragma once

#include <QTreeWidget>
#include <optional>

#include "app/DataTreeRow.h"
#include "model/InstrumentData.h"

class QAction;
class QMenu;

namespace kadenza {

// The main window's tree of the measured data (TreeView1): a top-level row per bank, a
// child row per item, made when the bank is first expanded, drawn by DataTreeDelegate with
// the columns chosen in its context menu (PopupMenu1). Each row points at its bank or item in
// the container; the tree owns none of them.
class DataTreeView : public QTreeWidget {
    Q_OBJECT

  public:
    explicit DataTreeView(InstrumentData& data, QWidget* parent = nullptr);

    // Empties the tree and builds it again from the container. A primary item's node text is
    // its number among the primary items of its bank, " [1]", " [2]" ...; every other node
    // text is one blank.
    void rebuild();

    // The column mask of the check marks of Name1, Unit1 and Note1.
    int columnMask() const;
    bool showsAddressNumber() const;
    // What the row at `index` draws with the current check marks; none for a row without an
    // object.
    std::optional<DataTreeRow> rowAt(const QModelIndex& index) const;

    // Delete is refused while a job owns the container.
    void setDeletionAllowed(bool allowed) { deletionAllowed_ = allowed; }

  protected:
    // Any mouse button selects the row under the pointer, so a right click selects the row
    // before the context menu opens; a click below the last row changes nothing.
    void mousePressEvent(QMouseEvent* event) override;
    // Delete removes the selected bank or item from the container and its row from the tree.
    // The other rows keep their numbers until the next rebuild.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QAction* addColumnToggle(const char* name, int row, const QString& caption);
    void removeSelectedNode();
    void fillBank(QTreeWidgetItem* node);

    InstrumentData& data_;
    QMenu* popupMenu_;
    QAction* name1_;
    QAction* unit1_;
    QAction* note1_;
    QAction* addressNumber1_;
    bool deletionAllowed_ = true;
};

}  // namespace kadenza
