#include "app/NamingLabel.h"

#include <QLabel>

namespace kadenza {

QLabel* namingLabel(const QString& caption, QWidget& named) {
    auto* label = new QLabel(caption);
    label->setBuddy(&named);
    named.setAccessibleName(caption);
    return label;
}

}  // namespace kadenza
