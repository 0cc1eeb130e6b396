#include "app/DataTreeView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/DataTreeDelegate.h"
#include "app/DataTreeModel.h"
#include "app/DeletionCommand.h"
#include "language/Language.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "model/NumberText.h"

namespace kadenza {

namespace {

constexpr int treeIndentation = 23;
constexpr int treeFontPixels = 16;
constexpr int undoRow = 264;
constexpr int verdictRow = 275;
constexpr int limitRow = 274;

}  // namespace

DataTreeView::DataTreeView(InstrumentData& data, QWidget* parent)
    : QTreeView(parent),
      data_(data),
      model_(new DataTreeModel(data, *this)),
      popupMenu_(new QMenu(this)) {
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
    model_->setParent(this);
    setModel(model_);

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
}

DataTreeView::~DataTreeView() {
    deletions_.blockSignals(true);
}

QString DataTreeView::spokenTextOf(const InstrumentAbstract& object,
                                   const QString& addressNumber) const {
    const DataTreeRow row =
        dataTreeRow(object, addressNumber.toStdString(), columnMask(), showsAddressNumber());
    return QString::fromStdU16String(spokenText(row.text));
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
    model_->showData();
}

void DataTreeView::clear() {
    model_->showNothing();
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
    const InstrumentAbstract* object = model_->objectAt(index);
    if (details_ == nullptr || !verdict1_->isChecked() || object == nullptr) {
        return {};
    }
    if (const auto* bank = dynamic_cast<const InstrumentBank*>(object)) {
        return {VerdictKind::none, false, QString::fromStdString(verdicts_.labelOf(*bank)),
                QString()};
    }
    const auto* bank = dynamic_cast<const InstrumentBank*>(model_->objectAt(index.parent()));
    const auto* item = dynamic_cast<const InstrumentItem*>(object);
    if (bank == nullptr || item == nullptr) {
        return {};
    }
    const Verdict verdict = verdicts_.verdictOf(*item, *bank);
    // In the decimal separator of the row's own numbers.
    const QString limit =
        QString::fromStdString(shownLimit(verdict))
            .replace(QLatin1Char('.'), QString::fromStdString(decimalSeparator()));
    return {verdict.kind, verdict.lacksDetail(), QString(), limit};
}

QString DataTreeView::spokenMarkAt(const QModelIndex& index) const {
    const RowMark mark = markAt(index);
    if (!mark.label.isEmpty()) {
        return mark.label;
    }
    if (mark.lacksDetail) {
        return QString::fromStdString(missingDetailWord());
    }
    if (mark.verdict == VerdictKind::none) {
        return {};
    }
    QString spoken = QString::fromStdString(verdictWord(mark.verdict));
    if (!mark.limit.isEmpty()) {
        spoken += QStringLiteral(", ") + QString::fromUtf8(RowText(limitRow)).toLower() +
                  QLatin1Char(' ') + mark.limit;
    }
    return spoken;
}

QString DataTreeView::addressNumberOf(const QModelIndex& index) {
    return index.data(DataTreeModel::addressRole).toString();
}

int DataTreeView::columnMask() const {
    return (name1_->isChecked() ? showSymbol : 0) | (unit1_->isChecked() ? showUnit : 0) |
           (note1_->isChecked() ? showNote : 0);
}

bool DataTreeView::showsAddressNumber() const {
    return addressNumber1_->isChecked();
}

std::optional<DataTreeRow> DataTreeView::rowAt(const QModelIndex& index) const {
    const InstrumentAbstract* object = model_->objectAt(index);
    if (!object) {
        return std::nullopt;
    }
    return dataTreeRow(*object, addressNumberOf(index).toStdString(), columnMask(),
                       showsAddressNumber());
}

void DataTreeView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex node = indexAt(event->position().toPoint());
    if (!node.isValid()) {
        return;
    }
    setCurrentIndex(node);
    QTreeView::mousePressEvent(event);
}

void DataTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        removeSelectedNode();
        return;
    }
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        popupMenu_->exec(keyboardMenuPosition());
        return;
    }
    QTreeView::keyPressEvent(event);
}

// The menu opened from the keyboard opens at the selected row, where the user's eyes are.
void DataTreeView::contextMenuEvent(QContextMenuEvent* event) {
    popupMenu_->exec(event->reason() == QContextMenuEvent::Keyboard ? keyboardMenuPosition()
                                                                    : event->globalPos());
}

QPoint DataTreeView::keyboardMenuPosition() const {
    const QRect row = visualRect(currentIndex());
    return viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint(0, 0));
}

void DataTreeView::setDeletionAllowed(bool allowed) {
    deletionAllowed_ = allowed;
    enableUndo();
}

void DataTreeView::enableUndo() {
    undo1_->setEnabled(deletionAllowed_ && deletions_.canUndo());
}

void DataTreeView::removeSelectedNode() {
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (!deletionAllowed_ || selected.isEmpty()) {
        return;
    }
    const QModelIndex node = selected.front();
    const QModelIndex bankNode = node.parent().isValid() ? node.parent() : node;
    const int bank = bankNode.row();
    const int item = node.parent().isValid() ? node.row() : -1;
    if (data_.bank(bank) != model_->objectAt(bankNode)) {
        return;
    }
    deletions_.push(new DeletionCommand(*this, bank, item));
}

DataTreeView::Deleted DataTreeView::takeOut(int bank, int item) {
    Deleted deleted;
    deleted.bank = bank;
    deleted.item = item;
    if (!model_->showsData()) {
        if (item < 0) {
            deleted.bankObject = data_.takeBank(bank);
        } else {
            deleted.itemObject = data_.bank(bank)->takeItem(item);
        }
    } else if (item < 0) {
        deleted.bankObject = model_->takeBank(bank);
    } else {
        deleted.itemObject = model_->takeItem(bank, item, deleted.addressNumber);
        deleted.numbering = model_->numbering();
    }
    refreshVerdicts();
    return deleted;
}

// The row comes back where it was, selected. A tree cleared for a transfer that found no
// port shows the data again.
void DataTreeView::putBack(Deleted& deleted) {
    if (!model_->showsData()) {
        if (deleted.item < 0) {
            data_.insertBank(deleted.bank, std::move(deleted.bankObject));
        } else {
            data_.bank(deleted.bank)->insertItem(deleted.item, std::move(deleted.itemObject));
        }
        rebuild();
        return;
    }
    QModelIndex node;
    if (deleted.item < 0) {
        model_->insertBank(deleted.bank, std::move(deleted.bankObject));
        node = model_->index(deleted.bank, 0);
    } else {
        const bool sameNumbering = deleted.numbering == model_->numbering();
        model_->insertItem(
            deleted.bank, deleted.item, std::move(deleted.itemObject),
            sameNumbering ? std::optional<int>(deleted.addressNumber) : std::nullopt);
        node = model_->index(deleted.item, 0, model_->index(deleted.bank, 0));
    }
    refreshVerdicts();
    setCurrentIndex(node);
}

}  // namespace kadenza
