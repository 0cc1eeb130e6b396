#include "model/InstrumentNumber.h"

namespace kadenza {

std::string InstrumentNumber::text(int flags) const {
    const std::string digits = std::to_string(number());
    return (flags & showSymbol) ? "No. " + digits : digits;
}

std::unique_ptr<InstrumentAbstract> InstrumentNumber::clone() const {
    return std::make_unique<InstrumentNumber>(*this);
}

void InstrumentNumber::writeXml(std::ostream& stream) const {
    writeXmlAs(stream, "No");
}

}  // namespace kadenza
