#pragma once

#include <QString>

class QWidget;

namespace app::startup {

// Where a database file of the data folder is still a Jet file, asks once
// whether to convert it, keeping the original as "<name>.jet.mdb". On No, or
// when the conversion fails (its reason shown), the files stay as they were,
// and opening them then fails as it always did.
void offerJetConversion(const QString &folder, QWidget *parent);

} // namespace app::startup
