#pragma once

#include <optional>
#include <string>

#include "inspection/RevisionPeriods.h"
#include "inspection/Verdict.h"

namespace kadenza {

class InstrumentBank;
class InstrumentItem;

// The blank between a number and its unit: a no-break space, so that a line never parts them,
// which laidOutText sets wide enough for a reader of the PDF's text to keep it ("2 Ω").
constexpr char unitSpace[] = "\u00A0";

// The words the report is written in, in the current language, as plain UTF-8 (not HTML).

// The verdict's word with a cross before a failure, so that it stands out on paper in black
// and white as well.
std::string verdictText(VerdictKind kind);

// The overall result's word, with a cross before a failure.
std::string overallText(Overall overall);

// The display name of a profile; an unknown profile as it is named.
std::string profileName(const std::string& profile);

// A detail a rule can lack by the label the details dialog gives it: "Protective device".
std::string detailLabel(const std::string& detail);

// What a rule lacked to judge an item: "missing: Protective device".
std::string missingText(const std::string& detail);

// A date as the report's language writes it: 7. 12. 2026 in Czech, 2026-12-07 in English; a
// text that is no ISO date as it is.
std::string dateText(const std::string& isoDate);

// "Bank 3", or "No. 3" for an instrument's record.
std::string bankTitle(const InstrumentBank& bank);
// "Bank 3" for a bank the data do not hold.
std::string bankTitle(int number);

// A number with the locale's decimal separator, and a unit after a unitSpace; empty for none.
std::string quantityText(const std::optional<double>& number, const std::string& unit);

// A text the rules wrote with a decimal point ("≤ 2.88 Ω", "2/3") with the locale's separator.
std::string localDecimals(std::string text);

// The verdict's limit with the locale's separator and a unitSpace before its unit; empty
// without one.
std::string limitCellText(const Verdict& verdict);

// A reading with its unit and any style codes, as its row shows it: against a limit in
// thousandths (mA, ms) in the limit's unit ("198 mA" beside "150 … 300 mA", where the tree
// writes 0.198 A), otherwise as the tree writes it; a unitSpace before the unit.
std::string readingText(const InstrumentItem& item, const Verdict& verdict);

// "yes" or "no"; empty for none.
std::string yesNo(const std::optional<bool>& answer);

// The kind of revision ("initial" …) as the report's language names it; another text as it is.
std::string kindText(const std::string& kind);

// A defect's class as the report's language codes it: (a) or (b) in Czech, C1, C2, C3 or FI in
// English.
std::string defectClassCode(const std::string& defectClass);

// A check's result: satisfactory, a defect (crossed) or not applicable; empty for none.
std::string checkResultText(const std::string& result);

// The conclusion in the regulation's words; empty for none.
std::string conclusionSentence(const std::string& conclusion);

// What the keys of a period table's list name, in the report's language: "damp, dust".
std::string periodNames(const std::string& keys, const std::vector<RevisionPeriod>& table);

// The next revision's date and what set it: "7. 12. 2031 (set by the environment: damp,
// every 36 months)".
std::string nextRevisionText(const NextRevision& next);

}  // namespace kadenza
