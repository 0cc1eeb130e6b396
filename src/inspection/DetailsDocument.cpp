#include "inspection/DetailsDocument.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "inspection/CircuitDetails.h"
#include "inspection/TextReading.h"
#include "model/Utf8Characters.h"

namespace kadenza {

struct DetailsDocument::Json {
    nlohmann::json value;
};

namespace {

using nlohmann::json;

constexpr int documentVersion = 1;

// The details are two levels deep; a document nested far deeper is no details a person gave,
// and would cost stack out of all proportion to its text.
constexpr int deepestNesting = 64;

// What a value costs once built, in bytes, roughly as the JSON library and the standard
// library lay it out: the value itself (twice its 16 bytes, as a list grows by doubling), a
// container's own allocation, an object member's node with its key, a string too long to be
// kept inside the value.
constexpr std::size_t valueCost = 32;
constexpr std::size_t containerCost = 64;
constexpr std::size_t memberCost = 64;
constexpr std::size_t inlineStringLength = 15;

// A document may cost this many times its text, or this much whatever its text. Details as
// people give them cost five to seven times their text (eleven for banks with one short
// detail each, within the free part); a list of small numbers, sixteen; a text of nothing but
// empty objects, thirty-two.
constexpr std::size_t costPerByte = 8;
constexpr std::size_t freeCost = 1024 * 1024;

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
    // Milliamperes of the rated series: 30.
    ratedResidualCurrent,
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
    {"profile", Kind::choice, "installation-2016|installation-2006|installation-2001|appliance"},
    {"touchVoltageLimit", Kind::number, "50|25"},
    {"loopFactor", Kind::choice, "1|0.8|2/3"},
    {"remarks", Kind::text},
};

const Field bankFields[] = {
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

bool isDigits(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// A day of the calendar written YYYY-MM-DD: 2026-02-30 is none.
bool isDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !isDigits(text, 0, 4) ||
        !isDigits(text, 5, 2) || !isDigits(text, 8, 2)) {
        return false;
    }
    const int year = std::stoi(text.substr(0, 4));
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
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

std::optional<json> typedValue(const Field& field, const std::string& text) {
    switch (field.kind) {
        case Kind::text:
            return json(text);
        case Kind::date:
            return isDate(text) ? std::optional<json>(text) : std::nullopt;
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
        case Kind::ratedResidualCurrent:
            return "a rated residual current in mA: 6, 10, 30, 100, 300, 500 or 1000";
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

// Measures what a text would build without building it: how deep its values nest and what
// they would cost in memory. Stops the reading (returning false) at the first value past
// either bound.
class Bounds : public nlohmann::json_sax<json> {
  public:
    explicit Bounds(std::size_t textSize) : mostCost_(std::max(freeCost, costPerByte * textSize)) {}

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t& text) override { return value(heapCost(text)); }
    bool binary(binary_t& bytes) override { return value(containerCost + bytes.size()); }
    bool start_object(std::size_t) override { return open(); }
    bool key(string_t& name) override { return add(memberCost + heapCost(name)); }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

    // Why the text is out of bounds; empty when it is not.
    const std::string& problem() const { return problem_; }

  private:
    static std::size_t heapCost(const std::string& text) {
        return text.size() > inlineStringLength ? text.size() + 1 + valueCost : 0;
    }
    bool value(std::size_t extra = 0) { return add(valueCost + extra); }
    bool add(std::size_t cost) {
        cost_ += cost;
        if (cost_ > mostCost_) {
            problem_ = "the details hold too many values for their size";
            return false;
        }
        return true;
    }
    bool open() {
        if (++depth_ > deepestNesting) {
            problem_ = "the details nest deeper than " + std::to_string(deepestNesting) + " levels";
            return false;
        }
        return value(containerCost);
    }
    bool close() {
        --depth_;
        return true;
    }

    std::size_t mostCost_;
    int depth_ = 0;
    std::size_t cost_ = 0;
    std::string problem_;
};

// The document the text holds; throws std::invalid_argument when it nests deeper than
// deepestNesting or would cost more memory than its size allows, found before any of it is
// built.
json boundedParse(const std::string& text) {
    Bounds bounds(text.size());
    json::sax_parse(text, &bounds);
    if (!bounds.problem().empty()) {
        throw std::invalid_argument(bounds.problem());
    }
    return json::parse(text);
}

// How a document's known details are checked: as a user typed them (an import), every one
// must be a value `set` takes; as a file holds them, one that is not stays as it is, for
// the verdicts to read as missing and the user to see and mend.
enum class Reading { typed, stored };

// Writes the known details of one part of the document as this program does; unknown keys
// stay as they are.
template <std::size_t N>
void normaliseFields(json& part, const Field (&fields)[N], const std::string& prefix,
                     Reading reading) {
    if (!part.is_object()) {
        throw std::invalid_argument(prefix + " is not an object");
    }
    for (auto& [key, value] : part.items()) {
        const Field* field = findField(fields, key);
        if (field == nullptr) {
            continue;
        }
        const std::string name = prefix + "." + key;
        try {
            value = valueFor(*field, name, typedText(value, name));
        } catch (const std::invalid_argument&) {
            if (reading == Reading::typed) {
                throw;
            }
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

void normalise(json& document, Reading reading) {
    if (!document.is_object()) {
        throw std::invalid_argument("the details are not a JSON object");
    }
    const auto version = document.find("version");
    if (version == document.end() || *version != documentVersion) {
        throw std::invalid_argument("the details are not of version 1");
    }
    if (document.contains("inspection")) {
        normaliseFields(document["inspection"], inspectionFields, "inspection", reading);
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
        normaliseFields(bank, bankFields, "bank." + key, reading);
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

// Removes a detail, and the parts of the document it leaves empty: without a detail left the
// document is empty again, unless it holds keys this program does not know.
void removeDetail(json& document, const DetailName& detail) {
    std::vector<json*> parts{&document};
    for (const std::string& step : detail.path) {
        json& part = *parts.back();
        if (!part.is_object() || !part.contains(step)) {
            return;
        }
        parts.push_back(&part[step]);
    }
    if (!parts.back()->is_object()) {
        return;
    }
    parts.back()->erase(detail.field->key);
    for (std::size_t depth = detail.path.size(); depth > 0; --depth) {
        if (parts[depth]->empty()) {
            parts[depth - 1]->erase(detail.path[depth - 1]);
        }
    }
    if (document.size() == 1 && document.contains("version")) {
        document = nullptr;
    }
}

// The inspection's date and the next one's, where both are dates: the next cannot come first.
void checkDateOrder(const json& document) {
    const json* inspection = part(document, "inspection");
    const json* date = inspection ? part(*inspection, "date") : nullptr;
    const json* next = inspection ? part(*inspection, "nextDate") : nullptr;
    if (date && next && date->is_string() && next->is_string() && isDate(*date) && isDate(*next) &&
        *next < *date) {
        throw std::invalid_argument("inspection.nextDate: " + next->get<std::string>() +
                                    " comes before the inspection's date " +
                                    date->get<std::string>());
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

// A document moved from is left empty, not without its value.
DetailsDocument::DetailsDocument(DetailsDocument&& other) noexcept
    : json_(std::make_unique<Json>()) {
    std::swap(json_, other.json_);
}

DetailsDocument& DetailsDocument::operator=(DetailsDocument&& other) noexcept {
    std::swap(json_, other.json_);
    return *this;
}

DetailsDocument DetailsDocument::parsed(const std::string& text, bool typed) {
    const Reading reading = typed ? Reading::typed : Reading::stored;
    DetailsDocument document;
    json& value = document.json_->value;
    try {
        value = boundedParse(text);
        normalise(value, reading);
        if (reading == Reading::typed) {
            checkDateOrder(value);
        }
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

DetailsDocument DetailsDocument::fromJson(const std::string& text) {
    return parsed(text, false);
}

DetailsDocument DetailsDocument::imported(const std::string& text) {
    return parsed(text, true);
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
    if (!isUtf8(value)) {
        throw std::invalid_argument(name + ": the value is not UTF-8 text");
    }
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

void DetailsDocument::checkConsistent() const {
    checkDateOrder(json_->value);
}

}  // namespace kadenza
