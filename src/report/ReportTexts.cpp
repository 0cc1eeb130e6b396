#include "report/ReportTexts.h"

#include <algorithm>
#include <cctype>

#include "inspection/Details.h"
#include "language/Language.h"
#include "model/InstrumentNumber.h"
#include "model/NumberText.h"

namespace kadenza {

namespace {

constexpr int bankRow = 267;
constexpr int missingRow = 279;
constexpr int yesRow = 320;
constexpr int noRow = 321;

struct NamedRow {
    const char* name;
    int row;
};

constexpr NamedRow profileRows[] = {
    {installation2016Profile, 306},
    {installation2006Profile, 307},
    {installation2001Profile, 331},
    {applianceProfile, 308},
};

// The details a rule can lack, by the names the rules give them.
constexpr NamedRow detailRows[] = {
    {"bank.device", 294},           {"bank.rcdCurrent", 295},
    {"bank.rcdType", 296},          {"bank.rcdSelective", 297},
    {"bank.earthing", 298},         {"bank.nominalVoltage", 299},
    {"bank.peLimit", 300},          {"bank.applianceClass", 301},
    {"bank.cordLength", 302},       {"inspection.touchVoltageLimit", 290},
    {"inspection.loopFactor", 291},
};

template <std::size_t size>
int rowOf(const NamedRow (&rows)[size], const std::string& name) {
    for (const NamedRow& entry : rows) {
        if (name == entry.name) {
            return entry.row;
        }
    }
    return -1;
}

}  // namespace

std::string verdictText(VerdictKind kind) {
    return (kind == VerdictKind::fail ? "\u2717 " : "") + verdictWord(kind);
}

std::string overallText(Overall overall) {
    return (overall == Overall::fail ? "\u2717 " : "") + overallWord(overall);
}

std::string profileName(const std::string& profile) {
    const int row = rowOf(profileRows, profile);
    return row < 0 ? profile : RowText(row);
}

std::string detailLabel(const std::string& detail) {
    const int row = rowOf(detailRows, detail);
    return row < 0 ? detail : RowText(row);
}

std::string missingText(const std::string& detail) {
    return std::string(RowText(missingRow)) + ": " + detailLabel(detail);
}

std::string dateText(const std::string& isoDate) {
    const bool iso = isoDate.size() == 10 && isoDate[4] == '-' && isoDate[7] == '-' &&
                     std::all_of(isoDate.begin(), isoDate.end(), [](char c) {
                         return c == '-' || std::isdigit(static_cast<unsigned char>(c)) != 0;
                     });
    if (!iso || TextTable::language() != czechLanguage) {
        return isoDate;
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        return std::to_string(std::stoi(isoDate.substr(at, length)));
    };
    return number(8, 2) + ". " + number(5, 2) + ". " + isoDate.substr(0, 4);
}

std::string bankTitle(const InstrumentBank& bank) {
    if (dynamic_cast<const InstrumentNumber*>(&bank) != nullptr) {
        return bank.text(showSymbol);
    }
    return std::string(RowText(bankRow)) + " " + std::to_string(bank.number());
}

std::string quantityText(const std::optional<double>& number, const std::string& unit) {
    if (!number) {
        return {};
    }
    return realText(*number) + " " + unit;
}

std::string localDecimals(std::string text) {
    const std::string separator = decimalSeparator();
    for (std::size_t at = text.find('.'); at != std::string::npos;
         at = text.find('.', at + separator.size())) {
        text.replace(at, 1, separator);
    }
    return text;
}

std::string yesNo(const std::optional<bool>& answer) {
    if (!answer) {
        return {};
    }
    return RowText(*answer ? yesRow : noRow);
}

}  // namespace kadenza
