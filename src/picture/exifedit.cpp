#include "exifedit.h"

#include "picture/metadatawarnings.h"
#include "picture/tiffifd.h"

#include <QCoreApplication>
#include <QStringList>
#include <utility>

namespace pelmora {

namespace {

constexpr quint16 kImageWidth = 0x0100;
constexpr quint16 kImageLength = 0x0101;
constexpr quint16 kOrientation = 0x0112;
constexpr quint16 kThumbnailOffset = 0x0201;
constexpr quint16 kThumbnailLength = 0x0202;
constexpr quint16 kExifIfdPointer = 0x8769;
constexpr quint16 kGpsIfdPointer = 0x8825;
constexpr quint16 kPixelXDimension = 0xA002;
constexpr quint16 kPixelYDimension = 0xA003;
constexpr quint16 kInteropIfdPointer = 0xA005;

// Where a sub-IFD pointer leads.
struct Followed {
    std::optional<TiffIfd> ifd;
    bool empty = false;   // no directory to look for: a count or an offset of 0
    bool rewrite = false; // followed, though not stored as one LONG
};

Followed follow(const TiffBytes &tiff, const TiffIfd::Entry &pointer) {
    const quint32 field = tiff.u32(pointer.at + 8);
    if (pointer.count == 0 || field == 0)
        return {std::nullopt, true, false};
    if (pointer.count == 1 && (pointer.type == kTiffLong || pointer.type == kTiffIfd))
        return {readIfd(tiff, field), false, false};
    // Writers that stored the offset under another type (a SHORT, UNDEFINED bytes), the value
    // still in the entry: followed only where it leads to what looks like a directory.
    QList<quint32> offsets;
    if (pointer.type == kTiffShort && pointer.count == 1)
        offsets = {tiff.u16(pointer.at + 8), field};
    else if (tiffTypeSize(pointer.type) * pointer.count <= 4)
        offsets = {field};
    for (const quint32 at : offsets)
        if (std::optional<TiffIfd> ifd = readLikelyIfd(tiff, at))
            return {std::move(ifd), false, true};
    return {};
}

struct Directory {
    const char *name; // as the editor's words name it
    TiffIfd ifd;
    bool kept = true; // false: cleared (the thumbnail's, the GPS IFD when it goes)
};

// The whole edit, found before anything is written: in damaged data the parts may overlap.
struct Plan {
    QList<Directory> directories; // every directory followed
    QList<ByteArea> kept;         // the directories and values that stay
    QList<ByteArea> cleared;      // those that go: the thumbnail, the GPS IFD unless kept
    QList<qint64> removed;        // entries taken out, by where their 12 bytes start
    QList<std::pair<qint64, quint32>> pointers; // pointer entries to store as one LONG
    Warnings warnings;
};

// Follows a pointer to a directory that stays. The directory, when there is one.
std::optional<TiffIfd> keep(const TiffBytes &tiff, const TiffIfd::Entry &pointer, const char *name,
                            bool warnWhenLost, Plan &plan) {
    Followed followed = follow(tiff, pointer);
    if (!followed.ifd) {
        plan.removed.append(pointer.at);
        if (!followed.empty && warnWhenLost)
            plan.warnings.append(exifPartLeftOut(
                QCoreApplication::translate("pelmora", "%1 cannot be read").arg(name)));
        return std::nullopt;
    }
    if (followed.rewrite)
        plan.pointers.append({pointer.at, quint32(followed.ifd->at)});
    plan.directories.append({name, *followed.ifd});
    plan.kept += areasOf(tiff, *followed.ifd);
    return followed.ifd;
}

// Takes the GPS pointer out and clears the directory wherever it can be found, even behind a
// pointer that says it is empty.
void clearGps(const TiffBytes &tiff, const TiffIfd::Entry &pointer, Plan &plan) {
    plan.removed.append(pointer.at);
    Followed followed = follow(tiff, pointer);
    if (followed.ifd)
        plan.directories.append({"GPS IFD", *followed.ifd, false});
    else
        followed.ifd = readLikelyIfd(tiff, tiff.u32(pointer.at + 8));
    if (followed.ifd)
        plan.cleared += areasOf(tiff, *followed.ifd);
}

void clearThumbnail(const TiffBytes &tiff, const TiffIfd &ifd0, Plan &plan) {
    const quint32 at = tiff.u32(ifd0.nextIfdAt());
    const std::optional<TiffIfd> ifd1 = at ? readIfd(tiff, at) : std::nullopt;
    if (!ifd1)
        return;
    plan.directories.append({"IFD1", *ifd1, false});
    plan.cleared += areasOf(tiff, *ifd1);
    const std::optional<TiffIfd::Entry> offset = ifd1->find(kThumbnailOffset);
    const std::optional<TiffIfd::Entry> length = ifd1->find(kThumbnailLength);
    const std::optional<quint32> thumbnailAt = offset ? numberOf(tiff, *offset) : std::nullopt;
    const std::optional<quint32> thumbnailLength = length ? numberOf(tiff, *length) : std::nullopt;
    if (thumbnailAt && thumbnailLength)
        plan.cleared.append({*thumbnailAt, *thumbnailLength});
}

bool holdsWholeNumbers(quint16 type) {
    return type == 1 || type == kTiffShort || type == kTiffLong || type == 6 || type == 8 ||
           type == 9; // BYTE, SHORT, LONG, SBYTE, SSHORT, SLONG
}

// Sets an entry of whole numbers to one value: one SHORT when asked for or when it was SHORT and
// the value fits, else one LONG. False for an entry that holds no whole number.
bool setToOne(TiffBytes &tiff, const TiffIfd::Entry &e, quint32 value, bool asShort) {
    if (!holdsWholeNumbers(e.type))
        return false;
    const bool toShort = (asShort || e.type == kTiffShort) && value <= 0xFFFF;
    tiff.put16(e.at + 2, toShort ? kTiffShort : kTiffLong);
    tiff.put32(e.at + 4, 1);
    if (toShort) {
        tiff.put16(e.at + 8, value);
        tiff.put16(e.at + 10, 0);
    } else {
        tiff.put32(e.at + 8, value);
    }
    return true;
}

void setOrRemove(TiffBytes &tiff, const TiffIfd &ifd, quint16 tag, quint32 value, Plan &plan,
                 bool asShort = false) {
    if (const std::optional<TiffIfd::Entry> e = ifd.find(tag);
        e && !setToOne(tiff, *e, value, asShort))
        plan.removed.append(e->at);
}

// Takes out the entries of the directories that stay whose values lie outside the structure, as
// a damaged or cut EXIF has them; the entries beside them stay.
void leaveOutStrayEntries(const TiffBytes &tiff, Plan &plan) {
    QStringList lost;
    for (const Directory &directory : std::as_const(plan.directories)) {
        if (!directory.kept)
            continue;
        QStringList tags;
        for (const TiffIfd::Entry &e : directory.ifd.entries) {
            const qint64 size = tiffTypeSize(e.type) * qint64(e.count);
            if (size > 4 && !tiff.has(tiff.u32(e.at + 8), size)) {
                plan.removed.append(e.at);
                tags.append(QStringLiteral("0x%1").arg(e.tag, 4, 16, QLatin1Char('0')));
            }
        }
        if (!tags.isEmpty())
            lost.append(QCoreApplication::translate("pelmora", "%1 entries %2")
                            .arg(QLatin1String(directory.name), tags.join(QLatin1String(", "))));
    }
    if (!lost.isEmpty())
        plan.warnings.append(exifEntriesLeftOut(
            QCoreApplication::translate("pelmora", "%1 point beyond the EXIF's %2 bytes")
                .arg(lost.join(QLatin1String("; ")))
                .arg(tiff.size())));
}

// Writes the directory again without the removed entries, the freed bytes zeroed.
void compact(TiffBytes &tiff, const TiffIfd &ifd, const QList<qint64> &removed, quint32 next) {
    qint64 to = ifd.at + 2;
    for (const TiffIfd::Entry &e : ifd.entries) {
        if (removed.contains(e.at))
            continue;
        if (to != e.at)
            tiff.move(to, e.at, 12);
        to += 12;
    }
    tiff.put16(ifd.at, quint32((to - ifd.at - 2) / 12));
    tiff.put32(to, next);
    tiff.zero(to + 4, ifd.nextIfdAt() - to);
}

// The length without the cleared bytes that end the structure.
qint64 lengthWithout(const QList<ByteArea> &cleared, qint64 length) {
    for (qsizetype i = cleared.size() - 1; i >= 0; --i) {
        const ByteArea &area = cleared[i];
        if (area.at >= length)
            continue;
        return area.end() >= length ? qMax<qint64>(area.at, 8) : length;
    }
    return length;
}

} // namespace

Result<EditedExif> exifForResized(QByteArray bytes, QSize pixels, bool keepLocation) {
    TiffBytes tiff(bytes);
    if (!tiff.readHeader())
        return failure(QCoreApplication::translate("pelmora", "the EXIF has no TIFF header"));
    const std::optional<TiffIfd> ifd0 = readIfd(tiff, tiff.u32(4));
    if (!ifd0)
        return failure(QCoreApplication::translate("pelmora", "IFD0 cannot be read"));

    Plan plan;
    plan.directories.append({"IFD0", *ifd0});
    plan.kept += areasOf(tiff, *ifd0);
    std::optional<TiffIfd> exifIfd;
    if (const std::optional<TiffIfd::Entry> pointer = ifd0->find(kExifIfdPointer))
        exifIfd = keep(tiff, *pointer, "Exif IFD", true, plan);
    const quint32 afterExifIfd = exifIfd ? tiff.u32(exifIfd->nextIfdAt()) : 0;
    if (exifIfd)
        if (const std::optional<TiffIfd::Entry> pointer = exifIfd->find(kInteropIfdPointer))
            (void)keep(tiff, *pointer, "Interoperability IFD", false, plan);
    if (const std::optional<TiffIfd::Entry> pointer = ifd0->find(kGpsIfdPointer)) {
        if (keepLocation)
            (void)keep(tiff, *pointer, "GPS IFD", true, plan);
        else
            clearGps(tiff, *pointer, plan);
    }
    clearThumbnail(tiff, *ifd0, plan);

    for (qsizetype i = 0; i < plan.directories.size(); ++i)
        for (qsizetype j = i + 1; j < plan.directories.size(); ++j)
            if (plan.directories[i].ifd.area().overlaps(plan.directories[j].ifd.area()))
                return failure(QCoreApplication::translate("pelmora", "%1 and %2 overlap")
                                   .arg(plan.directories[i].name, plan.directories[j].name));

    leaveOutStrayEntries(tiff, plan);

    // Cleared bytes that something kept shares stay as they are.
    const QList<ByteArea> cleared = outside(plan.cleared, plan.kept);
    for (const ByteArea &area : cleared)
        tiff.zero(area.at, area.length);

    // Upright, and the size of the pixels.
    setOrRemove(tiff, *ifd0, kOrientation, 1, plan, true);
    setOrRemove(tiff, *ifd0, kImageWidth, quint32(pixels.width()), plan);
    setOrRemove(tiff, *ifd0, kImageLength, quint32(pixels.height()), plan);
    if (exifIfd) {
        setOrRemove(tiff, *exifIfd, kPixelXDimension, quint32(pixels.width()), plan);
        setOrRemove(tiff, *exifIfd, kPixelYDimension, quint32(pixels.height()), plan);
    }
    for (const auto &[at, offset] : std::as_const(plan.pointers)) {
        tiff.put16(at + 2, kTiffLong);
        tiff.put32(at + 4, 1);
        tiff.put32(at + 8, offset);
    }

    compact(tiff, *ifd0, plan.removed, 0); // IFD1 unlinked
    if (exifIfd)
        compact(tiff, *exifIfd, plan.removed, afterExifIfd);
    for (const Directory &directory : std::as_const(plan.directories))
        if (directory.kept && directory.ifd.at != ifd0->at &&
            (!exifIfd || directory.ifd.at != exifIfd->at))
            compact(tiff, directory.ifd, plan.removed, tiff.u32(directory.ifd.nextIfdAt()));
    tiff.truncate(lengthWithout(cleared, tiff.size()));
    return EditedExif{std::move(bytes), std::move(plan.warnings)};
}

} // namespace pelmora
