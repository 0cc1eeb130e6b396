#include "translators/Mx320Translator.h"

namespace kadenza {

void Mx320Translator::defaultSetup(InstrumentSetup& /*setup*/) const {}

void Mx320Translator::encodeSetup(const InstrumentSetup& /*setup*/) {}

void Mx320Translator::decodeSetup(InstrumentSetup& /*setup*/) const {}

}  // namespace kadenza
