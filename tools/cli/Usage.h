#pragma once

namespace kadenza::cli {

extern const char toolUsage[];
extern const char convertUsage[];
extern const char showUsage[];
extern const char decodeUsage[];
extern const char setupUsage[];
extern const char sampleUsage[];
extern const char downloadUsage[];
extern const char legacyUsage[];
extern const char portsUsage[];
extern const char detailsUsage[];
extern const char evaluateUsage[];
extern const char reportUsage[];
extern const char archiveUsage[];

}  // namespace kadenza::cli
