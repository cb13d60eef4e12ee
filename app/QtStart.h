#pragma once

#include <QApplication>
#include <memory>

namespace qv {

// Qt's application object. Where Qt finds no display it would abort with
// advice to reinstall; instead the program says that no display was found,
// in one line, and ends with status 1.
std::unique_ptr<QApplication> startApplicationOrExit(int& argc, char** argv);

}  // namespace qv
