#pragma once

#include <QTreeView>
#include <QUndoStack>
#include <memory>
#include <optional>

#include "app/DataTreeRow.h"
#include "app/TreeVerdicts.h"
#include "model/InstrumentData.h"

class QAction;
class QMenu;

namespace kadenza {

class DataTreeModel;

// The main window's tree of the measured data (TreeView1): a top-level row per bank, a
// child row per item (DataTreeModel), drawn by DataTreeDelegate with the columns chosen in its
// context menu (PopupMenu1). Each row is its bank or item in the container; the tree owns
// none of them. A row's text is the whole of what it draws, without style codes, for screen
// readers and type-to-find.
class DataTreeView : public QTreeView {
    Q_OBJECT

  public:
    explicit DataTreeView(InstrumentData& data, QWidget* parent = nullptr);
    // The deletions go silently with the view: the window that listens is already half gone.
    ~DataTreeView() override;

    // Empties the tree and builds it again from the container. A primary item's address
    // number is its number among the primary items of its bank, " [1]", " [2]" ...; every
    // other row's is one blank.
    void rebuild();
    // Shows no rows; the container keeps what it holds.
    void clear();
    // Draws the rows again, after the language or the columns changed.
    void refreshTexts();
    // A row's text as DataTreeModel gives it: what it draws with the current check marks.
    QString spokenTextOf(const InstrumentAbstract& object, const QString& addressNumber) const;
    // The address number a row draws after its text.
    static QString addressNumberOf(const QModelIndex& index);

    // The column mask of the check marks of Name1, Unit1 and Note1.
    int columnMask() const;
    bool showsAddressNumber() const;
    // What the row at `index` draws with the current check marks; none for a row without an
    // object.
    std::optional<DataTreeRow> rowAt(const QModelIndex& index) const;

    // Marks each judged item's verdict and each bank's label by these details, from now on
    // and whenever the data change; refreshVerdicts() after the details changed.
    void showVerdictsOf(const DetailsDocument& details);
    void refreshVerdicts();
    // What is drawn after a row: an item's verdict (or that it lacks a detail to be judged),
    // a bank's label; nothing while the Verdict toggle is off or no details are shown.
    struct RowMark {
        VerdictKind verdict = VerdictKind::none;
        bool lacksDetail = false;
        QString label;
        // The limit the verdict was reached by, in the locale's decimal separator: "≤ 1.44 Ω";
        // empty without one.
        QString limit;
    };
    RowMark markAt(const QModelIndex& index) const;
    // The mark as a screen reader says it: the verdict and its limit ("fail, limit ≤ 1.44 Ω"),
    // that a detail is missing, or a bank's label; empty where nothing is drawn.
    QString spokenMarkAt(const QModelIndex& index) const;

    // Delete and its Undo are refused while a job owns the container.
    void setDeletionAllowed(bool allowed);
    // The deletions Undo takes back; the window clears it when the container is replaced.
    QUndoStack& deletions() { return deletions_; }

    // What a deletion took out of the container and the tree, for Undo to put back: a bank
    // (item -1) or one item of a bank.
    struct Deleted {
        int bank = -1;
        int item = -1;
        int addressNumber = 0;
        // The tree's numbering when the item was taken out.
        int numbering = 0;
        std::unique_ptr<InstrumentBank> bankObject;
        std::unique_ptr<InstrumentItem> itemObject;
    };
    Deleted takeOut(int bank, int item);
    void putBack(Deleted& deleted);

  protected:
    // Any mouse button selects the row under the pointer, so a right click selects the row
    // before the context menu opens; a click below the last row changes nothing.
    void mousePressEvent(QMouseEvent* event) override;
    // Delete removes the selected bank or item from the container and its row from the tree.
    // The other rows keep their numbers until the next rebuild. Shift+F10 opens the context
    // menu, as the Menu key does.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QPoint keyboardMenuPosition() const;
    QAction* addColumnToggle(const char* name, int row, const QString& caption);
    void removeSelectedNode();
    void enableUndo();

    InstrumentData& data_;
    DataTreeModel* model_;
    QMenu* popupMenu_;
    QAction* name1_;
    QAction* unit1_;
    QAction* note1_;
    QAction* addressNumber1_;
    QAction* verdict1_;
    QAction* undo1_;
    QUndoStack deletions_;
    bool deletionAllowed_ = true;
    const DetailsDocument* details_ = nullptr;
    TreeVerdicts verdicts_;
};

}  // namespace kadenza
