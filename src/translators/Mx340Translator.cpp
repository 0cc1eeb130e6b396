#include "translators/Mx340Translator.h"

namespace kadenza {

void Mx340Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx340Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx340Translator::decodeSetup(InstrumentSetup& /*setup*/) const {}

}  // namespace kadenza
