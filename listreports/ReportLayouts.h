#pragma once

#include "platform/reportengine/ReportDefinition.h"

namespace listreports {

// The designs of the five list reports (millimetres on A4).
reportengine::ReportDefinition householdLayout();
reportengine::ReportDefinition peopleLayout();
reportengine::ReportDefinition diaryLayout();
reportengine::ReportDefinition privacyLayout();
reportengine::ReportDefinition helpLayout();

} // namespace listreports
