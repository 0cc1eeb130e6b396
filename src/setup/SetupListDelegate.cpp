#include "setup/SetupListDelegate.h"

#include <QListWidgetItem>
#include <QPainter>

#include "app/DrawRichText.h"
#include "model/InstrumentSetupAbstract.h"
#include "setup/SetupImages.h"

namespace kadenza {

namespace {

constexpr int objectRole = Qt::UserRole;
constexpr int tabPosition = 200;
// The setup model does not bound a line; the list draws at most this many characters.
constexpr std::size_t longestLine = 250;

InstrumentSetupAbstract* objectOf(const QVariant& data) {
    return reinterpret_cast<InstrumentSetupAbstract*>(data.value<quintptr>());
}

}  // namespace

SetupListDelegate::SetupListDelegate(QObject* parent)
    : QStyledItemDelegate(parent), folder_(openFolderImage()), sheet_(sheetImage()) {}

void SetupListDelegate::setRowObject(QListWidgetItem& row, InstrumentSetupAbstract* object) {
    row.setData(objectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
}

InstrumentSetupAbstract* SetupListDelegate::rowObject(const QListWidgetItem& row) {
    return objectOf(row.data(objectRole));
}

void SetupListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    const InstrumentSetupAbstract* object = objectOf(index.data(objectRole));
    if (object == nullptr) {
        return;
    }
    const bool bank = object->isBank();
    const int imageLeft = bank ? 0 : setupImageSize;
    painter->drawPixmap(option.rect.left() + imageLeft, option.rect.top(), bank ? folder_ : sheet_);
    QRect textRect = option.rect;
    textRect.setLeft(option.rect.left() + imageLeft + setupImageSize);
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    DrawRichText(*painter, QStringLiteral("Arial"), textRect, object->text().substr(0, longestLine),
                 tabPosition, bank, false);
    painter->restore();
}

// The list stretches every row to its width; no row asks for more.
QSize SetupListDelegate::sizeHint(const QStyleOptionViewItem& /*option*/,
                                  const QModelIndex& /*index*/) const {
    return QSize(0, rowHeight);
}

}  // namespace kadenza
