#pragma once

#include <QString>

class QMenu;
class QWidget;

namespace kadenza {

// Access keys (the underlined letters reached with Alt) for every caption of a window, in
// whatever language it shows, unique where they must be: among the titles of a menu bar,
// among the commands of each menu, and among a window's buttons, the labels that name a
// control, its check boxes and its tabs. A tab's page is a level of its own that keeps clear
// of the keys of the window around it. A key is a letter that starts a word where one is free,
// else any letter, a letter without an accent before one with; every caption gets the best
// of these it can before any gets a worse one; a caption of no free letter gets none. Captions are set again with
// the keys marked ("&Open"); an "&" of a caption's own shows as one.
void giveAccessKeys(QWidget& window);

// A caption as it is shown, without the mark of its access key: "&Open" is "Open".
QString withoutAccessKey(const QString& caption);

// The same for the commands of one menu.
void giveAccessKeys(QMenu& menu);

}  // namespace kadenza
