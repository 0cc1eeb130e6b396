#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QStringList>
#include <vector>

#include "archive/ArchiveRecords.h"

namespace kadenza {

// The installations of the archive, one row a site with its latest inspection, and when the
// next one falls due as seen from `today`: overdue, within 30 days, or later, or unknown (no next
// date, which may be overdue by years). A row due is told by words and a sign in its own column
// as well as by its colour.
class InstallationsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { siteColumn, clientColumn, nextColumn, dueColumn, lastColumn, overallColumn };
    static constexpr int columns = 6;
    // A key that sorts a column as its meaning does: dates as dates, no date first.
    static constexpr int sortRole = Qt::UserRole;
    // The row's words as searchText folds them, on column 0.
    static constexpr int searchRole = Qt::UserRole + 1;
    static constexpr int soonDays = 30;

    enum class Due { later, soon, overdue, unknown };

    explicit InstallationsModel(QObject* parent = nullptr);

    void setToday(const QDate& today);
    void setInstallations(std::vector<InspectionSummary> installations);
    const InspectionSummary& installation(int row) const { return installations_.at(row); }
    Due dueOf(int row) const;
    // The headers and words again, in the current language.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QString text(int row, int column) const;
    QVariant sortKey(int row, int column) const;
    QVariant dueColour(int row, int role) const;

    std::vector<InspectionSummary> installations_;
    QStringList searchTexts_;
    QDate today_ = QDate::currentDate();
};

// Text as the archive's search compares it, the command-line tool's too: case folded, accents
// dropped ("Javorová" and "javorova" are the same).
QString searchText(const QString& text);

// An inspection's overall result, or one value's verdict, in the current language.
QString overallText(const std::string& overall);

}  // namespace kadenza
