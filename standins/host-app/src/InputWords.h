#pragma once

#include <string>
#include <vector>

#include "platform_win32.h"

namespace TESSARIL_HOST_APP {

// The records of one SendInput call in words, joined by " | "; a record that
// carries several actions joins them by " + ": "move abs 32768,21845 | left down",
// "key CAPITAL down | key CAPITAL up", "wheel -120", "right up + flags=0x0200".
std::string InputWords(const std::vector<INPUT>& records);

}  // namespace TESSARIL_HOST_APP
