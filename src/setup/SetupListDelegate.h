#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

class QListWidgetItem;

namespace kadenza {

class InstrumentSetupAbstract;

// Paints the rows of the setup list from the setup objects they refer to: a group row with
// the folder image at its left and its bold name from x = 20, a setting row with the sheet
// image at x = 20 and its line from x = 40, the value in the column 200 pixels further.
// A setting whose value lies outside its range is drawn red; a row without an object shows
// its own text, the reason the list holds no settings. Every row is 20 pixels high.
class SetupListDelegate : public QStyledItemDelegate {
  public:
    explicit SetupListDelegate(QObject* parent);

    static constexpr int rowHeight = 20;

    // The group or setting a row shows; the list does not own it.
    static void setRowObject(QListWidgetItem& row, InstrumentSetupAbstract* object);
    static InstrumentSetupAbstract* rowObject(const QListWidgetItem& row);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    void paintMessage(QPainter& painter, const QRect& rect, const QString& message) const;
    void paintObject(QPainter& painter, const QRect& rect, const InstrumentSetupAbstract& object,
                     const QColor& background) const;

    QPixmap folder_;
    QPixmap sheet_;
};

}  // namespace kadenza
