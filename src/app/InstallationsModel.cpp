#include "app/InstallationsModel.h"

#include <QColor>

#include "app/DetailField.h"
#include "archive/SearchText.h"

namespace kadenza {

namespace {

constexpr int headerRows[InstallationsModel::columns] = {281, 280, 286, 467, 466, 311};
constexpr int passRow = 276;
constexpr int failRow = 277;
constexpr int notJudgedRow = 278;
constexpr int incompleteRow = 323;
constexpr int overdueRow = 468;
constexpr int soonRow = 469;
constexpr int noNextDateRow = 506;

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QString searchText(const QString& text) {
    return fromUtf8(searchText(text.toStdString()));
}

QString overallText(const std::string& overall) {
    if (overall == "pass") {
        return rowText(passRow);
    }
    if (overall == "fail") {
        return rowText(failRow);
    }
    return rowText(overall == "incomplete" ? incompleteRow : notJudgedRow);
}

InstallationsModel::InstallationsModel(QObject* parent) : QAbstractTableModel(parent) {}

void InstallationsModel::setToday(const QDate& today) {
    today_ = today;
    retranslate();
}

void InstallationsModel::setInstallations(std::vector<InspectionSummary> installations) {
    beginResetModel();
    installations_ = std::move(installations);
    searchTexts_.clear();
    for (const InspectionSummary& installation : installations_) {
        searchTexts_ << searchText(fromUtf8(installation.site + '\n' + installation.client + '\n' +
                                            installation.operatorName + '\n' +
                                            installation.inspector));
    }
    endResetModel();
}

InstallationsModel::Due InstallationsModel::dueOf(int row) const {
    const std::optional<std::string>& next = installations_.at(row).nextDate;
    const QDate date = next ? QDate::fromString(fromUtf8(*next), Qt::ISODate) : QDate();
    if (!date.isValid()) {
        return Due::unknown;
    }
    if (date > today_.addDays(soonDays)) {
        return Due::later;
    }
    return date < today_ ? Due::overdue : Due::soon;
}

void InstallationsModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, columns - 1);
    if (!installations_.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columns - 1));
    }
}

int InstallationsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(installations_.size());
}

int InstallationsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns;
}

QVariant InstallationsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return text(index.row(), index.column());
        case sortRole:
            return sortKey(index.row(), index.column());
        case searchRole:
            return index.column() == siteColumn ? searchTexts_.at(index.row()) : QVariant();
        case Qt::BackgroundRole:
        case Qt::ForegroundRole:
            return dueColour(index.row(), role);
        default:
            return {};
    }
}

QVariant InstallationsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columns) {
        return rowText(headerRows[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString InstallationsModel::text(int row, int column) const {
    const InspectionSummary& installation = installations_.at(row);
    switch (column) {
        case siteColumn:
            return fromUtf8(installation.site);
        case clientColumn:
            return fromUtf8(installation.client);
        case lastColumn:
            return fromUtf8(installation.date);
        case overallColumn:
            return overallText(installation.overall);
        case nextColumn:
            return fromUtf8(installation.nextDate.value_or(std::string()));
        default:
            switch (dueOf(row)) {
                case Due::overdue:
                    return QStringLiteral("\u26a0 ") + rowText(overdueRow);
                case Due::unknown:
                    return QStringLiteral("\u26a0 ") + rowText(noNextDateRow);
                case Due::soon:
                    return rowText(soonRow);
                case Due::later:
                    return QString();
            }
    }
    return QString();
}

// Dates are ISO text and sort as the calendar does; a site with no next date goes first, as it
// may be overdue by years.
QVariant InstallationsModel::sortKey(int row, int column) const {
    if (column == nextColumn || column == dueColumn) {
        return fromUtf8(installations_.at(row).nextDate.value_or(""));
    }
    return text(row, column).toLower();
}

// Light backgrounds with black text, so that the row stays readable in a dark theme too.
QVariant InstallationsModel::dueColour(int row, int role) const {
    const Due due = dueOf(row);
    if (due == Due::later) {
        return {};
    }
    if (role == Qt::ForegroundRole) {
        return QColor(Qt::black);
    }
    return due == Due::soon ? QColor(0xfc, 0xe8, 0xb2) : QColor(0xf6, 0xc6, 0xc6);
}

}  // namespace kadenza
