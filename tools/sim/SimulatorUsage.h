#pragma once

namespace kadenza::sim {

extern const char simulatorUsage[];

}  // namespace kadenza::sim
