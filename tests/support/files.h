#pragma once

// Real files in a test's temporary folder: reading, writing, and plain descriptions of a whole
// folder tree, so that a test states every file it expects and notices every file it does not.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

QByteArray readFile(const QString &path);
// Writes the bytes, making the folders on the way.
bool writeFile(const QString &path, const QByteArray &bytes);
// Writes bytes into a test's folder under name; the test cannot go on without it.
QString place(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);

// A test's temporary folder that places files by name.
class TestFolder : public QTemporaryDir {
public:
    QString place(const QString &name, const QByteArray &bytes) const {
        return testsupport::place(*this, name, bytes);
    }
};
QString writeText(const QString &path, const QByteArray &text = "not a picture\n");
// Writes a file into an existing folder under a name given as bytes: one that is no valid UTF-8,
// which Qt cannot spell.
bool writeFileNamed(const QString &folder, const QByteArray &name, const QByteArray &bytes);
// Removes a folder and everything in it, whatever the names and the permissions.
void removeTree(const QString &root);

// The plain files of a folder, by name.
QStringList files(const QString &folder);
// Every entry of a folder, hidden ones included, by name.
QStringList allNames(const QString &folder);

// The SHA-1 of the bytes in hexadecimal, as describeTree shows an unknown file.
QString sha1(const QByteArray &bytes);

// Every file below root with its bytes, by relative path.
QHash<QString, QByteArray> snapshot(const QString &root);

// Every file under root as "relative/path=what": "=photo N" for the bytes of photoBytes(N),
// "=jpeg WxH" for another decodable JPEG, "=bytes:HASH" otherwise; folders as "relative/".
QStringList describeTree(const QString &root, const QList<int> &seeds = {1, 2, 3, 4, 5});

// Every file under root with a hash of its bytes, for comparing two runs.
QStringList fingerprintTree(const QString &root);

} // namespace testsupport
