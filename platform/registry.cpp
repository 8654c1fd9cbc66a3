#include "registry.h"

namespace platform {

// The system's registry: the real one on Windows, the adapter elsewhere.
Registry& nativeRegistry();

namespace {

Registry*& replacement()
{
    static Registry* registry = nullptr;
    return registry;
}

}  // namespace

Registry& systemRegistry()
{
    return replacement() ? *replacement() : nativeRegistry();
}

void setRegistry(Registry* registry)
{
    replacement() = registry;
}

}  // namespace platform
