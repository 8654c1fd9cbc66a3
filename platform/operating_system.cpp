#include "platform/operating_system.h"

#include <QFileInfo>
#include <QProcess>

#include "platform/runtime/runtime_error.h"
#include "platform/service_seam.h"

namespace platform {

namespace {

class QtOperatingSystem final : public OperatingSystem {
public:
    std::string fileExists(const std::string& path) override
    {
        const QFileInfo file(QString::fromLocal8Bit(path));
        return file.isFile() ? file.fileName().toLocal8Bit().toStdString() : std::string();
    }

    long startProgram(const std::string& path) override
    {
        qint64 pid = 0;
        if (path.empty() || !QProcess::startDetached(QString::fromLocal8Bit(path), {}, QString(), &pid))
            raiseFileNotFound();
        return static_cast<long>(pid);
    }
};

using Seam = ServiceSeam<OperatingSystem, QtOperatingSystem>;

}  // namespace

OperatingSystem& operatingSystem()
{
    return Seam::get();
}

void setOperatingSystem(OperatingSystem* system)
{
    Seam::replace(system);
}

}  // namespace platform
