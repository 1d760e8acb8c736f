#pragma once
// The one clock of the program (table names, today's date). Tests set it.

#include <QDateTime>
#include <optional>

namespace Clock {

QDateTime now();
QDate today();
// Fixes the clock at a moment (tests); std::nullopt returns to the system clock.
void set(std::optional<QDateTime> moment);

}
