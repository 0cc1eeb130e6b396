#include "report/ReportTexts.h"

#include <algorithm>
#include <cctype>

#include <QString>

#include "inspection/Details.h"
#include "language/Language.h"
#include "model/InstrumentItem.h"
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
    {"inspection.loopFactor", 291}, {"test.waveform", 570},
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
    return bankTitle(bank.number());
}

std::string bankTitle(int number) {
    return std::string(RowText(bankRow)) + " " + std::to_string(number);
}

std::string quantityText(const std::optional<double>& number, const std::string& unit) {
    if (!number) {
        return {};
    }
    return realText(*number) + unitSpace + unit;
}

std::string localDecimals(std::string text) {
    const std::string separator = decimalSeparator();
    for (std::size_t at = text.find('.'); at != std::string::npos;
         at = text.find('.', at + separator.size())) {
        text.replace(at, 1, separator);
    }
    return text;
}

namespace {

// The text with its last blank, the one before the unit, made a unitSpace.
std::string joinedToUnit(std::string text) {
    const std::size_t blank = text.rfind(' ');
    return blank == std::string::npos ? text : text.replace(blank, 1, unitSpace);
}

}  // namespace

std::string limitCellText(const Verdict& verdict) {
    return joinedToUnit(localDecimals(shownLimit(verdict)));
}

std::string readingText(const InstrumentItem& item, const Verdict& verdict) {
    if (verdict.limit && verdict.limit->unit.scale < 1 &&
        item.unitText() == verdict.limit->unit.baseSymbol) {
        const DisplayUnit& unit = verdict.limit->unit;
        return item.rangeMark() + realText(item.value() / unit.scale) + unitSpace + unit.symbol;
    }
    return joinedToUnit(item.text(showUnit));
}

std::string yesNo(const std::optional<bool>& answer) {
    if (!answer) {
        return {};
    }
    return RowText(*answer ? yesRow : noRow);
}

namespace {

constexpr NamedRow kindRows[] = {{"initial", 377}, {"periodic", 378}, {"extraordinary", 379}};
constexpr NamedRow classRows[] = {{dangerDefect, 380},
                                  {potentialDefect, 381},
                                  {improvementDefect, 382},
                                  {investigateDefect, 383}};
constexpr NamedRow checkRows[] = {
    {checkPassed, 407}, {checkDefect, 405}, {checkNotApplicable, 406}};
constexpr NamedRow conclusionRows[] = {{safeConclusion, 384}, {unsafeConclusion, 385}};

constexpr int byEnvironmentRow = 416;
constexpr int byLocationRow = 417;
constexpr int everyMonthsRow = 418;
constexpr int beyondTableRow = 542;

std::string named(const NamedRow* begin, const NamedRow* end, const std::string& name,
                  const std::string& otherwise) {
    for (const NamedRow* entry = begin; entry != end; ++entry) {
        if (name == entry->name) {
            return RowText(entry->row);
        }
    }
    return otherwise;
}

template <std::size_t size>
std::string named(const NamedRow (&rows)[size], const std::string& name,
                  const std::string& otherwise) {
    return named(std::begin(rows), std::end(rows), name, otherwise);
}

}  // namespace

std::string kindText(const std::string& kind) {
    return named(kindRows, kind, kind);
}

std::string defectClassCode(const std::string& defectClass) {
    return named(classRows, defectClass, defectClass);
}

std::string checkResultText(const std::string& result) {
    const std::string text = named(checkRows, result, result);
    return result == checkDefect ? "\u2717 " + text : text;
}

std::string conclusionSentence(const std::string& conclusion) {
    return named(conclusionRows, conclusion, {});
}

std::string periodNames(const std::string& keys, const std::vector<RevisionPeriod>& table) {
    const auto periods = readPeriodKeys(keys, table);
    if (keys.empty() || !periods) {
        return keys;
    }
    std::string names;
    for (const RevisionPeriod* period : *periods) {
        names += (names.empty() ? "" : ", ") + std::string(RowText(period->row));
    }
    return names;
}

std::string nextRevisionText(const NextRevision& next) {
    std::string text = dateText(next.date);
    if (next.period == nullptr) {
        return text;
    }
    const std::string every =
        QString::fromUtf8(RowText(everyMonthsRow)).arg(next.period->months).toStdString();
    const std::string setBy =
        std::string(RowText(next.byEnvironment ? byEnvironmentRow : byLocationRow)) + ": " +
        RowText(next.period->row) + ", " + every;
    if (!next.tableDate.empty()) {
        return text + " (" +
               QString::fromUtf8(RowText(beyondTableRow))
                   .arg(QString::fromStdString(dateText(next.tableDate)),
                        QString::fromStdString(setBy))
                   .toStdString() +
               ")";
    }
    return text + " (" + setBy + ")";
}

}  // namespace kadenza
