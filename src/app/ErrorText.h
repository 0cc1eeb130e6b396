#pragma once

#include <QString>
#include <exception>

namespace kadenza {

// What a window says of a failure: a file the system refused in the current language with the
// system's reason ("Nelze otevřít soubor /a.tso: Adresář nebo soubor neexistuje"), anything
// else as its message.
QString errorText(const std::exception& error);

// The system's reason for an errno value, in the current language where the C library has
// it, else in English.
QString systemReason(int systemError);

}  // namespace kadenza
