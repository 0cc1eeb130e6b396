#pragma once

class QWidget;

namespace kadenza {

// Relabels a window in the current language: its title from the language row in its own
// "tag" property, and every action, menu, button, label and group box inside it whose "tag"
// is not 0 from that row. Components without a tag keep their captions.
void TranslateForm(QWidget& window);

// The main window, then the setup dialog.
void TranslateForms(QWidget& mainWindow, QWidget& setupDialog);

}  // namespace kadenza
