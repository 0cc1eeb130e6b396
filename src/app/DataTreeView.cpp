#include "app/DataTreeView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/DataTreeDelegate.h"
#include "app/DataTreeNode.h"
#include "app/DeletionCommand.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"

namespace kadenza {

namespace {

constexpr int objectRole = DataTreeNode::objectRole;
// Set on a bank's row once its item rows are made.
constexpr int filledRole = Qt::UserRole + 2;
constexpr int treeIndentation = 23;
constexpr int treeFontPixels = 16;
constexpr int undoRow = 264;
constexpr int verdictRow = 275;

InstrumentAbstract* objectOf(const QModelIndex& index) {
    return static_cast<InstrumentAbstract*>(index.data(objectRole).value<void*>());
}

bool isFilled(const QTreeWidgetItem& node) {
    return node.data(0, filledRole).toBool();
}

}  // namespace

DataTreeView::DataTreeView(InstrumentData& data, QWidget* parent)
    : QTreeWidget(parent), data_(data), popupMenu_(new QMenu(this)) {
    setObjectName(QStringLiteral("TreeView1"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(treeFontPixels);
    setFont(font);
    setIndentation(treeIndentation);
    setHeaderHidden(true);
    header()->setStretchLastSection(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setUniformRowHeights(true);
    setItemDelegate(new DataTreeDelegate(*this, this));

    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    name1_ = addColumnToggle("Name1", 23, QStringLiteral("Name"));
    unit1_ = addColumnToggle("Unit1", 24, QStringLiteral("Unit"));
    note1_ = addColumnToggle("Note1", 25, QStringLiteral("Note"));
    addressNumber1_ = addColumnToggle("Addressnumber1", 186, QStringLiteral("Address number"));
    verdict1_ = addColumnToggle("Verdict1", verdictRow, QStringLiteral("Verdict"));
    popupMenu_->addSeparator();
    undo1_ = popupMenu_->addAction(QStringLiteral("Undo"));
    undo1_->setObjectName(QStringLiteral("Undo1"));
    undo1_->setProperty("tag", undoRow);
    undo1_->setShortcut(QKeySequence::Undo);
    undo1_->setShortcutContext(Qt::WindowShortcut);
    addAction(undo1_);
    connect(undo1_, &QAction::triggered, &deletions_, &QUndoStack::undo);
    connect(&deletions_, &QUndoStack::canUndoChanged, this, &DataTreeView::enableUndo);
    enableUndo();
    connect(this, &QTreeWidget::itemExpanded, this, &DataTreeView::fillBank);
}

DataTreeView::~DataTreeView() {
    deletions_.blockSignals(true);
}

QTreeWidgetItem* DataTreeView::nodeFor(InstrumentAbstract& object, int addressNumber) const {
    return new DataTreeNode(object, addressNumber);
}

// A bank's item rows are made when it is first expanded: a large file then costs a row per
// bank, not a widget item per measurement, until its items are looked at.
QTreeWidgetItem* DataTreeView::bankNode(InstrumentBank& bank) const {
    QTreeWidgetItem* node = nodeFor(bank, 0);
    if (bank.count() > 0) {
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    return node;
}

void DataTreeView::addItemNodes(QTreeWidgetItem& node, InstrumentBank& bank) const {
    QList<QTreeWidgetItem*> items;
    items.reserve(bank.count());
    int number = 1;
    for (int i = 0; i < bank.count(); ++i) {
        InstrumentItem* item = bank.item(i);
        items.append(nodeFor(*item, item->isPrimary() ? number++ : 0));
    }
    node.addChildren(items);
    node.setData(0, filledRole, true);
    node.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString DataTreeView::spokenTextOf(const DataTreeNode& node) const {
    if (rowsOutdated_) {
        return {};
    }
    const DataTreeRow row = dataTreeRow(node.object(), node.addressText().toStdString(),
                                        columnMask(), showsAddressNumber());
    return QString::fromStdU16String(spokenText(row.text));
}

void DataTreeView::fillBank(QTreeWidgetItem* node) {
    auto* bank = dynamic_cast<InstrumentBank*>(objectOf(indexFromItem(node)));
    if (bank != nullptr && node->parent() == nullptr && !isFilled(*node)) {
        addItemNodes(*node, *bank);
    }
}

QAction* DataTreeView::addColumnToggle(const char* name, int row, const QString& caption) {
    QAction* toggle = popupMenu_->addAction(caption);
    toggle->setObjectName(QString::fromLatin1(name));
    toggle->setProperty("tag", row);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    // The rows are drawn from the container on every paint, so nothing is rebuilt; their
    // texts follow what is drawn.
    connect(toggle, &QAction::toggled, this, &DataTreeView::refreshTexts);
    return toggle;
}

void DataTreeView::rebuild() {
    refreshVerdicts();
    // The rows still point at the objects the container held before, which may be gone: they
    // show nothing while they are taken away.
    rowsOutdated_ = true;
    clear();
    rowsOutdated_ = false;
    QList<QTreeWidgetItem*> banks;
    banks.reserve(data_.count());
    for (int i = 0; i < data_.count(); ++i) {
        banks.append(bankNode(*data_.bank(i)));
    }
    addTopLevelItems(banks);
}

void DataTreeView::refreshTexts() {
    viewport()->update();
}

void DataTreeView::showVerdictsOf(const DetailsDocument& details) {
    details_ = &details;
    refreshVerdicts();
}

void DataTreeView::refreshVerdicts() {
    if (details_ != nullptr) {
        verdicts_.update(data_, *details_);
    }
    viewport()->update();
}

DataTreeView::RowMark DataTreeView::markAt(const QModelIndex& index) const {
    const InstrumentAbstract* object = objectOf(index);
    if (details_ == nullptr || !verdict1_->isChecked() || object == nullptr) {
        return {};
    }
    if (const auto* bank = dynamic_cast<const InstrumentBank*>(object)) {
        return {VerdictKind::none, QString::fromStdString(verdicts_.labelOf(*bank))};
    }
    const auto* bank = dynamic_cast<const InstrumentBank*>(objectOf(index.parent()));
    const auto* item = dynamic_cast<const InstrumentItem*>(object);
    if (bank == nullptr || item == nullptr) {
        return {};
    }
    return {verdicts_.verdictOf(*item, *bank), QString()};
}

QString DataTreeView::addressNumberOf(const QTreeWidgetItem& node) {
    return node.data(0, DataTreeNode::addressRole).toString();
}

int DataTreeView::columnMask() const {
    return (name1_->isChecked() ? showSymbol : 0) | (unit1_->isChecked() ? showUnit : 0) |
           (note1_->isChecked() ? showNote : 0);
}

bool DataTreeView::showsAddressNumber() const {
    return addressNumber1_->isChecked();
}

std::optional<DataTreeRow> DataTreeView::rowAt(const QModelIndex& index) const {
    const InstrumentAbstract* object = objectOf(index);
    if (!object) {
        return std::nullopt;
    }
    return dataTreeRow(*object, index.data(DataTreeNode::addressRole).toString().toStdString(),
                       columnMask(), showsAddressNumber());
}

void DataTreeView::mousePressEvent(QMouseEvent* event) {
    QTreeWidgetItem* node = itemAt(event->position().toPoint());
    if (!node) {
        return;
    }
    setCurrentItem(node);
    QTreeWidget::mousePressEvent(event);
}

void DataTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        removeSelectedNode();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void DataTreeView::contextMenuEvent(QContextMenuEvent* event) {
    popupMenu_->exec(event->globalPos());
}

void DataTreeView::setDeletionAllowed(bool allowed) {
    deletionAllowed_ = allowed;
    enableUndo();
}

void DataTreeView::enableUndo() {
    undo1_->setEnabled(deletionAllowed_ && deletions_.canUndo());
}

void DataTreeView::removeSelectedNode() {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (!deletionAllowed_ || selected.isEmpty()) {
        return;
    }
    QTreeWidgetItem* node = selected.front();
    QTreeWidgetItem* bankNode = node->parent() ? node->parent() : node;
    const int bank = indexOfTopLevelItem(bankNode);
    const int item = node->parent() ? bankNode->indexOfChild(node) : -1;
    if (data_.bank(bank) != objectOf(indexFromItem(bankNode))) {
        return;
    }
    deletions_.push(new DeletionCommand(*this, bank, item));
}

DataTreeView::Deleted DataTreeView::takeOut(int bank, int item) {
    Deleted deleted;
    deleted.bank = bank;
    deleted.item = item;
    QTreeWidgetItem* bankNode = topLevelItem(bank);
    if (item < 0) {
        deleted.bankObject = data_.takeBank(bank);
        delete takeTopLevelItem(bank);
        refreshVerdicts();
        return deleted;
    }
    deleted.itemObject = data_.bank(bank)->takeItem(item);
    if (isFilled(*bankNode)) {
        QTreeWidgetItem* node = bankNode->takeChild(item);
        deleted.addressNumber = static_cast<DataTreeNode*>(node)->addressNumber();
        delete node;
    }
    refreshVerdicts();
    return deleted;
}

// The row comes back where it was, selected; an item of a bank whose rows are not made yet
// is shown when the bank is expanded. A tree cleared for a transfer that found no port shows
// the data again.
void DataTreeView::putBack(Deleted& deleted) {
    const bool shown = topLevelItemCount() == data_.count();
    if (!shown) {
        putBackData(deleted);
        rebuild();
        return;
    }
    QTreeWidgetItem* node = nullptr;
    if (deleted.item < 0) {
        InstrumentBank& bank = *deleted.bankObject;
        putBackData(deleted);
        node = bankNode(bank);
        insertTopLevelItem(deleted.bank, node);
    } else {
        InstrumentItem& item = *deleted.itemObject;
        putBackData(deleted);
        QTreeWidgetItem* bankNode = topLevelItem(deleted.bank);
        if (isFilled(*bankNode)) {
            node = nodeFor(item, deleted.addressNumber);
            bankNode->insertChild(deleted.item, node);
        } else {
            bankNode->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        }
    }
    refreshVerdicts();
    if (node != nullptr) {
        setCurrentItem(node);
    }
}

void DataTreeView::putBackData(Deleted& deleted) {
    if (deleted.item < 0) {
        data_.insertBank(deleted.bank, std::move(deleted.bankObject));
    } else {
        data_.bank(deleted.bank)->insertItem(deleted.item, std::move(deleted.itemObject));
    }
}

}  // namespace kadenza
