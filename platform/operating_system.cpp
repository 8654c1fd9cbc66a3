#include "operating_system.h"

#include <QFileInfo>
#include <QProcess>

#include "runtime_error.h"

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

OperatingSystem*& replacement()
{
    static OperatingSystem* system = nullptr;
    return system;
}

}  // namespace

OperatingSystem& operatingSystem()
{
    static QtOperatingSystem real;
    return replacement() ? *replacement() : real;
}

void setOperatingSystem(OperatingSystem* system)
{
    replacement() = system;
}

}  // namespace platform
