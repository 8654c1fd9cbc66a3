#include "platform/read_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

#ifdef Q_OS_UNIX
ReadFile::Outcome outcomeOfError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadFile::Outcome::Missing;
    case ELOOP:
        return ReadFile::Outcome::Loop;
    case EACCES:
    case EPERM:
        return ReadFile::Outcome::NoPermission;
    default:
        return ReadFile::Outcome::Failed;
    }
}

ReadFile::Outcome outcomeOfKind(mode_t mode)
{
    if (S_ISREG(mode))
        return ReadFile::Outcome::Read;
    if (S_ISDIR(mode))
        return ReadFile::Outcome::Folder;
    if (S_ISFIFO(mode))
        return ReadFile::Outcome::Pipe;
    if (S_ISSOCK(mode))
        return ReadFile::Outcome::Socket;
    return ReadFile::Outcome::Device;
}

// The bytes of an open file, to its end or to one more than the most asked for.
void readWhole(int descriptor, qint64 maxBytes, ReadFile& file)
{
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            file.outcome = ReadFile::Outcome::Failed;
            return;
        }
        if (count == 0)
            return;
        file.bytes.append(buffer, count);
        if (file.bytes.size() > maxBytes) {  // it grew since
            file.outcome = ReadFile::Outcome::TooLarge;
            file.size = file.bytes.size();
            return;
        }
    }
}
#endif

}  // namespace


ReadFile readFile(const QString& path, qint64 maxBytes)
{
    ReadFile file;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        file.outcome = outcomeOfError(errno);
        return file;
    }
    file.size = info.st_size;
    if ((file.outcome = outcomeOfKind(info.st_mode)) != ReadFile::Outcome::Read)
        return file;
    if (file.size > maxBytes) {
        file.outcome = ReadFile::Outcome::TooLarge;
        return file;
    }
    // Not blocking, and checked again once open: the name may have come to
    // stand for a pipe in between.
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        file.outcome = outcomeOfError(errno);
        return file;
    }
    if (::fstat(descriptor, &info) != 0 || (file.outcome = outcomeOfKind(info.st_mode)) != ReadFile::Outcome::Read) {
        ::close(descriptor);
        return file;
    }
    readWhole(descriptor, maxBytes, file);
    ::close(descriptor);
#else
    const QFileInfo info(path);
    file.size = info.size();
    if (!info.exists())
        file.outcome = ReadFile::Outcome::Missing;
    else if (info.isDir())
        file.outcome = ReadFile::Outcome::Folder;
    else if (!info.isFile())
        file.outcome = ReadFile::Outcome::Device;
    else if (file.size > maxBytes)
        file.outcome = ReadFile::Outcome::TooLarge;
    else if (QFile input(path); !input.open(QIODevice::ReadOnly))
        file.outcome = info.isReadable() ? ReadFile::Outcome::Failed : ReadFile::Outcome::NoPermission;
    else {
        file.bytes = input.read(maxBytes + 1);
        file.outcome = file.bytes.size() > maxBytes ? ReadFile::Outcome::TooLarge : ReadFile::Outcome::Read;
    }
#endif
    return file;
}

}  // namespace platform
