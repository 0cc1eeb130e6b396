#pragma once

class QWidget;

namespace kadenza {

// Relabels a window in the current language: its title from the language row in its own
// "tag" property, and every action, menu, button, label and group box inside it whose "tag"
// is not 0 from that row; any other tagged control gets the row as its accessible name. Components
// without a tag keep their captions. Every caption then gets its access key (giveAccessKeys).
void TranslateForm(QWidget& window);

// The main window, then the setup dialog.
void TranslateForms(QWidget& mainWindow, QWidget& setupDialog);

}  // namespace kadenza
