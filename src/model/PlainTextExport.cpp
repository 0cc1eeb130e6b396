#include "model/PlainTextExport.h"

#include "model/NumberText.h"
#include "model/TextFile.h"

namespace kadenza {

std::string plainText(const InstrumentData& data) {
    std::string text;
    for (int b = 0; b < data.count(); ++b) {
        const InstrumentBank& bank = *data.bank(b);
        text += "\n" + bank.text(showAllColumns) + " \n";
        for (int i = 0; i < bank.count(); ++i) {
            text += realText(bank.item(i)->value()) + " \n";
        }
    }
    return text;
}

bool SavePlainText(const std::string& path, const InstrumentData& data) {
    return writeTextFile(path, plainText(data));
}

}  // namespace kadenza
