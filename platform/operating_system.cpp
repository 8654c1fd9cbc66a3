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

ServiceSeam<OperatingSystem>& seam()
{
    static QtOperatingSystem real;
    static ServiceSeam<OperatingSystem> seam(real);
    return seam;
}

}  // namespace

OperatingSystem& operatingSystem()
{
    return seam().get();
}

void setOperatingSystem(OperatingSystem* system)
{
    seam().replace(system);
}

}  // namespace platform
