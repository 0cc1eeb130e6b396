#pragma once

#include <QIcon>

namespace kadenza {

// The program's icon, the one its desktop entry shows, drawn at the sizes window systems ask
// for.
QIcon programIcon();

}  // namespace kadenza
