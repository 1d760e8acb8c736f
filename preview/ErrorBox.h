#pragma once
// The preview's error message box. Where nobody can answer a box (the offscreen and minimal
// platforms of tests and CI, or no widget application) the message goes to standard error
// instead, as one line, so that nothing waits for a click that never comes.

#include <QString>

class QWidget;

namespace ErrorBox {

void show(QWidget* parent, const QString& text);

}
