#pragma once

#include <string>

namespace kadenza {

// Where the archive is when the user names none: KADENZA_ARCHIVE from the environment, else
// archive.sqlite in the user's data folder ($XDG_DATA_HOME/kadenza, by default
// ~/.local/share/kadenza).
std::string defaultArchiveLocation();

// Whether the location is a PostgreSQL connection URI (postgresql:// or postgres://) rather
// than the path of an SQLite file.
bool isPostgresLocation(const std::string& location);

}  // namespace kadenza
