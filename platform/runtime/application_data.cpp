#include "platform/runtime/application_data.h"

#include "platform/runtime/application_version.h"

namespace platform {

std::string applicationTitle()
{
    return "Реализация метода вращений";
}

int versionMajor()
{
    return TESKORA_VERSION_MAJOR;
}

int versionMinor()
{
    return TESKORA_VERSION_MINOR;
}

int versionRevision()
{
    return TESKORA_VERSION_REVISION;
}

std::string versionText()
{
    return "Version " + std::to_string(versionMajor()) + "." + std::to_string(versionMinor()) + "."
           + std::to_string(versionRevision());
}

}  // namespace platform
