#include "translators/TranslatorFactory.h"

#include "translators/Mx310Translator.h"
#include "translators/Mx320Translator.h"
#include "translators/Mx330Translator.h"
#include "translators/Mx340Translator.h"
#include "translators/Mx350Translator.h"

namespace kadenza {

namespace {

template <typename Translator>
std::unique_ptr<InstrumentTranslator> make() {
    return std::make_unique<Translator>();
}

struct Model {
    int code;
    std::unique_ptr<InstrumentTranslator> (*create)();
};

// Codes as the instruments answer the identification request.
constexpr Model models[] = {
    {1, make<Mx340Translator>}, {2, make<Mx320Translator>}, {3, make<Mx310Translator>},
    {4, make<Mx330Translator>}, {5, make<Mx350Translator>},
};

}  // namespace

std::unique_ptr<InstrumentTranslator> createTranslator(int modelCode) {
    for (const Model& model : models) {
        if (model.code == modelCode) {
            return model.create();
        }
    }
    return nullptr;
}

}  // namespace kadenza
