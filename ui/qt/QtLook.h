#pragma once

#include <QColor>
#include <QString>
#include <optional>

#include "form/Form.h"

class QApplication;
class QFrame;
class QWidget;

namespace qv {

// Applies the "Cyan Dusk" look to the whole application. Returns an error
// text when the look cannot be applied (the plain look stays), empty on
// success.
QString applyCyanDusk(QApplication& app, const QString& styleSheetPath = ":/styles/cyan-dusk.qss");

// The colours, frames and backgrounds of single controls, over the look.
QString cssColour(Rgb colour);
QColor qcolour(Rgb colour, int alpha = 255);
void setFrame(QFrame* frame, Bevel bevel);
void fillBackground(QWidget* widget, Rgb colour);
// The style sheet of an edit with its own colours.
QString editStyle(Rgb background, std::optional<Rgb> text);

}  // namespace qv
