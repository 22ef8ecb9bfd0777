#include "undojournal.h"

#include "files/pendingfile.h"
#include "files/trash.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pelmora {

namespace {

QByteArray native(const QString &path) {
    return QFile::encodeName(path);
}

QByteArray line(const QJsonObject &object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QString cannotWrite(const QString &path, int error) {
    return QCoreApplication::translate("pelmora", "cannot write the undo journal %1: %2")
        .arg(path, qt_error_string(error));
}

struct Journal {
    QString numberBefore;
    QList<QJsonObject> steps;
};

// The journal's lines; a line cut short by a crash is no step.
Journal readJournal(const QByteArray &bytes) {
    Journal journal;
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray &text : lines) {
        const QJsonObject object = QJsonDocument::fromJson(text).object();
        if (object.contains(QStringLiteral("number")))
            journal.numberBefore = object.value(QStringLiteral("number")).toString();
        else if (!object.isEmpty())
            journal.steps.append(object);
    }
    return journal;
}

// An open journal file, locked while this process holds it: a running conversion holds its own.
class LockedFile {
public:
    explicit LockedFile(const QString &path)
        : m_fd(::open(native(path).constData(), O_RDONLY | O_CLOEXEC)) {}
    ~LockedFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool exists() const { return m_fd >= 0; }
    bool lock() const { return m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0; }

private:
    int m_fd;
};

qint64 modifiedMs(const QFileInfo &file) {
    return file.lastModified().toMSecsSinceEpoch();
}

QByteArray hashOfFile(const QString &path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

// Undoes one step, or says why not.
class StepUndoer {
public:
    explicit StepUndoer(bool dryRun)
        : m_dryRun(dryRun) {}

    void undo(const QJsonObject &step, UndoReport &report) {
        if (step.contains(QStringLiteral("writing")))
            removeOutput(step, report);
        else if (step.contains(QStringLiteral("setAside")))
            restore(step, report);
        else if (step.contains(QStringLiteral("renaming")))
            renameBack(step, report);
    }

private:
    void removeOutput(const QJsonObject &step, UndoReport &report) {
        const QString path = step.value(QStringLiteral("writing")).toString();
        const QFileInfo file(path);
        if (!file.exists())
            return; // never published
        if (file.size() != step.value(QStringLiteral("size")).toInteger() ||
            hashOfFile(path) != step.value(QStringLiteral("sha1")).toString().toLatin1()) {
            report.refused.append(
                QCoreApplication::translate("pelmora", "%1 was changed since; left as it is")
                    .arg(path));
            return;
        }
        if (!m_dryRun && !QFile::remove(path)) {
            report.refused.append(
                QCoreApplication::translate("pelmora", "cannot remove %1").arg(path));
            return;
        }
        report.done.append(QCoreApplication::translate("pelmora", "remove %1").arg(path));
    }

    void restore(const QJsonObject &step, UndoReport &report) {
        const QString path = step.value(QStringLiteral("setAside")).toString();
        const QString kept = step.value(QStringLiteral("to")).toString();
        if (!QFileInfo::exists(kept)) {
            report.refused.append(
                QCoreApplication::translate("pelmora", "%1 is no longer in the trash (%2)")
                    .arg(path, kept));
            return;
        }
        if (QFileInfo::exists(path)) {
            report.refused.append(
                QCoreApplication::translate("pelmora",
                                            "%1 is there again; the file it replaced is kept in %2")
                    .arg(path, kept));
            return;
        }
        if (!m_dryRun) {
            if (Status back = bringBack(kept, path); !back) {
                report.refused.append(back.reason());
                return;
            }
        }
        report.done.append(
            QCoreApplication::translate("pelmora", "bring %1 back from %2").arg(path, kept));
    }

    void renameBack(const QJsonObject &step, UndoReport &report) {
        const QString from = step.value(QStringLiteral("renaming")).toString();
        const QString to = step.value(QStringLiteral("to")).toString();
        const QFileInfo file(to);
        if (!file.exists()) {
            if (!QFileInfo::exists(from))
                report.refused.append(
                    QCoreApplication::translate("pelmora", "%1 is not there any more").arg(to));
            return; // not renamed after all
        }
        if (file.size() != step.value(QStringLiteral("size")).toInteger() ||
            modifiedMs(file) != step.value(QStringLiteral("modified")).toInteger()) {
            report.refused.append(
                QCoreApplication::translate("pelmora", "%1 was changed since; left as it is")
                    .arg(to));
            return;
        }
        if (!m_dryRun) {
            if (Status back = renameWithoutReplacing(to, from); !back) {
                report.refused.append(back.reason());
                return;
            }
        }
        report.done.append(QCoreApplication::translate("pelmora", "rename %1 back to %2")
                               .arg(to, QFileInfo(from).fileName()));
    }

    bool m_dryRun;
};

} // namespace

UndoJournal::UndoJournal(int fd)
    : m_fd(fd) {}

UndoJournal::~UndoJournal() {
    ::close(m_fd);
}

Result<std::unique_ptr<UndoJournal>> UndoJournal::start(const QString &path,
                                                        const QString &numberBefore) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The last conversion's backups can no longer be undone: they go, unless it still runs.
    {
        const LockedFile last(path);
        if (last.lock()) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly)) {
                for (const QJsonObject &step : readJournal(file.readAll()).steps) {
                    const QString kept = step.value(QStringLiteral("to")).toString();
                    if (step.contains(QStringLiteral("setAside")) && isBackup(kept))
                        QFile::remove(kept);
                }
            }
        }
    }
    // Written aside and renamed into place whole; two conversions starting at once each write
    // their own, and the later one's is the last conversion.
    const QString fresh = path + QStringLiteral(".%1.new").arg(QCoreApplication::applicationPid());
    const int fd =
        ::open(native(fresh).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return failure(cannotWrite(path, errno));
    ::flock(fd, LOCK_EX);
    std::unique_ptr<UndoJournal> journal(new UndoJournal(fd));
    if (Status header = journal->append(line({{QStringLiteral("number"), numberBefore}})); !header)
        return failure(header.reason());
    if (::rename(native(fresh).constData(), native(path).constData()) != 0)
        return failure(cannotWrite(path, errno));
    return journal;
}

