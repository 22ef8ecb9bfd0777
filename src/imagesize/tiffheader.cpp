#include "tiffheader.h"

#include "headerfile.h"

#include <cstring>
#include <utility>

namespace pelmora::detail {

namespace {

constexpr int MaxEntries = 256;
constexpr int MaxSubDirectories = 8;
constexpr int MaxDirectoriesWalked = 16;

// PhotometricInterpretation of a camera sensor's data: a colour filter array, or linear values
// already demosaiced (a DNG's LinearRaw).
bool isSensorData(quint32 photometric) {
    return photometric == 32803 || photometric == 34892;
}

// The RAW format of a camera's maker, by how the camera writes its name in Make.
QString rawFormatOfMaker(const QByteArray &make) {
    static const std::pair<const char *, const char *> formats[] = {
        {"NIKON", "NEF"},     {"SONY", "ARW"},          {"PENTAX", "PEF"},      {"RICOH", "PEF"},
        {"SAMSUNG", "SRW"},   {"Hasselblad", "3FR"},    {"SEIKO EPSON", "ERF"}, {"Mamiya", "MEF"},
        {"Leaf", "MOS"},      {"EASTMAN KODAK", "DCR"}, {"Kodak", "DCR"},       {"Canon", "CR2"},
        {"Phase One", "IIQ"}, {"OLYMPUS", "ORF"},       {"Panasonic", "RW2"},
    };
    for (const auto &[maker, format] : formats) {
        if (make.startsWith(maker))
            return QString::fromLatin1(format);
    }
    return QStringLiteral("RAW");
}

} // namespace

quint32 TiffStructure::u16(const unsigned char *p) const {
    return m_little ? le16(p) : be16(p);
}

quint32 TiffStructure::u32(const unsigned char *p) const {
    return m_little ? le32(p) : be32(p);
}

std::optional<TiffStructure::Header> TiffStructure::readHeader(ByteSource &source, qint64 base,
                                                               qint64 end) {
    if (end - base < 8)
        return std::nullopt;
    const unsigned char *p = source.bytes(base, 8);
    if (!p)
        return std::nullopt;
    Header header;
    if (p[0] == 'I' && p[1] == 'I')
        header.littleEndian = true;
    else if (p[0] == 'M' && p[1] == 'M')
        header.littleEndian = false;
    else
        return std::nullopt;
    header.magic = header.littleEndian ? le16(p + 2) : be16(p + 2);
    header.first = header.littleEndian ? le32(p + 4) : be32(p + 4);
    if (header.first < 8 || header.first > end - base - 2)
        return std::nullopt;
    return header;
}

std::optional<TiffDirectory> TiffStructure::directory(qint64 offset) {
    if (offset < 8 || offset > m_end - m_base - 2)
        return std::nullopt;
    const qint64 at = m_base + offset;
    const unsigned char *p = m_source.bytes(at, 2);
    if (!p)
        return std::nullopt;
    const qint64 declared = u16(p);
    const qint64 entries = at + 2;
    const qint64 count = qMin<qint64>(qMin<qint64>(declared, (m_end - entries) / 12), MaxEntries);
    if (count <= 0)
        return std::nullopt;
    p = m_source.bytes(entries, qsizetype(count * 12));
    if (!p)
        return std::nullopt;

    TiffDirectory directory;
    bool orientationSeen = false;
    unsigned char subEntry[12];
    bool subSeen = false;
    unsigned char makeEntry[12];
    bool makeSeen = false;
    for (qint64 i = 0; i < count; ++i) {
        const unsigned char *entry = p + i * 12;
        const quint32 tag = u16(entry);
        const quint32 type = u16(entry + 2);
        const quint32 values = u32(entry + 4);
        // A SHORT is left-justified in the value field.
        const auto number = [&]() -> std::optional<quint32> {
            if (values < 1 || (type != 3 && type != 4))
                return std::nullopt;
            return type == 3 ? u16(entry + 8) : u32(entry + 8);
        };
        switch (tag) {
        case 0x100:
        case 0x101: {
            qint64 &target = tag == 0x100 ? directory.width : directory.height;
            if (target < 0) // the first good one counts
                target = number() ? qint64(*number()) : -1;
            break;
        }
        case 0xFE:
            directory.subfileType = number().value_or(0);
            break;
        case 0x106:
            directory.photometric = number().value_or(0);
            break;
        case 0x112:
            if (!orientationSeen && type == 3 && values == 1) {
                const quint32 value = u16(entry + 8);
                directory.orientation = value >= 1 && value <= 8 ? int(value) : 0;
            }
            orientationSeen = true;
            break;
        case 0x10F:
            if (!makeSeen)
                std::memcpy(makeEntry, entry, sizeof makeEntry);
            makeSeen = true;
            break;
        case 0x14A:
            if (!subSeen)
                std::memcpy(subEntry, entry, sizeof subEntry);
            subSeen = true;
            break;
        case 0xC612:
            directory.dngVersion = true;
            break;
        default:
            break;
        }
    }
    // The entries' bytes are not used past here: the reads below may move the window.
    const qint64 nextAt = entries + declared * 12;
    if (nextAt <= m_end - 4) {
        if (const unsigned char *next = m_source.bytes(nextAt, 4))
            directory.next = u32(next);
    }
    if (subSeen)
        directory.subDirectories = subDirectories(subEntry);
    if (makeSeen)
        directory.make = text(makeEntry);
    return directory;
}

// The offsets a SubIFDs entry (LONG or IFD) holds: in its value field when there is one,
// elsewhere for more.
QList<qint64> TiffStructure::subDirectories(const unsigned char *entry) {
    const quint32 type = u16(entry + 2);
    const quint32 values = u32(entry + 4);
    if ((type != 4 && type != 13) || values < 1)
        return {};
    if (values == 1)
        return {qint64(u32(entry + 8))};
    const qint64 listed = m_base + u32(entry + 8);
    const int read = int(qMin<quint32>(values, MaxSubDirectories));
    if (listed > m_end - read * 4)
        return {};
    const unsigned char *p = m_source.bytes(listed, read * 4);
    if (!p)
        return {};
    QList<qint64> offsets;
    for (int i = 0; i < read; ++i)
        offsets.append(u32(p + i * 4));
    return offsets;
}

// The first bytes of an ASCII entry: in its value field up to four, elsewhere for more.
QByteArray TiffStructure::text(const unsigned char *entry) {
    constexpr quint32 MaxText = 16;
    const quint32 values = u32(entry + 4);
    if (u16(entry + 2) != 2 || values < 1)
        return {};
    const int read = int(qMin(values, MaxText));
    const unsigned char *p = entry + 8;
    if (values > 4) {
        const qint64 at = m_base + u32(entry + 8);
        p = at <= m_end - read ? m_source.bytes(at, read) : nullptr;
        if (!p)
            return {};
    }
    return QByteArray(reinterpret_cast<const char *>(p), read);
}

ImageHeader readTiffHeader(ByteSource &file, const QString &rawKind) {
    ImageHeader unmeasured; // no size, no format: what every give-up returns
    unmeasured.cameraRaw = rawKind;
    const std::optional<TiffStructure::Header> header =
        TiffStructure::readHeader(file, 0, file.size());
    if (!header)
        return unmeasured;
    TiffStructure tiff(file, 0, file.size(), header->littleEndian);
    const std::optional<TiffDirectory> first = tiff.directory(header->first);
    if (!first)
        return unmeasured;

    // Every directory within reach, IFD0 first, for the sensor's data.
    bool sensorData = false;
    std::optional<TiffDirectory> fullSensor;
    const auto look = [&](const TiffDirectory &directory) {
        if (!isSensorData(directory.photometric))
            return;
        sensorData = true;
        if (!fullSensor && directory.subfileType == 0 && directory.width > 0 &&
            directory.height > 0)
            fullSensor = directory;
    };
    QList<qint64> walked{header->first};
    std::optional<TiffDirectory> current = first;
    while (current) {
        look(*current);
        for (const qint64 sub : std::as_const(current->subDirectories)) {
            if (walked.size() >= MaxDirectoriesWalked || walked.contains(sub))
                continue;
            walked.append(sub);
            if (const std::optional<TiffDirectory> directory = tiff.directory(sub))
                look(*directory);
        }
        const qint64 next = current->next;
        if (next == 0 || walked.size() >= MaxDirectoriesWalked || walked.contains(next))
            break;
        walked.append(next);
        current = tiff.directory(next);
    }

    QString kind = rawKind;
    if (kind.isEmpty() && first->dngVersion)
        kind = QStringLiteral("DNG");
    // A TIFF's first directory is its picture; a camera's file starts with its preview.
    if (kind.isEmpty() && (sensorData || (first->subfileType & 1)))
        kind = rawFormatOfMaker(first->make);
    if (kind.isEmpty()) {
        if (first->width < 0 || first->height < 0)
            return {};
        return sizedHeader(quint64(first->width), quint64(first->height), QStringLiteral("tif"));
    }
    unmeasured.cameraRaw = kind;
    if (!fullSensor)
        return unmeasured;
    const bool turned = first->orientation >= 5; // a quarter turn
    ImageHeader measured =
        sizedHeader(quint64(turned ? fullSensor->height : fullSensor->width),
                    quint64(turned ? fullSensor->width : fullSensor->height), kind.toLower());
    measured.cameraRaw = kind;
    return measured;
}

} // namespace pelmora::detail
