#pragma once

#include <memory>
#include <string>
#include <vector>

#include "inspection/Details.h"

namespace kadenza {

// The details of an inspection as a data file keeps them: one JSON document,
// {"version": 1, "inspection": {...}, "banks": {"3": {...}}}, the banks keyed by their
// numbers. Keys this program does not know are kept as they came. A document nobody gave a
// detail is empty, and a data file without details has no section for it.
class DetailsDocument {
  public:
    DetailsDocument();
    ~DetailsDocument();
    DetailsDocument(const DetailsDocument& other);
    DetailsDocument& operator=(const DetailsDocument& other);

    // Throws std::runtime_error naming what is wrong: not JSON, not an object, another
    // version, a known detail with a value it cannot take.
    static DetailsDocument fromJson(const std::string& text);
    // Compact for the file, indented for people; the keys in order, so that the same details
    // give the same bytes.
    std::string toJson(bool indented = false) const;

    bool empty() const;
    InspectionDetails inspection() const;
    // The details of the bank with this number; all absent when none were given.
    BankDetails bank(int number) const;
    // The numbers of the banks that have details, in order.
    std::vector<int> bankNumbers() const;

    // Sets one detail by its name, "inspection.client" or "bank.3.device", from the text a
    // user typed; an empty text removes it. Throws std::invalid_argument for an unknown name
    // or a value the detail cannot take.
    void set(const std::string& name, const std::string& value);

  private:
    struct Json;
    std::unique_ptr<Json> json_;
};

}  // namespace kadenza
