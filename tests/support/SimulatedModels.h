#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"
#include "sim/InstrumentBehaviour.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::test {

// How the simulator plays the model with this code, with nothing else changed.
inline sim::InstrumentBehaviour model(int code) {
    sim::InstrumentBehaviour behaviour;
    behaviour.modelCode = code;
    return behaviour;
}

// The container as XML: compares everything a download decodes, notes and flags included.
inline std::string xmlOf(const InstrumentData& data) {
    std::ostringstream out;
    data.writeXml(out);
    return out.str();
}

// Every group id with its items' kinds and values, to compare two setups.
inline std::string describe(const InstrumentSetup& setup) {
    std::ostringstream out;
    for (int b = 0; b < setup.count(); ++b) {
        const InstrumentSetupBank& bank = *setup.bank(b);
        out << "group " << bank.id() << ":";
        for (int i = 0; i < bank.count(); ++i) {
            out << ' ' << bank.item(i)->kind() << '=' << bank.item(i)->value();
        }
        out << '\n';
    }
    return out.str();
}

// A translator of the model holding the image, as if the whole memory had been read.
inline std::unique_ptr<InstrumentTranslator> translatorWith(
    int modelCode, const std::vector<std::uint8_t>& image) {
    auto translator = createTranslator(modelCode);
    translator->copyIn(image.data(), 0, static_cast<int>(image.size()));
    return translator;
}

}  // namespace kadenza::test
