#include "translators/Mx350Translator.h"

namespace kadenza {

void Mx350Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx350Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx350Translator::decodeSetup(InstrumentSetup& /*setup*/) const {}

}  // namespace kadenza
