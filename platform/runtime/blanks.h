#pragma once

namespace platform {

// A blank between words or digits as the program's texts meet it: a space,
// a no-break space (Russian digit groups), a narrow no-break space.
inline bool isSpaceKind(char16_t c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

}  // namespace platform
