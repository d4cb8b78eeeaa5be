#pragma once

#include <string>
#include <string_view>

namespace SimulatedDesktop {

// A window's class name or title as Windows keeps it: UTF-16 code units. The
// A functions see it in code page 1252, approximated here as ISO-8859-1 with
// '?' for every character above U+00FF, as Windows substitutes characters the
// code page cannot show.
class WindowText {
public:
    WindowText() = default;

    // Malformed UTF-8 becomes U+FFFD, one per offending byte.
    static WindowText FromUtf8(std::string_view utf8);

    // Both copy at most capacity - 1 characters and a terminating NUL and return
    // the number copied, as GetWindowText and GetClassName do; a null buffer or
    // a capacity below 1 copies nothing.
    int CopyTo(wchar_t* buffer, int capacity) const;
    int CopyTo(char* buffer, int capacity) const;

private:
    std::string ToAnsi() const;

    std::u16string units;
};

}  // namespace SimulatedDesktop
