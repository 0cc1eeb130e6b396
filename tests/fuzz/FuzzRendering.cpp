#include "FuzzRendering.h"

#include <sstream>

#include "model/HtmlExport.h"
#include "model/PlainTextExport.h"

namespace kadenza::fuzz {

namespace {

constexpr int everyColumnMask = 7;

void renderNode(const InstrumentAbstract& node) {
    for (int flags = 0; flags <= everyColumnMask; ++flags) {
        node.text(flags);
    }
}

}  // namespace

void renderData(const InstrumentData& data) {
    for (int b = 0; b < data.count(); ++b) {
        const InstrumentBank& bank = *data.bank(b);
        renderNode(bank);
        for (int i = 0; i < bank.count(); ++i) {
            renderNode(*bank.item(i));
        }
    }
    std::ostringstream native;
    data.save(native);
    std::ostringstream xml;
    data.writeXml(xml);
    htmlText(data);
    plainText(data);
}

void renderSetup(const InstrumentSetup& setup) {
    for (int b = 0; b < setup.count(); ++b) {
        const InstrumentSetupBank& bank = *setup.bank(b);
        bank.text();
        for (int i = 0; i < bank.count(); ++i) {
            bank.item(i)->text();
        }
    }
}

}  // namespace kadenza::fuzz
