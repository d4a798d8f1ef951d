#pragma once

#include "platform/report/ReportDefinition.h"

namespace reports {

// The designs of the five list reports (millimetres on A4).
report::ReportDefinition householdLayout();
report::ReportDefinition peopleLayout();
report::ReportDefinition diaryLayout();
report::ReportDefinition privacyLayout();
report::ReportDefinition helpLayout();

} // namespace reports
