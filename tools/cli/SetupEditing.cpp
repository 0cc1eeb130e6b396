#include "cli/SetupEditing.h"

#include <charconv>
#include <iostream>

#include "cli/CliError.h"
#include "cli/RowRendering.h"
#include "language/Language.h"
#include "model/SetupMessages.h"

namespace kadenza::cli {

namespace {

// One --set ID:POS=VALUE: the item at position POS of the group with id ID.
struct SetupChange {
    int groupId;
    int position;
    float value;
};

std::string utf16ToUtf8(const std::u16string& text) {
    std::string utf8;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            utf8 += static_cast<char>(unit);
        } else if (unit < 0x800) {
            utf8 += static_cast<char>(0xC0 | unit >> 6);
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | unit >> 12);
            utf8 += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return utf8;
}

// Values are read with a point or a comma, whatever the locale.
float parseSetupValue(std::string text, const std::string& change) {
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        throw UsageError("invalid value in --set " + change);
    }
    return value;
}

SetupChange parseChange(const std::string& change) {
    const auto colon = change.find(':');
    const auto equals = change.find('=');
    if (colon == std::string::npos || equals == std::string::npos || equals < colon) {
        throw UsageError("invalid --set " + change + ": expected ID:POS=VALUE");
    }
    return {parseNumber(change.substr(0, colon), 0, 1000, "group id"),
            parseNumber(change.substr(colon + 1, equals - colon - 1), 0, 1000, "position"),
            parseSetupValue(change.substr(equals + 1), change)};
}

}  // namespace

void applyChange(InstrumentSetup& setup, const std::string& text) {
    const SetupChange change = parseChange(text);
    const InstrumentSetupBank* group = setup.findBank(change.groupId);
    InstrumentSetupItem* item = group == nullptr ? nullptr : group->item(change.position);
    if (item == nullptr) {
        throw UsageError("--set " + text + ": the setup has no such item");
    }
    item->setValue(change.value);
    if (item->value() != change.value) {
        throw UsageError("--set " + text + ": the value is outside the item's range");
    }
}

void printSetup(const InstrumentSetup& setup) {
    for (int g = 0; g < setup.count(); ++g) {
        const InstrumentSetupBank& group = *setup.bank(g);
        std::cout << readableRow(utf16ToUtf8(group.text())) << '\n';
        for (int i = 0; i < group.count(); ++i) {
            const InstrumentSetupItem& item = *group.item(i);
            std::cout << "  " << readableRow(utf16ToUtf8(item.text()));
            if (!item.inRange()) {
                std::cout << "  (" << utf16ToUtf8(outOfRangeMark()) << ')';
            }
            std::cout << '\n';
        }
    }
}

void checkWritable(const InstrumentSetup& setup) {
    if (const InstrumentSetupItem* item = setup.firstOutOfRange()) {
        throw OutOfRangeError(utf16ToUtf8(outOfRangeText(*item)));
    }
}

int reportNoSettings() {
    std::cerr << "kadenza-cli: " << utf16ToUtf8(noSettingsText()) << '\n';
    return exitNoSettings;
}

}  // namespace kadenza::cli
