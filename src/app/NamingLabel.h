#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace kadenza {

// A label that names `named` to a screen reader. AT-SPI takes a buddy's name for a line but not
// for a list or a table, so the control is given the caption as its accessible name as well.
QLabel* namingLabel(const QString& caption, QWidget& named);

}  // namespace kadenza
