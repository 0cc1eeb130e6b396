#include "inspection/JsonExport.h"

#include <nlohmann/json.hpp>

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
            {"none", counts.none},
            {"verdict", verdictName(counts.overall())}};
}

json addressOf(const ItemEvaluation& judged) {
    return judged.address ? json(*judged.address) : json(nullptr);
}

// What every item entry holds, whichever document it goes into.
json verdictEntry(const ItemEvaluation& judged) {
    const InstrumentItem& item = *judged.item;
    return {{"index", judged.index},
            {"address", addressOf(judged)},
            {"code", item.symbol()},
            {"value", item.value()},
            {"over", item.isOver()},
            {"note", item.noteOrEmpty()},
            {"verdict", verdictName(judged.verdict.kind)},
            {"limit", judged.verdict.limit},
            {"rule", judged.verdict.rule},
            {"missing", orNull(judged.verdict.missing)}};
}

json containerItem(const ItemEvaluation& judged) {
    const InstrumentItem& item = *judged.item;
    json entry = verdictEntry(judged);
    entry["symbol"] = plainScriptText(item.symbolText());
    entry["unit"] = plainScriptText(item.unitText());
    entry["text"] = plainScriptText(item.text(showAllColumns));
    entry["primary"] = item.isPrimary();
    return entry;
}

json detailsOf(const DetailsDocument& details) {
    return details.empty() ? json(nullptr) : json::parse(details.toJson());
}

// Notes are the instrument's bytes: what is not UTF-8 is replaced, not refused.
std::string text(const json& document) {
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string evaluationJson(const Evaluation& evaluation) {
    json items = json::array();
    for (const ItemEvaluation& judged : evaluation.items) {
        json entry = verdictEntry(judged);
        entry["bank"] = judged.bank->number();
        items.push_back(std::move(entry));
    }
    const VerdictCounts& counts = evaluation.counts;
    return text(
        {{"profile", evaluation.profile},
         {"items", std::move(items)},
         {"summary", {{"pass", counts.pass}, {"fail", counts.fail}, {"none", counts.none}}}});
}

std::string containerJson(const InstrumentData& data, const DetailsDocument& details) {
    const Evaluation evaluation = evaluate(data, details);
    json banks = json::array();
    std::size_t next = 0;
    for (const BankEvaluation& bank : evaluation.banks) {
        json items = json::array();
        for (; next < evaluation.items.size() && evaluation.items[next].bank == bank.bank; ++next) {
            items.push_back(containerItem(evaluation.items[next]));
        }
        const bool numbered = dynamic_cast<const InstrumentNumber*>(bank.bank) != nullptr;
        banks.push_back({{"number", bank.bank->number()},
                         {"kind", numbered ? "no." : "bank"},
                         {"summary", summaryOf(bank.counts)},
                         {"items", std::move(items)}});
    }
    return text({{"version", 1},
                 {"profile", evaluation.profile},
                 {"details", detailsOf(details)},
                 {"summary", summaryOf(evaluation.counts)},
                 {"banks", std::move(banks)}});
}

}  // namespace kadenza
