#pragma once

class QWidget;

namespace qv {

// The controls of the four mapping pages and the "Info" page, built into
// the given (empty) page widgets with their names, places and defaults.
void buildLandingGearPage(QWidget* page);
void buildMagnetoPage(QWidget* page);
void buildPanelKeysPage(QWidget* page);
void buildBottomPanelKeysPage(QWidget* page);
void buildInfoPage(QWidget* page);

}  // namespace qv
