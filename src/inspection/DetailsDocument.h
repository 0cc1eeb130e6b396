#pragma once

#include <memory>
#include <string>
#include <vector>

#include "inspection/Details.h"

namespace kadenza {

// The details of an inspection as a data file keeps them: one JSON document,
// {"version": 1, "inspection": {...}, "banks": {"3": {...}}, "instruments": {"1": {...}},
// "checks": {...}, "defects": {"1": {...}}}, the numbered parts keyed by their numbers. Keys this
// program does not know are kept as they came. A document nobody gave a detail is empty, and a data
// file without details has no section for it.
class DetailsDocument {
  public:
    DetailsDocument();
    ~DetailsDocument();
    DetailsDocument(const DetailsDocument& other);
    DetailsDocument& operator=(const DetailsDocument& other);
    DetailsDocument(DetailsDocument&& other);
    DetailsDocument& operator=(DetailsDocument&& other);

    // The details as a data file holds them. Throws std::runtime_error naming what is wrong:
    // not JSON, not an object, another version, a part that is no object. A known detail
    // with a value `set` would refuse is kept as it is: the verdicts take it as missing.
    static DetailsDocument fromJson(const std::string& text);
    // Details a user gives whole (an import): throws as fromJson does and also for a known
    // detail with a value `set` refuses, or a next date before the inspection's.
    static DetailsDocument imported(const std::string& text);
    // Compact for the file, indented for people; the keys in order, so that the same details
    // give the same bytes.
    std::string toJson(bool indented = false) const;

    bool empty() const;
    InspectionDetails inspection() const;
    // The details of the bank with this number; all absent when none were given.
    BankDetails bank(int number) const;
    // The numbers of the banks that have details, in order.
    std::vector<int> bankNumbers() const;
    // The instruments and the defects, by their numbers. Instrument 1 is the one the
    // measurements were downloaded from: its model and serial number are the inspection's
    // where it has none of its own.
    std::vector<InstrumentDetails> instruments() const;
    std::vector<DefectDetails> defects() const;
    // The result of a check of the checklist ("ok", "defect", "na"); empty when none is given.
    std::string check(const std::string& name) const;

    // Sets one detail by its name, "inspection.client", "bank.3.device", "instrument.1.serial",
    // "check.connections" or "defect.2.class", from the text a user typed, as the verdicts
    // read it; an empty or blank text removes it, and the document is empty again once no detail is
    // left. Throws std::invalid_argument, the document
    // unchanged, for an unknown name or a value the detail cannot take (a day the calendar
    // does not have, an RCD current outside the rated series).
    void set(const std::string& name, const std::string& value);
    // Throws std::invalid_argument when details that each can be true cannot be together:
    // dates out of order (the revision's start, end, report and handover; a next revision
    // before this one), or the conclusion "safe" beside a defect of class danger, potential or
    // investigate. For after a user's changes, which may pass through such a state one detail at a
    // time.
    void checkConsistent() const;

    // Whether the detail of that name holds a date; false for a name no detail has.
    static bool holdsDate(const std::string& name);

  private:
    static DetailsDocument parsed(const std::string& text, bool typed);

    struct Json;
    std::unique_ptr<Json> json_;
};

}  // namespace kadenza
