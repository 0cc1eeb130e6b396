#include "inspection/DetailsDocument.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "inspection/BlankText.h"
#include "inspection/BoundedJson.h"
#include "inspection/CalendarDate.h"
#include "inspection/Conclusion.h"
#include "inspection/DetailFields.h"
#include "model/Utf8Characters.h"

namespace kadenza {

struct DetailsDocument::Json {
    nlohmann::json value;
};

namespace {

using nlohmann::json;

constexpr int documentVersion = 1;

// How a document's known details are checked: as a user typed them (an import), every one
// must be a value `set` takes; as a file holds them, one that is not stays as it is, for
// the verdicts to read as missing and the user to see and mend.
enum class Reading { typed, stored };

// Writes the known details of one part of the document as this program does; unknown keys
// stay as they are.
// A known detail given as a blank text is none given: an import leaves it out, as `set` does.
void normaliseFields(json& object, const Part& part, const std::string& prefix, Reading reading) {
    if (!object.is_object()) {
        throw std::invalid_argument(prefix + " is not an object");
    }
    std::vector<std::string> blank;
    for (auto& [key, value] : object.items()) {
        const Field* field = fieldNamed(part, key);
        if (field == nullptr) {
            continue;
        }
        if (reading == Reading::typed && value.is_string() && isBlank(value.get<std::string>())) {
            blank.push_back(key);
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
    for (const std::string& key : blank) {
        object.erase(key);
    }
}

bool isPartNumber(const Part& part, const std::string& key) {
    const std::optional<int> number = keyNumber(key);
    return number && (!part.countedFromOne || *number > 0);
}

// A part keyed by numbers: every key a number, every member the part's details.
void normaliseNumbered(json& object, const Part& part, Reading reading) {
    if (!object.is_object()) {
        throw std::invalid_argument(std::string(part.documentKey) + " is not an object");
    }
    for (auto& [key, member] : object.items()) {
        if (!isPartNumber(part, key)) {
            throw std::invalid_argument(std::string(part.documentKey) + ": '" + key +
                                        "' is not a " + part.prefix + " number");
        }
        normaliseFields(member, part, std::string(part.prefix) + "." + key, reading);
    }
}

void normalise(json& document, Reading reading) {
    if (!document.is_object()) {
        throw std::invalid_argument("the details are not a JSON object");
    }
    const auto version = document.find("version");
    if (version == document.end() || *version != documentVersion) {
        throw std::invalid_argument("the details are not of version 1");
    }
    for (const Part& part : detailParts()) {
        if (!document.contains(part.documentKey)) {
            continue;
        }
        json& object = document[part.documentKey];
        if (part.numbered) {
            normaliseNumbered(object, part, reading);
        } else {
            normaliseFields(object, part, part.prefix, reading);
        }
    }
}

// A member of an object; none when the value is no object or has no such member.
const json* member(const json& object, const std::string& key) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

class PartReader {
  public:
    explicit PartReader(const json* part) : part_(part) {}

    // A blank text is no text: a detail of spaces is one nobody gave.
    std::string text(const char* key) const {
        const json* value = find(key);
        if (!value || !value->is_string() || isBlank(value->get<std::string>())) {
            return {};
        }
        return value->get<std::string>();
    }
    std::optional<double> number(const char* key) const {
        const json* value = find(key);
        return value && value->is_number() ? std::optional<double>(value->get<double>())
                                           : std::nullopt;
    }
    std::optional<int> integer(const char* key) const {
        const json* value = find(key);
        return value && value->is_number_integer() ? std::optional<int>(value->get<int>())
                                                   : std::nullopt;
    }
    std::optional<bool> flag(const char* key) const {
        const json* value = find(key);
        return value && value->is_boolean() ? std::optional<bool>(value->get<bool>())
                                            : std::nullopt;
    }

  private:
    const json* find(const char* key) const { return part_ ? member(*part_, key) : nullptr; }

    const json* part_;
};

// The members of a numbered part by their numbers, in order.
std::map<int, const json*> numberedMembers(const json& document, const char* documentKey) {
    std::map<int, const json*> members;
    if (const json* object = member(document, documentKey); object && object->is_object()) {
        for (const auto& [key, value] : object->items()) {
            if (const std::optional<int> number = keyNumber(key)) {
                members[*number] = &value;
            }
        }
    }
    return members;
}

// Splits "bank.3.device" into the part's path in the document and the detail's field.
struct DetailName {
    std::vector<std::string> path;
    const Field* field = nullptr;
};

DetailName parseName(const std::string& name) {
    const std::size_t firstDot = name.find('.');
    const std::size_t lastDot = name.rfind('.');
    const Part* part =
        firstDot == std::string::npos ? nullptr : partNamed(name.substr(0, firstDot));
    const Field* field = part ? fieldNamed(*part, name.substr(lastDot + 1)) : nullptr;
    if (field != nullptr && !part->numbered && firstDot == lastDot) {
        return {{part->documentKey}, field};
    }
    if (field != nullptr && part->numbered && firstDot != lastDot) {
        const std::string number = name.substr(firstDot + 1, lastDot - firstDot - 1);
        if (isPartNumber(*part, number)) {
            return {{part->documentKey, number}, field};
        }
    }
    throw std::invalid_argument("unknown detail '" + name +
                                "' (inspection.KEY, bank.NUMBER.KEY, instrument.NUMBER.KEY, "
                                "check.NAME or defect.NUMBER.KEY)");
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

// The dates of one revision come in order: its start, its end, the report written, the report
// handed over; the next revision cannot come before this one.
void checkDateOrder(const InspectionDetails& inspection) {
    const std::pair<const char*, const std::string*> dates[] = {
        {"date", &inspection.date},
        {"endDate", &inspection.endDate},
        {"reportDate", &inspection.reportDate},
        {"handoverDate", &inspection.handoverDate},
    };
    const std::pair<const char*, const std::string*>* latest = nullptr;
    for (const auto& date : dates) {
        if (!readIsoDate(*date.second)) {
            continue;
        }
        if (latest != nullptr && *date.second < *latest->second) {
            throw std::invalid_argument("inspection." + std::string(date.first) + ": " +
                                        *date.second + " comes before inspection." + latest->first +
                                        " " + *latest->second);
        }
        latest = &date;
    }
    const std::string& end = inspection.endDate.empty() ? inspection.date : inspection.endDate;
    if (readIsoDate(inspection.nextDate) && readIsoDate(end) && inspection.nextDate < end) {
        throw std::invalid_argument("inspection.nextDate: " + inspection.nextDate +
                                    " comes before the inspection's date " + end);
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
DetailsDocument::DetailsDocument(DetailsDocument&& other) : json_(std::make_unique<Json>()) {
    std::swap(json_, other.json_);
}

DetailsDocument& DetailsDocument::operator=(DetailsDocument&& other) {
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
            document.checkConsistent();
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
    const PartReader read(member(json_->value, "inspection"));
    InspectionDetails inspection;
    inspection.client = read.text("client");
    inspection.site = read.text("site");
    inspection.object = read.text("object");
    inspection.inspector = read.text("inspector");
    inspection.licence = read.text("licence");
    inspection.date = read.text("date");
    inspection.nextDate = read.text("nextDate");
    inspection.model = read.text("model");
    inspection.serial = read.text("serial");
    inspection.profile = read.text("profile");
    inspection.touchVoltageLimit = read.number("touchVoltageLimit");
    inspection.loopFactor = read.text("loopFactor");
    inspection.remarks = read.text("remarks");
    inspection.kind = read.text("kind");
    inspection.reason = read.text("reason");
    inspection.number = read.text("number");
    inspection.operatorName = read.text("operator");
    inspection.endDate = read.text("endDate");
    inspection.reportDate = read.text("reportDate");
    inspection.handoverDate = read.text("handoverDate");
    inspection.scope = read.text("scope");
    inspection.supply = read.text("supply");
    inspection.protection = read.text("protection");
    inspection.influences = read.text("influences");
    inspection.documents = read.text("documents");
    inspection.environment = read.text("environment");
    inspection.location = read.text("location");
    inspection.conclusion = read.text("conclusion");
    inspection.conclusionText = read.text("conclusionText");
    inspection.distribution = read.text("distribution");
    return inspection;
}

BankDetails DetailsDocument::bank(int number) const {
    const json* banks = member(json_->value, "banks");
    const PartReader read(banks ? member(*banks, std::to_string(number)) : nullptr);
    return {read.text("label"),          read.text("device"),       read.number("rcdCurrent"),
            read.text("rcdType"),        read.flag("rcdSelective"), read.text("earthing"),
            read.text("nominalVoltage"), read.number("peLimit"),    read.text("applianceClass"),
            read.number("cordLength"),   read.text("remarks")};
}

std::vector<int> DetailsDocument::bankNumbers() const {
    std::vector<int> numbers;
    for (const auto& [number, bank] : numberedMembers(json_->value, "banks")) {
        numbers.push_back(number);
    }
    return numbers;
}

std::vector<InstrumentDetails> DetailsDocument::instruments() const {
    std::vector<InstrumentDetails> instruments;
    for (const auto& [number, instrument] : numberedMembers(json_->value, "instruments")) {
        const PartReader read(instrument);
        instruments.push_back({number, read.text("model"), read.text("serial"),
                               read.text("calibrationSheet"), read.text("calibrationDate"),
                               read.integer("calibrationInterval")});
    }
    const InspectionDetails inspection = this->inspection();
    if (inspection.model.empty() && inspection.serial.empty()) {
        return instruments;
    }
    if (instruments.empty() || instruments.front().number != 1) {
        instruments.insert(instruments.begin(), InstrumentDetails{1, {}, {}, {}, {}, {}});
    }
    InstrumentDetails& first = instruments.front();
    first.model = first.model.empty() ? inspection.model : first.model;
    first.serial = first.serial.empty() ? inspection.serial : first.serial;
    return instruments;
}

std::vector<DefectDetails> DetailsDocument::defects() const {
    std::vector<DefectDetails> defects;
    for (const auto& [number, defect] : numberedMembers(json_->value, "defects")) {
        const PartReader read(defect);
        defects.push_back({number, read.text("text"), read.text("class"), read.text("provision"),
                           read.text("deadline"), read.integer("bank")});
    }
    return defects;
}

std::string DetailsDocument::check(const std::string& name) const {
    return PartReader(member(json_->value, "checks")).text(name.c_str());
}

bool DetailsDocument::holdsDate(const std::string& name) {
    try {
        return parseName(name).field->kind == Kind::date;
    } catch (const std::invalid_argument&) {
        return false;
    }
}

void DetailsDocument::set(const std::string& name, const std::string& value) {
    const DetailName detail = parseName(name);
    if (!isUtf8(value)) {
        throw std::invalid_argument(name + ": the value is not UTF-8 text");
    }
    if (isBlank(value)) {
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
    const InspectionDetails inspection = this->inspection();
    checkDateOrder(inspection);
    if (inspection.conclusion != safeConclusion) {
        return;
    }
    const std::vector<DefectDetails> all = defects();
    if (const DefectDetails* defect = defectAgainstSafe(all)) {
        throw std::invalid_argument("inspection.conclusion: 'safe' is refused while defect " +
                                    std::to_string(defect->number) + " " +
                                    classAgainstSafe(defect->defectClass) + " (class " +
                                    defect->defectClass + ")");
    }
}

}  // namespace kadenza
