#include "setup/SetupListDelegate.h"

#include <QListWidgetItem>
#include <QPainter>

#include "app/DrawRichText.h"
#include "model/InstrumentSetupItem.h"
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
    const QColor background = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    painter->fillRect(option.rect, background);
    const InstrumentSetupAbstract* object = objectOf(index.data(objectRole));
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    if (object == nullptr) {
        paintMessage(*painter, option.rect, index.data(Qt::DisplayRole).toString());
    } else {
        paintObject(*painter, option.rect, *object, background);
    }
    painter->restore();
}

// A row without a setting tells why there are none, from where a group's name would start.
void SetupListDelegate::paintMessage(QPainter& painter, const QRect& rect,
                                     const QString& message) const {
    QRect textRect = rect;
    textRect.setLeft(rect.left() + setupImageSize);
    DrawRichText(painter, QStringLiteral("Arial"), textRect, message.toStdU16String(), tabPosition,
                 false, false);
}

// A setting read out of its range is drawn red, as the tree draws a value over its range.
void SetupListDelegate::paintObject(QPainter& painter, const QRect& rect,
                                    const InstrumentSetupAbstract& object,
                                    const QColor& background) const {
    const bool bank = object.isBank();
    const int imageLeft = bank ? 0 : setupImageSize;
    painter.drawPixmap(rect.left() + imageLeft, rect.top(), bank ? folder_ : sheet_);
    QRect textRect = rect;
    textRect.setLeft(rect.left() + imageLeft + setupImageSize);
    const auto* item = dynamic_cast<const InstrumentSetupItem*>(&object);
    DrawRichText(painter, QStringLiteral("Arial"), textRect, object.text().substr(0, longestLine),
                 tabPosition, bank, item != nullptr && !item->inRange(), background);
}

// The list stretches every row to its width; no row asks for more.
QSize SetupListDelegate::sizeHint(const QStyleOptionViewItem& /*option*/,
                                  const QModelIndex& /*index*/) const {
    return QSize(0, rowHeight);
}

}  // namespace kadenza
