#pragma once

#include <windows.h>

#include <chrono>

// Injected input reaches a window when its thread takes the message, some
// time after SendInput has returned: checks poll until the condition holds or
// the time is up, and return the condition's last answer.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(5))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        Sleep(10);
    }
    return true;
}
