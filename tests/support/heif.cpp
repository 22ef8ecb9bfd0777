#include "heif.h"

#include "files.h"
#include "process.h"

#include <QDir>
#include <QTemporaryDir>
#include <optional>

namespace testsupport {

QByteArray heifEncode(const QByteArray &source, const char *suffix, const QStringList &arguments) {
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("picture.") + QLatin1String(suffix));
    const QString heif = dir.filePath("picture.heif");
    if (!dir.isValid() || !have("heif-enc") || source.isEmpty() || !writeFile(input, source))
        return {};
    if (runProgram("heif-enc", QStringList{"-q", "90"} + arguments + QStringList{"-o", heif, input})
            .exitCode != 0)
        return {};
    return readFile(heif);
}

namespace {

quint32 be32(const QByteArray &bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
           quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
}

quint64 beN(const QByteArray &bytes, qsizetype at, int length) {
    quint64 value = 0;
    for (int i = 0; i < length; ++i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

void setBeN(QByteArray &bytes, qsizetype at, int length, quint64 value) {
    for (int i = length - 1; i >= 0; --i, value >>= 8)
        bytes[at + i] = char(value & 0xFF);
}

struct Box {
    qsizetype start = 0;
    qsizetype payload = 0;
    qsizetype end = 0;
};

// The first box of the type among those from `from` to `limit` (32-bit sizes only).
std::optional<Box> find(const QByteArray &bytes, qsizetype from, qsizetype limit,
                        const char *type) {
    for (qsizetype at = from; at + 8 <= limit;) {
        const qsizetype size = be32(bytes, at);
        if (size < 8 || at + size > limit)
            return std::nullopt;
        if (bytes.mid(at + 4, 4) == type)
            return Box{at, at + 8, at + size};
        at += size;
    }
    return std::nullopt;
}

} // namespace

QByteArray withHeifRotation(const QByteArray &heif, int quarterTurns, RotationListed listed) {
    const auto meta = find(heif, 0, heif.size(), "meta");
    if (!meta)
        return {};
    const qsizetype children = meta->payload + 4;
    const auto pitm = find(heif, children, meta->end, "pitm");
    const auto iloc = find(heif, children, meta->end, "iloc");
    const auto iprp = find(heif, children, meta->end, "iprp");
    if (!pitm || !iloc || !iprp || heif[pitm->payload] != 0)
        return {};
    const auto ipco = find(heif, iprp->payload, iprp->end, "ipco");
    const auto ipma = find(heif, iprp->payload, iprp->end, "ipma");
    if (!ipco || !ipma || ipma->start < ipco->end || iloc->end > ipco->start)
        return {};
    const quint32 primary = quint32(beN(heif, pitm->payload + 4, 2));

    int properties = 0;
    for (qsizetype at = ipco->payload; at < ipco->end; at += be32(heif, at))
        ++properties;

    // The primary item's entry in ipma: 16-bit item IDs (version 0), 7-bit indices (no flags).
    if (heif[ipma->payload] != 0 || (quint8(heif[ipma->payload + 3]) & 1) != 0)
        return {};
    qsizetype entry = ipma->payload + 8;
    const quint32 entries = be32(heif, ipma->payload + 4);
    std::optional<qsizetype> primaryEntry;
    for (quint32 e = 0; e < entries && entry + 3 <= ipma->end; ++e) {
        if (beN(heif, entry, 2) == primary)
            primaryEntry = entry;
        entry += 3 + quint8(heif[entry + 2]);
    }
    if (!primaryEntry || properties + 1 > 0x7F)
        return {};
    const qsizetype countAt = *primaryEntry + 2;
    const bool first = listed == RotationListed::BeforeSizeAlreadyTurned;
    const qsizetype associationAt = countAt + 1 + (first ? 0 : quint8(heif[countAt]));

    const QByteArray irot = QByteArray::fromHex("00000009") + "irot" + char(quarterTurns & 3);
    const qsizetype grown = irot.size() + 1;
    QByteArray out = heif;
    if (first) { // the stored size turned, in place
        const auto ispe = find(heif, ipco->payload, ipco->end, "ispe");
        if (!ispe || ispe->end - ispe->payload < 12)
            return {};
        const QByteArray width = heif.mid(ispe->payload + 4, 4);
        out.replace(ispe->payload + 4, 4, heif.mid(ispe->payload + 8, 4));
        out.replace(ispe->payload + 8, 4, width);
    }
    // From the back, so that the earlier offsets stay as they are.
    out.insert(associationAt, char(0x80 | (properties + 1))); // essential
    out[countAt] = char(quint8(out[countAt]) + 1);
    out.insert(ipco->end, irot);
    for (const auto &[box, by] :
         {std::pair{*meta, grown}, std::pair{*iprp, grown}, std::pair{*ipco, irot.size()}}) {
        setBeN(out, box.start, 4, be32(out, box.start) + quint32(by));
    }
    const qsizetype ipmaStart = ipma->start + irot.size();
    setBeN(out, ipmaStart, 4, be32(out, ipmaStart) + 1);

    // iloc: the extents that lie behind meta move by what meta grew.
    const int version = quint8(out[iloc->payload]);
    if (version > 1)
        return {};
    const int offsetSize = quint8(out[iloc->payload + 4]) >> 4;
    const int lengthSize = quint8(out[iloc->payload + 4]) & 0xF;
    const int baseSize = quint8(out[iloc->payload + 5]) >> 4;
    const int indexSize = version == 1 ? quint8(out[iloc->payload + 5]) & 0xF : 0;
    qsizetype at = iloc->payload + 6;
    const quint32 items = quint32(beN(out, at, 2));
    at += 2;
    for (quint32 i = 0; i < items; ++i) {
        at += 2; // item ID
        int method = 0;
        if (version == 1) {
            method = int(beN(out, at, 2) & 0xF);
            at += 2;
        }
        at += 2; // data reference index
        const qsizetype baseAt = at;
        const quint64 base = beN(out, at, baseSize);
        at += baseSize;
        const int extents = int(beN(out, at, 2));
        at += 2;
        bool movedBase = false;
        for (int e = 0; e < extents; ++e) {
            at += indexSize;
            const quint64 offset = beN(out, at, offsetSize);
            if (method == 0 && base + offset >= quint64(meta->end)) {
                if (baseSize > 0 && !movedBase) {
                    setBeN(out, baseAt, baseSize, base + quint64(grown));
                    movedBase = true;
                } else if (baseSize == 0) {
                    setBeN(out, at, offsetSize, offset + quint64(grown));
                }
            }
            at += offsetSize + lengthSize;
        }
        if (at > iloc->end)
            return {};
    }
    return out;
}

QByteArray withOnlyBrand(const QByteArray &heif, const char *brand) {
    const auto ftyp = find(heif, 0, heif.size(), "ftyp");
    if (!ftyp || ftyp->end - ftyp->payload < 8)
        return {};
    QByteArray out = heif;
    out.replace(ftyp->payload, 4, brand);
    for (qsizetype at = ftyp->payload + 8; at + 4 <= ftyp->end; at += 4)
        out.replace(at, 4, brand);
    return out;
}

QByteArray withFirstItemDataBroken(const QByteArray &heif) {
    const auto mdat = find(heif, 0, heif.size(), "mdat");
    if (!mdat || mdat->end - mdat->payload < 4)
        return {};
    QByteArray out = heif;
    out.replace(mdat->payload, 4, QByteArray(4, char(0xFF)));
    return out;
}

} // namespace testsupport
