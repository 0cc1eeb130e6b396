#include "inspection/DetailsDocument.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace kadenza {

struct DetailsDocument::Json {
    nlohmann::json value;
};

namespace {

using nlohmann::json;

constexpr int documentVersion = 1;

// What a detail holds, and so how a typed text becomes its JSON value.
enum class Kind {
    text,
    // An ISO date, 2026-12-07.
    date,
    // One text of `choices`, "AC|A|F|B".
    choice,
    // A number; with `choices`, one of those.
    number,
    flag,
    // Volts, or SELV or PELV.
    voltage,
    // B, C or D and the rated current: B16.
    device,
};

struct Field {
    const char* key;
    Kind kind;
    const char* choices = "";
};

const Field inspectionFields[] = {
    {"client", Kind::text},
    {"site", Kind::text},
    {"object", Kind::text},
    {"inspector", Kind::text},
    {"licence", Kind::text},
    {"date", Kind::date},
    {"nextDate", Kind::date},
    {"model", Kind::text},
    {"serial", Kind::text},
    {"profile", Kind::choice, "installation-2016|installation-2006|appliance"},
    {"touchVoltageLimit", Kind::number, "50|25"},
    {"loopFactor", Kind::choice, "1|0.8|2/3"},
    {"remarks", Kind::text},
};

const Field bankFields[] = {
    {"label", Kind::text},
    {"device", Kind::device},
    {"rcdCurrent", Kind::number},
    {"rcdType", Kind::choice, "AC|A|F|B"},
    {"rcdSelective", Kind::flag},
    {"earthing", Kind::choice, "TN|TT|IT"},
    {"nominalVoltage", Kind::voltage},
    {"peLimit", Kind::number},
    {"applianceClass", Kind::choice, "I|II|III"},
    {"cordLength", Kind::number},
    {"remarks", Kind::text},
};

template <std::size_t N>
const Field* findField(const Field (&fields)[N], const std::string& key) {
    for (const Field& field : fields) {
        if (key == field.key) {
            return &field;
        }
    }
    return nullptr;
}

std::string upperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

bool isChoice(const std::string& text, const std::string& choices) {
    return ("|" + choices + "|").find("|" + text + "|") != std::string::npos;
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

// A positive number written with a decimal point or a decimal comma.
std::optional<double> positiveNumber(std::string text) {
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    double number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(number) ||
        number <= 0) {
        return std::nullopt;
    }
    return number;
}

bool isDigits(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

bool isDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !isDigits(text, 0, 4) ||
        !isDigits(text, 5, 2) || !isDigits(text, 8, 2)) {
        return false;
    }
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
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

std::optional<json> deviceValue(const std::string& text) {
    const std::string upper = upperCase(text);
    if (upper.size() < 2 || !isChoice(upper.substr(0, 1), "B|C|D") ||
        !positiveNumber(upper.substr(1))) {
        return std::nullopt;
    }
    return json(upper);
}

std::optional<json> voltageValue(const std::string& text) {
    const std::string upper = upperCase(text);
    if (upper == "SELV" || upper == "PELV") {
        return json(upper);
    }
    if (!positiveNumber(text)) {
        return std::nullopt;
    }
    return json(text);
}

// 50 is one of "50|25" however it is written: 50, 50.0.
bool isNumberChoice(double number, const std::string& choices) {
    std::size_t start = 0;
    while (start <= choices.size()) {
        const std::size_t end = std::min(choices.find('|', start), choices.size());
        if (positiveNumber(choices.substr(start, end - start)) == number) {
            return true;
        }
        start = end + 1;
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

std::optional<json> typedValue(const Field& field, const std::string& text) {
    switch (field.kind) {
        case Kind::text:
            return json(text);
        case Kind::date:
            return isDate(text) ? std::optional<json>(text) : std::nullopt;
        case Kind::choice:
            return isChoice(text, field.choices) ? std::optional<json>(text) : std::nullopt;
        case Kind::number:
            return numberValue(field, text);
        case Kind::flag:
            return flagValue(text);
        case Kind::voltage:
            return voltageValue(text);
        case Kind::device:
            return deviceValue(text);
    }
    return std::nullopt;
}

std::string expectation(const Field& field) {
    switch (field.kind) {
        case Kind::text:
            break;
        case Kind::date:
            return "a date, YYYY-MM-DD";
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
    }
    return "a text";
}

// The JSON value a detail takes from a typed text; throws std::invalid_argument naming the
// detail and what it takes.
json valueFor(const Field& field, const std::string& name, const std::string& text) {
    const std::optional<json> value = typedValue(field, text);
    if (!value) {
        throw std::invalid_argument(name + ": '" + text + "' is not " + expectation(field));
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

// Checks the known details of one part of the document and writes them as this program
// does; unknown keys stay as they are.
template <std::size_t N>
void normaliseFields(json& part, const Field (&fields)[N], const std::string& prefix) {
    if (!part.is_object()) {
        throw std::invalid_argument(prefix + " is not an object");
    }
    for (auto& [key, value] : part.items()) {
        if (const Field* field = findField(fields, key)) {
            const std::string name = prefix + "." + key;
            value = valueFor(*field, name, typedText(value, name));
        }
    }
}

// A bank number as the document keys it: a whole number, written as the tree writes it.
std::optional<int> bankNumber(const std::string& key) {
    int number = 0;
    const char* end = key.data() + key.size();
    const auto [stop, error] = std::from_chars(key.data(), end, number);
    if (key.empty() || error != std::errc() || stop != end || std::to_string(number) != key) {
        return std::nullopt;
    }
    return number;
}

void normalise(json& document) {
    if (!document.is_object()) {
        throw std::invalid_argument("the details are not a JSON object");
    }
    const auto version = document.find("version");
    if (version == document.end() || *version != documentVersion) {
        throw std::invalid_argument("the details are not of version 1");
    }
    if (document.contains("inspection")) {
        normaliseFields(document["inspection"], inspectionFields, "inspection");
    }
    if (!document.contains("banks")) {
        return;
    }
    json& banks = document["banks"];
    if (!banks.is_object()) {
        throw std::invalid_argument("banks is not an object");
    }
    for (auto& [key, bank] : banks.items()) {
        if (!bankNumber(key)) {
            throw std::invalid_argument("banks: '" + key + "' is not a bank number");
        }
        normaliseFields(bank, bankFields, "bank." + key);
    }
}

// A member of an object; none when the value is no object or has no such member.
const json* part(const json& object, const std::string& key) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

class PartReader {
  public:
    explicit PartReader(const json* part) : part_(part) {}

    std::string text(const char* key) const {
        const json* value = find(key);
        return value && value->is_string() ? value->get<std::string>() : std::string();
    }
    std::optional<double> number(const char* key) const {
        const json* value = find(key);
        return value && value->is_number() ? std::optional<double>(value->get<double>())
                                           : std::nullopt;
    }
    std::optional<bool> flag(const char* key) const {
        const json* value = find(key);
        return value && value->is_boolean() ? std::optional<bool>(value->get<bool>())
                                            : std::nullopt;
    }

  private:
    const json* find(const char* key) const { return part_ ? part(*part_, key) : nullptr; }

    const json* part_;
};

// Splits "bank.3.device" into the part's path in the document and the detail's key.
struct DetailName {
    std::vector<std::string> path;
    const Field* field = nullptr;
};

DetailName parseName(const std::string& name) {
    const std::size_t lastDot = name.rfind('.');
    const std::string key = lastDot == std::string::npos ? "" : name.substr(lastDot + 1);
    const std::string part = lastDot == std::string::npos ? "" : name.substr(0, lastDot);
    if (part == "inspection") {
        if (const Field* field = findField(inspectionFields, key)) {
            return {{"inspection"}, field};
        }
    } else if (part.rfind("bank.", 0) == 0) {
        const std::optional<int> number = bankNumber(part.substr(5));
        const Field* field = findField(bankFields, key);
        if (number && field) {
            return {{"banks", std::to_string(*number)}, field};
        }
    }
    throw std::invalid_argument("unknown detail '" + name +
                                "' (inspection.KEY or bank.NUMBER.KEY)");
}

// Removes a detail, and makes no part of the document for it.
void removeDetail(json& document, const DetailName& detail) {
    json* target = &document;
    for (const std::string& step : detail.path) {
        if (!target->is_object() || !target->contains(step)) {
            return;
        }
        target = &(*target)[step];
    }
    if (target->is_object()) {
        target->erase(detail.field->key);
    }
}

}  // namespace

DetailsDocument::DetailsDocument() : json_(std::make_unique<Json>()) {}

DetailsDocument::~DetailsDocument() = default;

DetailsDocument::DetailsDocument(const DetailsDocument& other)
    : json_(std::make_unique<Json>(*other.json_)) {}

DetailsDocument& DetailsDocument::operator=(const DetailsDocument& other) {
    *json_ = *other.json_;
    return *this;
}

DetailsDocument DetailsDocument::fromJson(const std::string& text) {
    DetailsDocument document;
    try {
        document.json_->value = json::parse(text);
        normalise(document.json_->value);
    } catch (const json::parse_error& error) {
        throw std::runtime_error("the details are not valid JSON at byte " +
                                 std::to_string(error.byte));
    } catch (const json::exception& error) {
        throw std::runtime_error(std::string("the details are not valid JSON: ") + error.what());
    } catch (const std::invalid_argument& error) {
        throw std::runtime_error(error.what());
    }
    return document;
}

std::string DetailsDocument::toJson(bool indented) const {
    // Texts that are not UTF-8 cannot come from a parsed document; replace rather than throw.
    return json_->value.dump(indented ? 2 : -1, ' ', false, json::error_handler_t::replace);
}

bool DetailsDocument::empty() const {
    return json_->value.is_null();
}

InspectionDetails DetailsDocument::inspection() const {
    const PartReader read(part(json_->value, "inspection"));
    return {read.text("client"),
            read.text("site"),
            read.text("object"),
            read.text("inspector"),
            read.text("licence"),
            read.text("date"),
            read.text("nextDate"),
            read.text("model"),
            read.text("serial"),
            read.text("profile"),
            read.number("touchVoltageLimit"),
            read.text("loopFactor"),
            read.text("remarks")};
}

BankDetails DetailsDocument::bank(int number) const {
    const json* banks = part(json_->value, "banks");
    const PartReader read(banks ? part(*banks, std::to_string(number)) : nullptr);
    return {read.text("label"),          read.text("device"),       read.number("rcdCurrent"),
            read.text("rcdType"),        read.flag("rcdSelective"), read.text("earthing"),
            read.text("nominalVoltage"), read.number("peLimit"),    read.text("applianceClass"),
            read.number("cordLength"),   read.text("remarks")};
}

std::vector<int> DetailsDocument::bankNumbers() const {
    std::vector<int> numbers;
    if (const json* banks = part(json_->value, "banks")) {
        for (const auto& [key, bank] : banks->items()) {
            numbers.push_back(*bankNumber(key));
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

void DetailsDocument::set(const std::string& name, const std::string& value) {
    const DetailName detail = parseName(name);
    if (value.empty()) {
        removeDetail(json_->value, detail);
        return;
    }
    const json typed = valueFor(*detail.field, name, value);
    if (empty()) {
        json_->value = json{{"version", documentVersion}};
    }
    json* target = &json_->value;
    for (const std::string& step : detail.path) {
        target = &(*target)[step];
    }
    (*target)[detail.field->key] = typed;
}

}  // namespace kadenza
