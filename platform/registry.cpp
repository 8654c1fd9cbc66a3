#include "platform/registry.h"

#include "platform/service_seam.h"

namespace platform {

namespace {

ServiceSeam<Registry>& seam()
{
    static ServiceSeam<Registry> seam(nativeRegistry());
    return seam;
}

}  // namespace

Registry& systemRegistry()
{
    return seam().get();
}

void setRegistry(Registry* registry)
{
    seam().replace(registry);
}

}  // namespace platform
