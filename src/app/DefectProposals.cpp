#include "app/DefectProposals.h"

#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "report/ReportTexts.h"
#include "report/StyledText.h"

namespace kadenza {

namespace {

QString plain(const std::string& row) {
    return styledText(row).text;
}

QString failedItemText(const ItemEvaluation& judged) {
    QString text = QString::fromStdString(bankTitle(*judged.bank));
    if (judged.address) {
        text += QStringLiteral(", ") + QString::number(*judged.address);
    }
    const InstrumentItem& item = *judged.item;
    text += QStringLiteral(": ") + plain(item.symbolText()) + QStringLiteral(" ") +
            plain(item.text(showUnit));
    const std::string limit = shownLimit(judged.verdict);
    if (!limit.empty()) {
        text += QStringLiteral(" (") + QString::fromStdString(localDecimals(limit)) +
                QStringLiteral(")");
    }
    return text;
}

}  // namespace

std::vector<DefectProposal> failedValueProposals(const Evaluation& evaluation) {
    std::vector<DefectProposal> proposals;
    for (const ItemEvaluation& judged : evaluation.items) {
        if (judged.verdict.kind == VerdictKind::fail) {
            proposals.push_back({failedItemText(judged),
                                 QString::fromStdString(ruleSource(judged.verdict.rule)),
                                 judged.bank->number()});
        }
    }
    return proposals;
}

}  // namespace kadenza
