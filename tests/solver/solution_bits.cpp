// Prints the bits hash of the fixed solutions, for a build on another
// architecture to compare with the one the suite expects.
#include <cstdio>

#include "solver/random_systems.h"

int main()
{
    const std::uint64_t bits = solutionBits();
    std::printf("%016llx\n", static_cast<unsigned long long>(bits));
    return bits == RecordedSolutionBits ? 0 : 1;
}
