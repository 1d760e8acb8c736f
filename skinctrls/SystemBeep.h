#pragma once
// The system beep of the controls (a refused key). Tests count beeps through the hook.

#include <functional>

void SystemBeep();
// Replaces the beep (tests); an empty function restores the real one.
void setSystemBeepHook(std::function<void()> hook);