Status UndoJournal::append(const QByteArray &bytes) {
    const QMutexLocker lock(&m_mutex);
    // One write per line: a crash leaves whole lines, and at most the last one cut short.
    const ssize_t written = ::write(m_fd, bytes.constData(), size_t(bytes.size()));
    if (written != bytes.size())
        return failure(QCoreApplication::translate("pelmora", "cannot write the undo journal: %1")
                           .arg(qt_error_string(written < 0 ? errno : ENOSPC)));
    return {};
}

Status UndoJournal::renaming(const QString &from, const QString &to) {
    const QFileInfo file(from);
    return append(line({{QStringLiteral("renaming"), from},
                        {QStringLiteral("to"), to},
                        {QStringLiteral("size"), file.size()},
                        {QStringLiteral("modified"), modifiedMs(file)}}));
}

Status UndoJournal::writing(const QString &output, qint64 size, const QByteArray &hash) {
    return append(line({{QStringLiteral("writing"), output},
                        {QStringLiteral("size"), size},
                        {QStringLiteral("sha1"), QString::fromLatin1(hash)}}));
}

Status UndoJournal::setAside(const QString &path, const QString &to) {
    return append(line({{QStringLiteral("setAside"), path}, {QStringLiteral("to"), to}}));
}

QByteArray UndoJournal::hashOf(const QByteArray &content) {
    return QCryptographicHash::hash(content, QCryptographicHash::Sha1).toHex();
}

QString undoJournalPath(const QString &driver) {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/undo-") + driver + QStringLiteral(".jsonl");
}

bool hasUndo(const QString &journalPath) {
    QFile file(journalPath);
    return file.open(QIODevice::ReadOnly) && !readJournal(file.readAll()).steps.isEmpty();
}

Result<UndoReport> undoLastConversion(const QString &journalPath, bool dryRun) {
    UndoReport report;
    const LockedFile journalFile(journalPath);
    if (!journalFile.exists())
        return report;
    if (!journalFile.lock())
        return failure(QCoreApplication::translate(
            "pelmora", "a conversion is still running; undo it once it has finished"));
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
    const Journal journal = readJournal(file.readAll());
    report.numberBefore = journal.numberBefore;
    StepUndoer undoer(dryRun);
    for (auto step = journal.steps.crbegin(); step != journal.steps.crend(); ++step)
        undoer.undo(*step, report);
    if (!dryRun)
        QFile::remove(journalPath);
    return report;
}

} // namespace pelmora
