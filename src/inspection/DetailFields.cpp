#include "inspection/DetailFields.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "inspection/CalendarDate.h"
#include "inspection/Checklist.h"
#include "inspection/CircuitDetails.h"
#include "inspection/RevisionPeriods.h"
#include "inspection/TextReading.h"

namespace kadenza {

namespace {

using nlohmann::json;

std::vector<Field> checkFields() {
    std::vector<Field> fields;
    for (const CheckItem& item : checklist()) {
        fields.push_back({item.name, Kind::choice, "ok|defect|na"});
    }
    return fields;
}

std::string upperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// "AC|A|F|B" as its choices.
std::vector<std::string> choicesOf(const std::string& choices) {
    std::vector<std::string> list;
    std::size_t start = 0;
    while (start <= choices.size()) {
        const std::size_t end = std::min(choices.find('|', start), choices.size());
        list.push_back(choices.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

std::string expectedChoices(const std::string& choices) {
    std::string text = choices;
    for (char& c : text) {
        if (c == '|') {
            c = ',';
        }
    }
    return "one of " + text;
}

// A positive number written with a decimal point or a decimal comma, as the verdicts read it.
std::optional<double> positiveNumber(const std::string& text) {
    const std::optional<double> number = readDecimal(text);
    if (!number || !std::isfinite(*number) || *number <= 0) {
        return std::nullopt;
    }
    return number;
}

// The shortest text that reads back as the number, with a decimal point: 16, 1.6, 120.5.
std::string numberText(double number) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

// Stored as an ISO date however it was typed: "8. 12. 2026" is 2026-12-08.
std::optional<json> dateValue(const std::string& text) {
    const std::optional<CalendarDate> date = readTypedDate(text);
    return date ? std::optional<json>(isoText(*date)) : std::nullopt;
}

// One of the choices in any case, written as the choice is ("tt" is TT); a decimal comma reads
// as the point the choice is written with (0,8).
std::optional<json> choiceValue(const Field& field, std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    for (const std::string& choice : choicesOf(field.choices)) {
        if (sameIgnoringCase(trimmed(text), choice)) {
            return json(choice);
        }
    }
    return std::nullopt;
}

std::optional<json> flagValue(const std::string& text) {
    const std::string lower = upperCase(text);
    if (lower == "TRUE" || lower == "YES" || lower == "1" || lower == "ANO") {
        return json(true);
    }
    if (lower == "FALSE" || lower == "NO" || lower == "0" || lower == "NE") {
        return json(false);
    }
    return std::nullopt;
}

// As the verdicts read it, written the one way: "b16a" is B16, "B1,6" is B1.6.
std::optional<json> deviceValue(const std::string& text) {
    const std::optional<ProtectiveDevice> device = readDevice(text);
    if (!device) {
        return std::nullopt;
    }
    return json(std::string(1, device->characteristic) + numberText(device->ratedCurrent));
}

// Volts as the verdicts read them, written as a number ("400 V" is 400, "120,5" is 120.5), or
// SELV or PELV.
std::optional<json> voltageValue(const std::string& text) {
    if (isSafetyExtraLowVoltage(text)) {
        return json(upperCase(std::string(trimmed(text))));
    }
    const std::optional<double> volts = readNominalVolts(text);
    if (!volts) {
        return std::nullopt;
    }
    return json(numberText(*volts));
}

std::optional<json> ratedResidualCurrentValue(const std::string& text) {
    const std::optional<double> current = readRatedResidualCurrent(readDecimal(text));
    return current ? std::optional<json>(*current) : std::nullopt;
}

// 50 is one of "50|25" however it is written: 50, 50.0.
bool isNumberChoice(double number, const std::string& choices) {
    for (const std::string& choice : choicesOf(choices)) {
        if (positiveNumber(choice) == number) {
            return true;
        }
    }
    return false;
}

std::optional<json> numberValue(const Field& field, const std::string& text) {
    const std::optional<double> number = positiveNumber(text);
    if (!number) {
        return std::nullopt;
    }
    if (*field.choices != '\0' && !isNumberChoice(*number, field.choices)) {
        return std::nullopt;
    }
    return json(*number);
}

// A whole number, with a minus where it has one.
std::optional<json> integerValue(const std::string& text) {
    const std::optional<int> number = keyNumber(std::string(trimmed(text)));
    return number ? std::optional<json>(*number) : std::nullopt;
}

// The table's keys the text lists, written as the table writes them, separated by commas.
std::optional<json> monthsValue(const std::string& text) {
    const std::optional<json> number = integerValue(text);
    return number && number->get<int>() > 0 ? number : std::nullopt;
}

std::optional<json> periodKeysValue(const std::string& text,
                                    const std::vector<RevisionPeriod>& table) {
    const auto periods = readPeriodKeys(text, table);
    if (!periods) {
        return std::nullopt;
    }
    std::string keys;
    for (const RevisionPeriod* period : *periods) {
        keys += (keys.empty() ? "" : ",") + std::string(period->key);
    }
    return json(keys);
}

std::string keysOf(const std::vector<RevisionPeriod>& table) {
    std::string keys;
    for (const RevisionPeriod& period : table) {
        keys += (keys.empty() ? "" : ", ") + std::string(period.key);
    }
    return "keys separated by commas of: " + keys;
}

std::optional<json> typedValue(const Field& field, const std::string& text) {
    switch (field.kind) {
        case Kind::text:
            return json(text);
        case Kind::date:
            return dateValue(text);
        case Kind::choice:
            return choiceValue(field, text);
        case Kind::number:
            return numberValue(field, text);
        case Kind::flag:
            return flagValue(text);
        case Kind::voltage:
            return voltageValue(text);
        case Kind::device:
            return deviceValue(text);
        case Kind::ratedResidualCurrent:
            return ratedResidualCurrentValue(text);
        case Kind::integer:
            return integerValue(text);
        case Kind::months:
            return monthsValue(text);
        case Kind::environments:
            return periodKeysValue(text, environmentPeriods());
        case Kind::locations:
            return periodKeysValue(text, locationPeriods());
    }
    return std::nullopt;
}

std::string expectation(const Field& field) {
    switch (field.kind) {
        case Kind::text:
            break;
        case Kind::date:
            return "a date, YYYY-MM-DD or D. M. YYYY";
        case Kind::choice:
            return expectedChoices(field.choices);
        case Kind::number:
            return *field.choices != '\0' ? expectedChoices(field.choices) : "a positive number";
        case Kind::flag:
            return "true or false";
        case Kind::voltage:
            return "volts, SELV or PELV";
        case Kind::device:
            return "B, C or D and the rated current, such as B16";
        case Kind::ratedResidualCurrent:
            return "a rated residual current in mA: 6, 10, 30, 100, 300, 500 or 1000";
        case Kind::integer:
            return "a whole number";
        case Kind::months:
            return "a whole number of months above zero";
        case Kind::environments:
            return keysOf(environmentPeriods());
        case Kind::locations:
            return keysOf(locationPeriods());
    }
    return "a text";
}

// What a rejected value may have meant: amperes typed where milliamperes belong.
std::string hint(const Field& field, const std::string& text) {
    const std::optional<double> number = readDecimal(text);
    if (field.kind != Kind::ratedResidualCurrent || !number ||
        !readRatedResidualCurrent(*number * 1000)) {
        return {};
    }
    return " (" + text + " A is " + numberText(*number * 1000) + " mA)";
}

}  // namespace

// The JSON value a detail takes from a typed text; throws std::invalid_argument naming the
// detail and what it takes.
json valueFor(const Field& field, const std::string& name, const std::string& text) {
    const std::optional<json> value = typedValue(field, text);
    if (!value) {
        throw std::invalid_argument(name + ": '" + text + "' is not " + expectation(field) +
                                    hint(field, text));
    }
    return *value;
}

// A value as a user would have typed it, for a document read from a file or imported.
std::string typedText(const json& value, const std::string& name) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_boolean()) {
        return value.get<bool>() ? "true" : "false";
    }
    if (value.is_number()) {
        return value.dump();
    }
    throw std::invalid_argument(name + ": a text, a number or true or false was expected");
}

const std::vector<Part>& detailParts() {
    static const std::vector<Part> parts = {
        {"inspection",
         "inspection",
         false,
         false,
         {
             {"client", Kind::text},
             {"site", Kind::text},
             {"object", Kind::text},
             {"inspector", Kind::text},
             {"licence", Kind::text},
             {"date", Kind::date},
             {"nextDate", Kind::date},
             {"model", Kind::text},
             {"serial", Kind::text},
             {"profile", Kind::choice,
              "installation-2016|installation-2006|installation-2001|appliance"},
             {"touchVoltageLimit", Kind::number, "50|25"},
             {"loopFactor", Kind::choice, "1|0.8|2/3"},
             {"remarks", Kind::text},
             {"kind", Kind::choice, "initial|periodic|extraordinary"},
             {"reason", Kind::text},
             {"number", Kind::text},
             {"operator", Kind::text},
             {"endDate", Kind::date},
             {"reportDate", Kind::date},
             {"handoverDate", Kind::date},
             {"scope", Kind::text},
             {"supply", Kind::text},
             {"protection", Kind::text},
             {"influences", Kind::text},
             {"documents", Kind::text},
             {"environment", Kind::environments},
             {"location", Kind::locations},
             {"conclusion", Kind::choice, "safe|unsafe"},
             {"conclusionText", Kind::text},
             {"distribution", Kind::text},
         }},
        {"bank",
         "banks",
         true,
         false,
         {
             {"label", Kind::text},
             {"device", Kind::device},
             {"rcdCurrent", Kind::ratedResidualCurrent},
             {"rcdType", Kind::choice, "AC|A|F|B"},
             {"rcdSelective", Kind::flag},
             {"earthing", Kind::choice, "TN|TN-C|TN-S|TN-C-S|TT|IT"},
             {"nominalVoltage", Kind::voltage},
             {"peLimit", Kind::number},
             {"applianceClass", Kind::choice, "I|II|III"},
             {"cordLength", Kind::number},
             {"remarks", Kind::text},
         }},
        {"instrument",
         "instruments",
         true,
         true,
         {
             {"model", Kind::text},
             {"serial", Kind::text},
             {"calibrationSheet", Kind::text},
             {"calibrationDate", Kind::date},
             {"calibrationInterval", Kind::months},
         }},
        {"check", "checks", false, false, checkFields()},
        {"defect",
         "defects",
         true,
         true,
         {
             {"text", Kind::text},
             {"class", Kind::choice, "danger|potential|improvement|investigate"},
             {"provision", Kind::text},
             {"deadline", Kind::date},
             {"bank", Kind::integer},
         }},
    };
    return parts;
}

const Part* partNamed(const std::string& prefix) {
    for (const Part& part : detailParts()) {
        if (prefix == part.prefix) {
            return &part;
        }
    }
    return nullptr;
}

const Field* fieldNamed(const Part& part, const std::string& key) {
    for (const Field& field : part.fields) {
        if (key == field.key) {
            return &field;
        }
    }
    return nullptr;
}

std::optional<int> keyNumber(const std::string& key) {
    int number = 0;
    const char* end = key.data() + key.size();
    const auto [stop, error] = std::from_chars(key.data(), end, number);
    if (key.empty() || error != std::errc() || stop != end || std::to_string(number) != key) {
        return std::nullopt;
    }
    return number;
}

}  // namespace kadenza
