#include "translators/Mx310Translator.h"

namespace kadenza {

void Mx310Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx310Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx310Translator::decodeSetup(InstrumentSetup& /*setup*/) const {}

}  // namespace kadenza
