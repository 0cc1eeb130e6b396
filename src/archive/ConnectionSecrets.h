#pragma once

#include <string>

namespace kadenza {

// A postgresql:// URI as messages show it: the scheme, the user, the host and the database,
// without the password and the query (which may carry one too).
std::string shownUri(const std::string& uri);

// Whether the URI carries a password, after the user's name or as a query parameter.
bool hasPassword(const std::string& uri);

// A message of libpq or the server with nothing left of the URI's password or query: the URI
// itself is shown as shownUri does, and each quoted value that holds any part of a secret
// becomes "…". libpq echoes a malformed URI, or the piece of it that it could not read, and a
// password with an unencoded '/' or '@' is read as parts of the host, so the whole URI is
// searched, not only what libpq took as the password.
std::string withoutSecrets(const std::string& message, const std::string& uri);

}  // namespace kadenza
