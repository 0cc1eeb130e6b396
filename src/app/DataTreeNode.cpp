#include "app/DataTreeNode.h"

#include "app/DataTreeView.h"

namespace kadenza {

DataTreeNode::DataTreeNode(InstrumentAbstract& object, int addressNumber)
    : object_(object), addressNumber_(addressNumber) {}

QString DataTreeNode::addressText() const {
    return addressNumber_ > 0 ? QStringLiteral(" [%1]").arg(addressNumber_) : QStringLiteral(" ");
}

QVariant DataTreeNode::data(int column, int role) const {
    switch (role) {
        case Qt::DisplayRole: {
            const auto* view = static_cast<const DataTreeView*>(treeWidget());
            return view != nullptr ? view->spokenTextOf(*this) : QString();
        }
        case objectRole:
            return QVariant::fromValue(static_cast<void*>(&object_));
        case addressRole:
            return addressText();
        default:
            return QTreeWidgetItem::data(column, role);
    }
}

}  // namespace kadenza
