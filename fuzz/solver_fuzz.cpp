// The rotation solver against any system of 2 to 8 finite equations.
//
// Byte 0 picks n; then 8 bytes per coefficient, row by row, and per
// right-hand side, read as doubles (tiny, huge, zero and denormal included);
// one that is not finite becomes 0. The solve must end in a solution with
// finite unknowns, a near-singular report, or the runtime's overflow error.

#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/runtime/runtime_error.h"
#include "solver/peremennye.h"
#include "solver/yadro.h"

namespace {

double entry(const std::uint8_t* data, std::size_t size, std::size_t& at)
{
    double value = 0;
    if (at + sizeof value <= size)
        std::memcpy(&value, data + at, sizeof value);
    at += sizeof value;
    return std::isfinite(value) ? value : 0.0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int n = 2 + data[0] % 7;
    Peremennye& state = peremennye();
    state = Peremennye{};
    state.kol_neizv = std::u16string(1, static_cast<char16_t>(u'0' + n));
    std::size_t at = 1;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            state.matr_kopiya(i, j) = state.matr_rassh(i, j) = entry(data, size, at);
    for (int i = 1; i <= n; ++i)
        state.otvety_kopiya(i) = state.matr_rassh(i, n + 1) = entry(data, size, at);

    try {
        yadro_proc1();
    } catch (const platform::RuntimeError& error) {
        if (error.number() != platform::error::Overflow)
            __builtin_trap();  // every divisor is tested first: an overflow is the only error a solve can raise
        return 0;
    }
    if (state.est_resh) {
        for (int j = 1; j <= n; ++j) {
            if (!std::isfinite(state.x_resh(j).value()))
                __builtin_trap();  // no NaN or infinity is ever a solution
        }
    }
    return 0;
}
