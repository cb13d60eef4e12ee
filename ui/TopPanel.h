#pragma once

class QWidget;

namespace qv {

// The top panel (Panel4) with the file buttons, the "Get Key Code" group,
// the titles, the simulator status and the logo. "Save" (Button1) belongs to
// the window and lies over the panel.
void buildTopPanel(QWidget* window);

}  // namespace qv
