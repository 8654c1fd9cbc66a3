#include "checked_double.h"

namespace platform {

CheckedDouble sqrt(CheckedDouble a)
{
    if (a.value() < 0.0)
        raiseInvalidCall();
    return CheckedDouble(std::sqrt(a.value()));
}

}  // namespace platform
