#pragma once

namespace kadenza::cli {

extern const char toolUsage[];
extern const char convertUsage[];
extern const char showUsage[];

}  // namespace kadenza::cli
