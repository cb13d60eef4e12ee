#pragma once

#include <QString>

class QApplication;

namespace qv {

// Applies the "Cyan Dusk" look to the whole application. Returns an error
// text when the look cannot be applied (the plain look stays), empty on
// success.
QString applyCyanDusk(QApplication& app, const QString& styleSheetPath = ":/styles/cyan-dusk.qss");

}  // namespace qv
