#pragma once

#include <QWidget>
#include <vector>

#include "archive/ArchiveRecords.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QTableWidget;

namespace kadenza {

// A circuit's history: the circuit and the quantity chosen, every archived value plotted
// against its date with the limit as a line and the failed values marked, and a table of the
// same values beside the plot for a screen reader and for copying (Ctrl+C).
class CircuitHistoryPanel : public QWidget {
    Q_OBJECT

  public:
    explicit CircuitHistoryPanel(QWidget* parent = nullptr);

    void showCircuits(std::vector<CircuitQuantities> circuits);
    // The values of one quantity of `circuit`, as the archive answered.
    void showHistory(const QString& circuit, std::vector<HistoryPoint> points);
    QChart& chart() const;
    void retranslate();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    void historyWanted(const QString& circuit, const QString& symbol);

  private:
    void circuitChosen();
    void quantityChosen();
    void plot();
    void fillTable();
    void copyRows() const;

    QComboBox* circuit_;
    QComboBox* quantity_;
    QLabel* circuitLabel_;
    QLabel* quantityLabel_;
    QChartView* view_;
    QTableWidget* table_;
    std::vector<CircuitQuantities> circuits_;
    QString shownCircuit_;
    std::vector<HistoryPoint> points_;
};

}  // namespace kadenza
