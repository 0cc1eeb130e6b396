#include "translators/Mx330Translator.h"

namespace kadenza {

void Mx330Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx330Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx330Translator::decodeSetup(InstrumentSetup& /*setup*/) const {}

}  // namespace kadenza
