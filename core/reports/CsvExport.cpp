#include "core/reports/CsvExport.h"

#include "core/reports/CsvTable.h"
#include "core/reports/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QObject>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// A file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closes it; the system's error number, or 0.
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// All of `bytes` in one write at the end of the file; the system's error number, or 0. A write
// the disk took only part of is a full disk.
int appendAll(int fd, const QByteArray &bytes)
{
    ssize_t written;
    do {
        written = ::write(fd, bytes.constData(), static_cast<size_t>(bytes.size()));
    } while (written < 0 && errno == EINTR);
    if (written < 0)
        return errno;
    if (written != bytes.size())
        return ENOSPC;
    return ::fsync(fd) == 0 ? 0 : errno;
}

SaveOutcome failed(SaveOutcome outcome, int error)
{
    outcome.result = SaveOutcome::Result::NotWritten;
    outcome.reason = SaveOutcome::reasonOf(error, outcome.path);
    return outcome;
}

// The row at the end of the open table `fd`, which holds `size` bytes.
SaveOutcome append(SaveOutcome outcome, Descriptor &fd, qint64 size, const RecordRow &row)
{
    QByteArray bytes;
    qint64 before = 0;
    if (size == 0) {
        bytes = CsvTable::line(row.columns()) + CsvTable::line(row.values());
        outcome.result = SaveOutcome::Result::Written;
    } else {
        QFile reader;
        if (!reader.open(fd.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            return failed(outcome, EIO);
        const CsvTable table = CsvTable::judge(reader, size, row.kind());
        if (!table.refusal.isEmpty()) {
            outcome.reason = table.refusal;
            return outcome;
        }
        before = table.keep;
        if (before < size && ::ftruncate(fd.get(), before) != 0)
            return failed(outcome, errno);
        bytes = (table.unended ? table.ending : QByteArray()) +
                CsvTable::line(row.values(), table.ending);
        outcome.result = SaveOutcome::Result::Appended;
    }
    int error = appendAll(fd.get(), bytes);
    if (error != 0) {
        // The table as it was, or as near as the device lets it be.
        const bool undone = ::ftruncate(fd.get(), before) == 0 && ::fsync(fd.get()) == 0;
        outcome = failed(outcome, error);
        outcome.result = undone ? SaveOutcome::Result::NotWritten : SaveOutcome::Result::Damaged;
        return outcome;
    }
    if ((error = fd.close()) != 0) {
        outcome = failed(outcome, error);
        outcome.result = SaveOutcome::Result::Damaged;
    }
    return outcome;
}

// A new table, where no file was: claimed first, so that no other program makes one beside it,
// then written whole.
SaveOutcome create(SaveOutcome outcome, const QByteArray &name, const RecordRow &row)
{
    outcome.reason = wholefile::write(outcome.path,
                                      CsvTable::line(row.columns()) + CsvTable::line(row.values()));
    if (!outcome.reason.isEmpty()) {
        ::unlink(name.constData()); // the empty file it claimed
        return outcome;
    }
    outcome.result = SaveOutcome::Result::Written;
    return outcome;
}

// Why the lock file beside the table could not be made, as the system's error number.
int lockError(const QLockFile &lock, const QString &path)
{
    if (lock.error() == QLockFile::PermissionError)
        return EACCES;
    struct statvfs disk {};
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::statvfs(folder.constData(), &disk) == 0 && disk.f_bavail == 0 ? ENOSPC : EIO;
}

} // namespace

SaveOutcome CsvExport::write(const RecordRow &row, const QString &path)
{
    SaveOutcome outcome;
    outcome.kind = row.kind();
    outcome.format = SaveOutcome::Format::Csv;
    outcome.path = path;

    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(busyWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError) {
            outcome.reason = QObject::tr("another program is adding a row to it; try again in a "
                                         "moment");
            return outcome;
        }
        return failed(outcome, lockError(lock, path));
    }
    const QByteArray name = QFile::encodeName(path);
    for (;;) {
        Descriptor table(::open(name.constData(), O_RDWR | O_APPEND | O_CLOEXEC));
        if (table.get() >= 0) {
            struct stat status {};
            if (::fstat(table.get(), &status) != 0)
                return failed(outcome, errno);
            if (!S_ISREG(status.st_mode)) {
                outcome.reason = QObject::tr("it is not a CSV file");
                return outcome;
            }
            return append(outcome, table, status.st_size, row);
        }
        if (errno != ENOENT)
            return failed(outcome, errno);
        Descriptor claim(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (claim.get() >= 0)
            return create(outcome, name, row);
        if (errno != EEXIST)
            return failed(outcome, errno);
        // Made by a program that takes no lock since we looked: extended instead.
    }
}
