#include "inspection/JsonExport.h"

#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>

#include "inspection/ScriptText.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "model/InstrumentNumber.h"

namespace kadenza {

namespace {

using nlohmann::json;

json orNull(const std::string& text) {
    return text.empty() ? json(nullptr) : json(text);
}

json summaryOf(const VerdictCounts& counts) {
    return {{"pass", counts.pass},
            {"fail", counts.fail},
            {"missing", counts.missing},
            {"none", counts.none},
            {"missingDetails", counts.missingDetails},
            {"overall", overallName(counts.overall())}};
}

json addressOf(const ItemEvaluation& judged) {
    return judged.address ? json(*judged.address) : json(nullptr);
}

json boundsOf(const Verdict& verdict) {
    if (!verdict.limit) {
        return nullptr;
    }
    const Limit& limit = *verdict.limit;
    const auto end = [](const std::optional<double>& value) {
        return value ? json(*value) : json(nullptr);
    };
    return {{"low", end(limit.min)}, {"high", end(limit.max)}, {"unit", limit.unit.baseSymbol}};
}

// What every item entry holds, whichever document it goes into.
json verdictEntry(const ItemEvaluation& judged) {
    const InstrumentItem& item = *judged.item;
    const Verdict& verdict = judged.verdict;
    return {{"index", judged.index},
            {"address", addressOf(judged)},
            {"code", item.symbol()},
            {"symbol", plainScriptText(item.symbolText())},
            {"unit", plainScriptText(item.unitText())},
            {"value", item.value()},
            {"over", item.isOver()},
            {"note", item.noteOrEmpty()},
            {"verdict", verdictName(verdict.kind)},
            {"limit", shownLimit(verdict)},
            {"bounds", boundsOf(verdict)},
            {"rule", verdict.rule},
            {"missing", orNull(verdict.missing)},
            {"remark", orNull(verdict.remark)}};
}

json containerItem(const ItemEvaluation& judged) {
    const InstrumentItem& item = *judged.item;
    json entry = verdictEntry(judged);
    entry["text"] = plainScriptText(item.text(showAllColumns));
    entry["primary"] = item.isPrimary();
    return entry;
}

std::string indent(int depth) {
    return std::string(static_cast<std::size_t>(2 * depth), ' ');
}

// A text of several lines `depth` levels deeper, as an indented dump nests it.
std::string shifted(const std::string& text, int depth) {
    std::string lines;
    lines.reserve(text.size());
    for (const char c : text) {
        lines += c;
        if (c == '\n') {
            lines += indent(depth);
        }
    }
    return lines;
}

// A value as the whole document's dump would show it `depth` levels deep. Notes are the
// instrument's bytes: what is not UTF-8 is replaced, not refused.
std::string dumpAt(const json& value, int depth) {
    return shifted(value.dump(2, ' ', false, json::error_handler_t::replace), depth);
}

// The members of an object besides the array it streams, by key: each value as the whole
// document's dump shows it at the member's depth.
using Members = std::map<std::string, std::string>;

Members membersOf(const json& object, int depth) {
    Members members;
    for (const auto& [name, value] : object.items()) {
        members[name] = dumpAt(value, depth + 1);
    }
    return members;
}

// The details as a member `depth` levels deep, written from their own text rather than built
// again, so that large details cost no second document.
std::string detailsMember(const DetailsDocument& details, int depth) {
    return details.empty() ? "null" : shifted(details.toJson(true), depth);
}

// An object one of whose keys holds an array, written one element at a time so that a large
// file's document is never whole in memory; `rest` holds the object's other members. The text
// is what a dump of the whole object gives, its keys in order.
void writeObject(std::ostream& out, int depth, const char* key, std::size_t count,
                 const std::function<void(std::size_t, int)>& writeElement, const Members& rest) {
    bool first = true;
    const auto startMember = [&](const std::string& name) {
        out << (first ? "{\n" : ",\n") << indent(depth + 1) << '"' << name << "\": ";
        first = false;
    };
    auto member = rest.begin();
    for (; member != rest.end() && member->first < key; ++member) {
        startMember(member->first);
        out << member->second;
    }
    startMember(key);
    out << '[';
    for (std::size_t i = 0; i < count; ++i) {
        out << (i > 0 ? ",\n" : "\n") << indent(depth + 2);
        writeElement(i, depth + 2);
    }
    if (count > 0) {
        out << '\n' << indent(depth + 1);
    }
    out << ']';
    for (; member != rest.end(); ++member) {
        startMember(member->first);
        out << member->second;
    }
    out << '\n' << indent(depth) << '}';
}

json bankSummaries(const Evaluation& evaluation) {
    json banks = json::array();
    for (const BankEvaluation& bank : evaluation.banks) {
        banks.push_back({{"number", bank.bank->number()},
                         {"label", orNull(bank.details.label)},
                         {"summary", summaryOf(bank.counts)}});
    }
    return banks;
}

}  // namespace

void writeEvaluationJson(std::ostream& out, const Evaluation& evaluation) {
    const VerdictCounts& counts = evaluation.counts;
    const json rest = {{"banks", bankSummaries(evaluation)},
                       {"overall", overallName(counts.overall())},
                       {"profile", evaluation.profile},
                       {"summary", summaryOf(counts)}};
    writeObject(
        out, 0, "items", evaluation.items.size(),
        [&](std::size_t i, int depth) {
            json entry = verdictEntry(evaluation.items[i]);
            entry["bank"] = evaluation.items[i].bank->number();
            out << dumpAt(entry, depth);
        },
        membersOf(rest, 0));
    out << '\n';
}

void writeContainerJson(std::ostream& out, const InstrumentData& data,
                        const DetailsDocument& details) {
    const Evaluation evaluation = evaluate(data, details);
    // The banks are written in order, each taking its items from where the last one ended.
    std::size_t next = 0;
    const auto writeBank = [&](std::size_t b, int depth) {
        const BankEvaluation& bank = evaluation.banks[b];
        const std::size_t first = next;
        while (next < evaluation.items.size() && evaluation.items[next].bank == bank.bank) {
            ++next;
        }
        const bool numbered = dynamic_cast<const InstrumentNumber*>(bank.bank) != nullptr;
        const json rest = {{"number", bank.bank->number()},
                           {"kind", numbered ? "no." : "bank"},
                           {"summary", summaryOf(bank.counts)}};
        writeObject(
            out, depth, "items", next - first,
            [&](std::size_t i, int itemDepth) {
                out << dumpAt(containerItem(evaluation.items[first + i]), itemDepth);
            },
            membersOf(rest, depth));
    };
    Members rest = membersOf({{"version", 1},
                              {"profile", evaluation.profile},
                              {"summary", summaryOf(evaluation.counts)}},
                             0);
    rest["details"] = detailsMember(details, 1);
    writeObject(out, 0, "banks", evaluation.banks.size(), writeBank, rest);
    out << '\n';
}

}  // namespace kadenza
