#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

namespace kadenza {

// The setup dialog: shows the settings of the instrument on a port and writes them back.
// For now it is the frame the main window opens and relabels: its caption and buttons.
class TForm2 : public QDialog {
    Q_OBJECT

  public:
    explicit TForm2(QWidget* parent = nullptr);

    // Shows the dialog modally for the instrument on the port; returns when it closes.
    void showFor(const QString& portName);

  private:
    QPushButton* button1_;  // Default settings
    QPushButton* button2_;  // Cancel
    QPushButton* button3_;  // Setup
    QString portName_;
};

}  // namespace kadenza
