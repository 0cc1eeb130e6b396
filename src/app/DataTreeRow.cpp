#include "app/DataTreeRow.h"

#include "model/InstrumentItem.h"
#include "model/Utf8ToUtf16.h"

namespace kadenza {

DataTreeRow dataTreeRow(const InstrumentAbstract& object, const std::string& nodeText,
                        int columnMask, bool showAddressNumber) {
    std::string text = object.text(columnMask);
    if (showAddressNumber) {
        text += nodeText;
    }
    const auto* item = dynamic_cast<const InstrumentItem*>(&object);
    return {utf8ToUtf16(text, drawnRowCharacters), object.isPrimary(), item && item->isOver()};
}

std::u16string spokenText(const std::u16string& drawn) {
    constexpr char16_t styleEscape = 27;
    std::u16string spoken;
    for (std::size_t i = 0; i < drawn.size() && drawn[i] != u'\r' && drawn[i] != 0; ++i) {
        if (drawn[i] == styleEscape) {
            ++i;
        } else {
            spoken += drawn[i] == u'\t' ? u' ' : drawn[i];
        }
    }
    return spoken;
}

}  // namespace kadenza
