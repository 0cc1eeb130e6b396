#pragma once

#include <memory>

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// The translator for the model code the instrument identified itself with; none for a code
// no model has (0 also stands for no answer).
std::unique_ptr<InstrumentTranslator> createTranslator(int modelCode);

}  // namespace kadenza
