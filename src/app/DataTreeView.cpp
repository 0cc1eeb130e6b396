#include "app/DataTreeView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/DataTreeDelegate.h"

namespace kadenza {

namespace {

constexpr int objectRole = Qt::UserRole;
constexpr int treeIndentation = 23;
constexpr int treeFontPixels = 16;

QTreeWidgetItem* nodeFor(InstrumentAbstract* object, const QString& nodeText) {
    auto* node = new QTreeWidgetItem(QStringList{nodeText});
    node->setData(0, objectRole, QVariant::fromValue(static_cast<void*>(object)));
    return node;
}

// A bank's item rows are made when it is first expanded: a large file then costs a row per
// bank, not a widget item per measurement, until its items are looked at.
QTreeWidgetItem* bankNode(InstrumentBank& bank) {
    QTreeWidgetItem* node = nodeFor(&bank, QStringLiteral(" "));
    if (bank.count() > 0) {
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    return node;
}

void addItemNodes(QTreeWidgetItem& node, InstrumentBank& bank) {
    QList<QTreeWidgetItem*> items;
    items.reserve(bank.count());
    int number = 1;
    for (int i = 0; i < bank.count(); ++i) {
        InstrumentItem* item = bank.item(i);
        const QString nodeText =
            item->isPrimary() ? QStringLiteral(" [%1]").arg(number++) : QStringLiteral(" ");
        items.append(nodeFor(item, nodeText));
    }
    node.addChildren(items);
    node.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

InstrumentAbstract* objectOf(const QModelIndex& index) {
    return static_cast<InstrumentAbstract*>(index.data(objectRole).value<void*>());
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
    connect(this, &QTreeWidget::itemExpanded, this, &DataTreeView::fillBank);
}

void DataTreeView::fillBank(QTreeWidgetItem* node) {
    auto* bank = dynamic_cast<InstrumentBank*>(objectOf(indexFromItem(node)));
    if (bank != nullptr && node->childCount() == 0 && node->parent() == nullptr) {
        addItemNodes(*node, *bank);
    }
}

QAction* DataTreeView::addColumnToggle(const char* name, int row, const QString& caption) {
    QAction* toggle = popupMenu_->addAction(caption);
    toggle->setObjectName(QString::fromLatin1(name));
    toggle->setProperty("tag", row);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    // The rows' texts come from the container on every paint, so nothing is rebuilt.
    connect(toggle, &QAction::toggled, viewport(), qOverload<>(&QWidget::update));
    return toggle;
}

void DataTreeView::rebuild() {
    clear();
    QList<QTreeWidgetItem*> banks;
    banks.reserve(data_.count());
    for (int i = 0; i < data_.count(); ++i) {
        banks.append(bankNode(*data_.bank(i)));
    }
    addTopLevelItems(banks);
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
    return dataTreeRow(*object, index.data().toString().toStdString(), columnMask(),
                       showsAddressNumber());
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

void DataTreeView::removeSelectedNode() {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (!deletionAllowed_ || selected.isEmpty()) {
        return;
    }
    QTreeWidgetItem* node = selected.front();
    const InstrumentAbstract* object = objectOf(indexFromItem(node));
    if (object && data_.remove(object)) {
        delete node;
    }
}

}  // namespace kadenza
