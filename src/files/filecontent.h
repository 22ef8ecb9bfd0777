#pragma once

#include "result/result.h"

#include <QByteArray>
#include <QFile>
#include <QString>

struct XXH3_state_s;

namespace pelmora {

// What a file held, as the undo journal records it: its size and the hash of its bytes (of a
// symbolic link, of the path it holds). Enough to prove that a file found later is the one that
// was recorded; not meant against someone who can write into the user's own trash.
struct FileDigest {
    qint64 size = -1;
    QByteArray hash; // hexadecimal

    friend bool operator==(const FileDigest &, const FileDigest &) = default;
};

FileDigest digestOf(const QByteArray &bytes);

// The digest of bytes that come in pieces.
class Digester {
public:
    Digester();
    ~Digester();
    Digester(const Digester &) = delete;
    Digester &operator=(const Digester &) = delete;

    void add(const char *bytes, qint64 size);
    FileDigest digest() const;

private:
    XXH3_state_s *m_state;
    qint64 m_size = 0;
};
// The digest of the file at path as it is now, without following a symbolic link.
Result<FileDigest> digestOfFile(const QString &path);

// Whether anything has the name: a file, a folder, or a symbolic link, dangling or not.
bool isOnDisk(const QString &path);

// Why a photo file could not be read, in words for the user.
Failure photoNotRead(const QFile &file);

// Which file a path named at one moment: a file changed or replaced since has another identity.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of the file at path (a symbolic link followed); an empty one when there is none.
FileIdentity identityOf(const QString &path);

// A photo file's bytes, read whole, and the identity of the file they were read from.
struct PhotoBytes {
    QByteArray bytes;
    FileIdentity identity;
};

// A photo file opened for reading: whatever becomes of its name meanwhile (renamed, replaced, set
// aside), it reads the file that the name gave when it was opened.
class PhotoFile {
public:
    static Result<PhotoFile> open(const QString &path);
    PhotoFile(PhotoFile &&other) noexcept;
    PhotoFile &operator=(PhotoFile &&) = delete;
    PhotoFile(const PhotoFile &) = delete;
    ~PhotoFile();

    const FileIdentity &identity() const { return m_identity; }
    // The whole file, from its start; safe on any thread, one at a time.
    Result<PhotoBytes> read() const;

private:
    PhotoFile() = default;
    int m_fd = -1;
    FileIdentity m_identity;
};

Result<PhotoBytes> readPhoto(const QString &path);

} // namespace pelmora
