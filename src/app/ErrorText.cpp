#include "app/ErrorText.h"

#include <clocale>
#include <cstring>

#include "language/Language.h"
#include "model/FileAccessError.h"

namespace kadenza {

namespace {

constexpr int cannotOpenRow = 457;
constexpr int cannotCreateRow = 458;

// The C library's messages of a language, with UTF-8 text.
locale_t messagesIn(const char* name) {
    return newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr));
}

}  // namespace

QString systemReason(int systemError) {
    locale_t locale = TextTable::language() == czechLanguage ? messagesIn("cs_CZ.UTF-8") : nullptr;
    if (locale == nullptr) {
        locale = messagesIn("C.UTF-8");
    }
    if (locale == nullptr) {
        return QString::fromUtf8(std::strerror(systemError));
    }
    const QString reason = QString::fromUtf8(strerror_l(systemError, locale));
    freelocale(locale);
    return reason;
}

QString errorText(const std::exception& error) {
    const auto* refused = dynamic_cast<const FileAccessError*>(&error);
    if (refused == nullptr) {
        return QString::fromUtf8(error.what());
    }
    const int row =
        refused->action() == FileAccessError::Action::open ? cannotOpenRow : cannotCreateRow;
    QString text = QString::fromUtf8(RowText(row)).arg(QString::fromStdString(refused->path()));
    if (refused->systemError() != 0) {
        text += QStringLiteral(": ") + systemReason(refused->systemError());
    }
    return text;
}

}  // namespace kadenza
