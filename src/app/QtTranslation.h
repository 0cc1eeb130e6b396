#pragma once

#include <QTranslator>

namespace kadenza {

// Qt's own texts (the standard buttons, the file dialogs, the question before a file is
// replaced) in the program's language: Qt's Czech translation while Czech is chosen, Qt's
// English otherwise.
class QtTranslation {
  public:
    // The language of the program's tables (czechLanguage or englishLanguage).
    void follow(int language);

  private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace kadenza
