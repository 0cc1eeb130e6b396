#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "language/Language.h"

namespace kadenza {

void QtTranslation::follow(int language) {
    const bool czech = language == czechLanguage;
    if (czech && !installed_) {
        installed_ = translator_.load(QStringLiteral("qtbase_cs"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                     QCoreApplication::installTranslator(&translator_);
    } else if (!czech && installed_) {
        QCoreApplication::removeTranslator(&translator_);
        installed_ = false;
    }
}

}  // namespace kadenza
