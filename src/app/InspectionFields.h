#pragma once

#include <QString>
#include <vector>

#include "app/DetailField.h"
#include "inspection/Details.h"

namespace kadenza {

// The inspection's own details on the editor's tabs: the revision (its kind, number, dates,
// the inspector and the rules it is judged by) and the installation (who runs it, what it is,
// what was revised, its environment).
const std::vector<DetailField>& revisionFields();
const std::vector<DetailField>& installationFields();

// The detail "inspection.KEY" as a field shows it.
QString inspectionValue(const InspectionDetails& inspection, const std::string& key);

}  // namespace kadenza
