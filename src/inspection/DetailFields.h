#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace kadenza {

// The details this program knows: the parts of the details' document, the fields of each, and
// how a text a user typed becomes a field's value. Used by the document alone.

// What a detail holds, and so how a typed text becomes its JSON value.
enum class Kind {
    text,
    // A date of the calendar, stored as ISO 2026-12-07 and typed so or the Czech way, 7. 12. 2026.
    date,
    // One text of `choices`, "AC|A|F|B", in any case.
    choice,
    // A number above zero; with `choices`, one of those.
    number,
    // A whole number: a bank's number.
    integer,
    // A whole number of months above zero.
    months,
    flag,
    // Volts, or SELV or PELV.
    voltage,
    // B, C or D and the rated current: B16.
    device,
    // Milliamperes of the rated series: 30.
    ratedResidualCurrent,
    // Keys of a table of revision periods, separated by commas.
    environments,
    locations,
};

struct Field {
    const char* key;
    Kind kind;
    const char* choices = "";
};

// A part of the document: the inspection's own details and the checks are one object each;
// banks, instruments and defects are objects keyed by their numbers. A detail's name is the
// part's prefix, the number where the part has them, and the field: "bank.3.device".
struct Part {
    const char* prefix;
    const char* documentKey;
    bool numbered;
    // Instruments and defects are counted from 1; banks carry the instrument's numbers.
    bool countedFromOne;
    std::vector<Field> fields;
};

const std::vector<Part>& detailParts();

const Part* partNamed(const std::string& prefix);
const Field* fieldNamed(const Part& part, const std::string& key);

// A number as the document keys it: a whole number written as the tree writes it (no sign
// but a minus, no leading zeros).
std::optional<int> keyNumber(const std::string& key);

// The JSON value a detail takes from a typed text; throws std::invalid_argument naming the
// detail (`name`) and what it takes.
nlohmann::json valueFor(const Field& field, const std::string& name, const std::string& text);

// A value as a user would have typed it, for a document read from a file or imported; throws
// std::invalid_argument for a value no detail takes (an object, a list, null).
std::string typedText(const nlohmann::json& value, const std::string& name);

}  // namespace kadenza
