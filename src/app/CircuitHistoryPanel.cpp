#include "app/CircuitHistoryPanel.h"

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/DetailField.h"
#include "app/InstallationsModel.h"
#include "app/ReadOnlyRow.h"

namespace kadenza {

namespace {

constexpr int historyRow = 473;
constexpr int circuitRow = 474;
constexpr int quantityRow = 475;
constexpr int failedRow = 476;
constexpr int trendRow = 493;
constexpr int limitRow = 274;
// Date, value, limit, verdict, trend.
constexpr int headerRows[] = {285, 270, 274, 275, 493};

// A decimal prefix that keeps the plotted numbers short: megohms for insulation, milliseconds
// for a trip time.
struct Scale {
    double factor;
    QString prefix;
};

Scale scaleOf(const std::vector<HistoryPoint>& points) {
    double largest = 0;
    for (const HistoryPoint& point : points) {
        largest = std::max(largest, std::abs(point.value));
    }
    if (largest >= 1e6) {
        return {1e6, QStringLiteral("M")};
    }
    if (largest >= 1e3) {
        return {1e3, QStringLiteral("k")};
    }
    if (largest > 0 && largest < 0.1) {
        return {1e-3, QStringLiteral("m")};
    }
    return {1, QString()};
}

qint64 timeOf(const HistoryPoint& point) {
    return QDateTime(QDate::fromString(QString::fromStdString(point.date), Qt::ISODate),
                     QTime(12, 0))
        .toMSecsSinceEpoch();
}

QString number(double value) {
    return QLocale().toString(value, 'g', 4);
}

QString valueText(const HistoryPoint& point, const Scale& scale) {
    return (point.over ? QStringLiteral(">") : QString()) + number(point.value / scale.factor) +
           QStringLiteral(" ") + scale.prefix + QString::fromStdString(point.unit);
}

QString limitText(const HistoryPoint& point, const Scale& scale) {
    const QString unit = QStringLiteral(" ") + scale.prefix + QString::fromStdString(point.unit);
    QStringList ends;
    if (point.limitMin) {
        ends << QStringLiteral("\u2265 ") + number(*point.limitMin / scale.factor) + unit;
    }
    if (point.limitMax) {
        ends << QStringLiteral("\u2264 ") + number(*point.limitMax / scale.factor) + unit;
    }
    return ends.join(QStringLiteral(", "));
}

// One end of the limit as a line through the dates of the values it judged.
QLineSeries* limitSeries(const std::vector<HistoryPoint>& points, const Scale& scale,
                         std::optional<double> HistoryPoint::*end) {
    auto* series = new QLineSeries;
    series->setName(rowText(limitRow));
    QPen pen(QColor(0x80, 0x30, 0x30));
    pen.setStyle(Qt::DashLine);
    pen.setWidth(2);
    series->setPen(pen);
    for (const HistoryPoint& point : points) {
        if (point.*end) {
            series->append(static_cast<qreal>(timeOf(point)), *(point.*end) / scale.factor);
        }
    }
    return series;
}

// "Z_S [Ω]", then "Z_S (2) [Ω]" for the second value of each inspection.
QLineSeries* valueSeries(const QString& symbol, const QString& unit, std::size_t ordinal) {
    auto* series = new QLineSeries;
    const QString number = ordinal == 0
                               ? QString()
                               : QStringLiteral(" (%1)").arg(static_cast<qulonglong>(ordinal + 1));
    series->setName(symbol + number + QStringLiteral(" [") + unit + QStringLiteral("]"));
    series->setPointsVisible(true);
    return series;
}

}  // namespace

CircuitHistoryPanel::CircuitHistoryPanel(QWidget* parent) : QWidget(parent) {
    circuit_ = new QComboBox(this);
    circuit_->setObjectName(QStringLiteral("HistoryCircuit"));
    quantity_ = new QComboBox(this);
    quantity_->setObjectName(QStringLiteral("HistoryQuantity"));
    circuitLabel_ = new QLabel(this);
    circuitLabel_->setBuddy(circuit_);
    quantityLabel_ = new QLabel(this);
    quantityLabel_->setBuddy(quantity_);

    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("HistoryPlot"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(360, 260);
    view_->setFocusPolicy(Qt::NoFocus);
    table_ = new QTableWidget(0, std::size(headerRows), this);
    table_->setObjectName(QStringLiteral("HistoryTable"));
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A table copies its current cell alone; here Ctrl+C takes the chosen rows.
    table_->installEventFilter(this);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(view_);
    splitter->addWidget(table_);
    splitter->setSizes({400, 320});
    auto* layout = new QGridLayout(this);
    layout->addWidget(circuitLabel_, 0, 0);
    layout->addWidget(circuit_, 0, 1);
    layout->addWidget(quantityLabel_, 0, 2);
    layout->addWidget(quantity_, 0, 3);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
    layout->addWidget(splitter, 1, 0, 1, 4);

    connect(circuit_, &QComboBox::currentIndexChanged, this, &CircuitHistoryPanel::circuitChosen);
    connect(quantity_, &QComboBox::currentIndexChanged, this, &CircuitHistoryPanel::quantityChosen);
    retranslate();
}

QChart& CircuitHistoryPanel::chart() const {
    return *view_->chart();
}

void CircuitHistoryPanel::showCircuits(std::vector<CircuitQuantities> circuits) {
    circuits_ = std::move(circuits);
    points_.clear();
    const QSignalBlocker blocker(circuit_);
    circuit_->clear();
    for (const CircuitQuantities& circuit : circuits_) {
        circuit_->addItem(QString::fromStdString(circuit.circuit));
    }
    circuitChosen();
}

void CircuitHistoryPanel::circuitChosen() {
    const int index = circuit_->currentIndex();
    const QSignalBlocker blocker(quantity_);
    quantity_->clear();
    if (index >= 0 && index < static_cast<int>(circuits_.size())) {
        for (const std::string& symbol : circuits_[index].symbols) {
            quantity_->addItem(QString::fromStdString(symbol));
        }
    }
    quantityChosen();
}

void CircuitHistoryPanel::quantityChosen() {
    if (circuit_->currentIndex() < 0 || quantity_->currentIndex() < 0) {
        showHistory(QString(), {});
        return;
    }
    emit historyWanted(circuit_->currentText(), quantity_->currentText());
}

void CircuitHistoryPanel::showHistory(const QString& circuit, std::vector<HistoryPoint> points) {
    shownCircuit_ = circuit;
    points_ = std::move(points);
    plot();
    fillTable();
}

void CircuitHistoryPanel::retranslate() {
    circuitLabel_->setText(rowText(circuitRow));
    quantityLabel_->setText(rowText(quantityRow));
    view_->setAccessibleName(rowText(historyRow));
    table_->setAccessibleName(rowText(historyRow));
    QStringList headers;
    for (const int row : headerRows) {
        headers << rowText(row);
    }
    table_->setHorizontalHeaderLabels(headers);
    plot();
    fillTable();
}

void CircuitHistoryPanel::plot() {
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The view lets go of the chart it showed without freeing it.
    QChart* previous = view_->chart();
    view_->setChart(chart);
    delete previous;
    if (points_.empty()) {
        return;
    }
    const Scale scale = scaleOf(points_);
    const QString unit = scale.prefix + QString::fromStdString(points_.front().unit);
    const QString symbol = QString::fromStdString(points_.front().symbol);
    chart->setTitle(shownCircuit_ + QStringLiteral(": ") + symbol);

    // A circuit may have several values of a quantity in one inspection (a loop measured at
    // each socket): the n-th of each inspection make one line, as they were measured at the
    // same place year after year.
    std::vector<QLineSeries*> lines;
    // A failed value is a larger triangle as well as red: it reads without colour too.
    auto* failed = new QScatterSeries;
    failed->setName(rowText(failedRow));
    failed->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
    failed->setMarkerSize(16);
    failed->setColor(QColor(0xc0, 0x00, 0x00));
    double top = 0;
    std::size_t ordinal = 0;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const HistoryPoint& point = points_[i];
        ordinal = i > 0 && points_[i - 1].inspection == point.inspection ? ordinal + 1 : 0;
        if (ordinal == lines.size()) {
            lines.push_back(valueSeries(symbol, unit, ordinal));
        }
        const qreal x = static_cast<qreal>(timeOf(point));
        lines[ordinal]->append(x, point.value / scale.factor);
        if (point.verdict == "fail") {
            failed->append(x, point.value / scale.factor);
        }
        top = std::max({top, point.value, point.limitMax.value_or(0), point.limitMin.value_or(0)});
    }
    for (QLineSeries* line : lines) {
        chart->addSeries(line);
    }
    for (auto end : {&HistoryPoint::limitMax, &HistoryPoint::limitMin}) {
        QLineSeries* limit = limitSeries(points_, scale, end);
        if (limit->count() > 0) {
            chart->addSeries(limit);
        } else {
            delete limit;
        }
    }
    if (failed->count() > 0) {
        chart->addSeries(failed);
    } else {
        delete failed;
    }

    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy-MM"));
    const qint64 halfYear = 183LL * 24 * 3600 * 1000;
    dates->setRange(QDateTime::fromMSecsSinceEpoch(timeOf(points_.front()) - halfYear),
                    QDateTime::fromMSecsSinceEpoch(timeOf(points_.back()) + halfYear));
    auto* amounts = new QValueAxis;
    amounts->setRange(0, top / scale.factor * 1.15);
    amounts->setTitleText(unit);
    amounts->applyNiceNumbers();
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(amounts, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(dates);
        series->attachAxis(amounts);
    }
}

void CircuitHistoryPanel::fillTable() {
    const Scale scale = scaleOf(points_);
    table_->setRowCount(static_cast<int>(points_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const HistoryPoint& point = points_[row];
        setReadOnlyRow(
            *table_, row,
            {QString::fromStdString(point.date), valueText(point, scale), limitText(point, scale),
             overallText(point.verdict), point.trend ? rowText(trendRow) : QString()});
    }
    table_->resizeColumnsToContents();
}

bool CircuitHistoryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyRows();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The chosen rows as tab-separated lines, the way a spreadsheet takes them.
void CircuitHistoryPanel::copyRows() const {
    QStringList lines;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (!table_->selectionModel()->isRowSelected(row, QModelIndex())) {
            continue;
        }
        QStringList cells;
        for (int column = 0; column < table_->columnCount(); ++column) {
            cells << table_->item(row, column)->text();
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

}  // namespace kadenza
