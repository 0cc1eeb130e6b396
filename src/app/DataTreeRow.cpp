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

}  // namespace kadenza
