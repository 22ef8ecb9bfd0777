#include "journalrecord.h"

#include <QJsonValue>

namespace pelmora {

namespace {

// The names on the disk: kept as version 1 wrote them wherever the meaning stayed.
constexpr char kStep[] = "step";
constexpr char kDone[] = "done";
constexpr char kUndo[] = "undo";

QString text(const QJsonObject &o, const char *key) {
    return o.value(QLatin1String(key)).toString();
}

qint64 number(const QJsonObject &o, const char *key, qint64 otherwise = -1) {
    return o.value(QLatin1String(key)).toInteger(otherwise);
}

void putDigest(QJsonObject &o, const FileDigest &digest, const char *size = "size",
               const char *hash = "hash") {
    o.insert(QLatin1String(size), digest.size);
    o.insert(QLatin1String(hash), QString::fromLatin1(digest.hash));
}

void putText(QJsonObject &o, const char *key, const QString &value) {
    if (!value.isEmpty())
        o.insert(QLatin1String(key), value);
}

FileDigest digestIn(const QJsonObject &o, const char *size = "size", const char *hash = "hash") {
    return {number(o, size), text(o, hash).toLatin1()};
}

QJsonObject intent(qint64 id, const char *kind, qint64 photo = -1) {
    QJsonObject o{{QStringLiteral("id"), id}, {QLatin1String(kStep), QLatin1String(kind)}};
    if (photo >= 0)
        o.insert(QStringLiteral("photo"), photo);
    return o;
}

QJsonObject undoLine(const char *kind) {
    return {{QLatin1String(kUndo), QLatin1String(kind)}};
}

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

// The step of an intent line, whatever the version (the names are the same), or none.
std::optional<Step> decodeIntent(const QJsonObject &o) {
    const QString kind = text(o, kStep);
    const qint64 photo = number(o, "photo");
    const QString path = text(o, "path");
    if (kind == u"folder" && !path.isEmpty())
        return step::Folder{path};
    if (photo < 0)
        return std::nullopt;
    if (kind == u"photo" && !path.isEmpty())
        return step::Photo{photo, path};
    if (kind == u"temporary" && !path.isEmpty())
        return step::Temporary{photo, path};
    if (kind == u"setAside" && !path.isEmpty()) {
        const QString belongsAt = text(o, "belongsAt");
        return step::SetAside{photo,
                              path,
                              belongsAt.isEmpty() ? path : belongsAt,
                              digestIn(o),
                              text(o, "trash"),
                              text(o, "backup"),
                              text(o, "kept")};
    }
    if (kind == u"replace" && !path.isEmpty() && !text(o, "backup").isEmpty())
        return step::Replace{photo,
                             path,
                             text(o, "backup"),
                             digestIn(o),
                             digestIn(o, "outputSize", "outputHash"),
                             text(o, "trash"),
                             text(o, "kept")};
    if (kind == u"publish" && !path.isEmpty())
        return step::Publish{photo, path, digestIn(o)};
    if (kind == u"rename" && !text(o, "from").isEmpty() && !text(o, "to").isEmpty())
        return step::Rename{photo, text(o, "from"), text(o, "to"), number(o, "size"),
                            number(o, "modified", 0)};
    if (kind == u"rollback")
        return step::Rollback{photo};
    return std::nullopt;
}

std::optional<Step> decodeUndo(const QJsonObject &o) {
    const QString kind = text(o, kUndo);
    const qint64 photo = number(o, "photo");
    if (kind == u"started")
        return step::UndoStarted{};
    if (kind == u"moveAside" && photo >= 0)
        return step::UndoMoveAside{photo, text(o, "path"), text(o, "to")};
    if (kind == u"photo" && photo >= 0)
        return step::UndoPhoto{photo, o.value(QLatin1String("back")).toBool()};
    if (kind == u"finished") // version 1 wrote it only for an undo that left something behind
        return step::UndoFinished{o.value(QLatin1String("complete")).toBool(false)};
    if (kind == u"givenUp")
        return step::UndoGivenUp{};
    return std::nullopt;
}

} // namespace

QJsonObject encodeHeader(const JournalHeader &header) {
    return {{QStringLiteral("pelmora"), QStringLiteral("conversion")},
            {QStringLiteral("version"), header.version},
            {QStringLiteral("started"), header.started.toString(Qt::ISODateWithMs)},
            {QStringLiteral("number"), header.numberBefore}};
}

std::optional<JournalHeader> decodeHeader(const QJsonObject &o) {
    if (text(o, "pelmora") != u"conversion")
        return std::nullopt;
    // Version 1 wrote none.
    const int version = int(number(o, "version", 1));
    if (version < 1 || version > kJournalVersion)
        return std::nullopt;
    return JournalHeader{version, QDateTime::fromString(text(o, "started"), Qt::ISODateWithMs),
                         text(o, "number")};
}

QJsonObject encodeEntry(const JournalEntry &entry) {
    const qint64 id = entry.id;
    return std::visit(Overloaded{
                          [&](const step::Folder &s) {
                              QJsonObject o = intent(id, "folder");
                              o.insert(QStringLiteral("path"), s.path);
                              return o;
                          },
                          [&](const step::Photo &s) {
                              QJsonObject o = intent(id, "photo", s.photo);
                              o.insert(QStringLiteral("path"), s.path);
                              return o;
                          },
                          [&](const step::Temporary &s) {
                              QJsonObject o = intent(id, "temporary", s.photo);
                              o.insert(QStringLiteral("path"), s.path);
                              return o;
                          },
                          [&](const step::SetAside &s) {
                              QJsonObject o = intent(id, "setAside", s.photo);
                              o.insert(QStringLiteral("path"), s.path);
                              if (s.belongsAt != s.path)
                                  o.insert(QStringLiteral("belongsAt"), s.belongsAt);
                              putDigest(o, s.digest);
                              if (s.trash.isEmpty())
                                  o.insert(QStringLiteral("backup"), s.backup);
                              else
                                  o.insert(QStringLiteral("trash"), s.trash);
                              putText(o, "kept", s.kept);
                              return o;
                          },
                          [&](const step::Replace &s) {
                              QJsonObject o = intent(id, "replace", s.photo);
                              o.insert(QStringLiteral("path"), s.path);
                              o.insert(QStringLiteral("backup"), s.backup);
                              putDigest(o, s.original);
                              putDigest(o, s.output, "outputSize", "outputHash");
                              putText(o, "trash", s.trash);
                              putText(o, "kept", s.kept);
                              return o;
                          },
                          [&](const step::Publish &s) {
                              QJsonObject o = intent(id, "publish", s.photo);
                              o.insert(QStringLiteral("path"), s.path);
                              putDigest(o, s.digest);
                              return o;
                          },
                          [&](const step::Rename &s) {
                              QJsonObject o = intent(id, "rename", s.photo);
                              o.insert(QStringLiteral("from"), s.from);
                              o.insert(QStringLiteral("to"), s.to);
                              o.insert(QStringLiteral("size"), s.size);
                              o.insert(QStringLiteral("modified"), s.modified);
                              return o;
                          },
                          [&](const step::Rollback &s) { return intent(id, "rollback", s.photo); },
                          [&](const step::Done &s) {
                              QJsonObject o{{QLatin1String(kDone), s.intent}};
                              putText(o, "kept", s.kept);
                              if (s.converted)
                                  o.insert(QStringLiteral("converted"), *s.converted);
                              return o;
                          },
                          [&](const step::UndoStarted &) { return undoLine("started"); },
                          [&](const step::UndoMoveAside &s) {
                              QJsonObject o = undoLine("moveAside");
                              o.insert(QStringLiteral("photo"), s.photo);
                              o.insert(QStringLiteral("path"), s.path);
                              o.insert(QStringLiteral("to"), s.to);
                              return o;
                          },
                          [&](const step::UndoPhoto &s) {
                              QJsonObject o = undoLine("photo");
                              o.insert(QStringLiteral("photo"), s.photo);
                              o.insert(QStringLiteral("back"), s.back);
                              return o;
                          },
                          [&](const step::UndoFinished &s) {
                              QJsonObject o = undoLine("finished");
                              o.insert(QStringLiteral("complete"), s.complete);
                              return o;
                          },
                          [&](const step::UndoGivenUp &) { return undoLine("givenUp"); },
                      },
                      entry.step);
}

std::optional<JournalEntry> JournalDecoder::decode(const QJsonObject &o) {
    ++m_line;
    if (m_version == 1)
        return decodeVersion1(o);
    if (o.contains(QLatin1String(kUndo))) {
        std::optional<Step> undo = decodeUndo(o);
        return undo ? std::optional(JournalEntry{0, std::move(*undo)}) : std::nullopt;
    }
    if (o.contains(QLatin1String(kDone))) {
        const qint64 intentId = number(o, kDone, 0);
        if (intentId <= 0)
            return std::nullopt;
        const QJsonValue converted = o.value(QLatin1String("converted"));
        return JournalEntry{
            0, step::Done{intentId, text(o, "kept"),
                          converted.isBool() ? std::optional(converted.toBool()) : std::nullopt}};
    }
    const qint64 id = number(o, "id", 0);
    std::optional<Step> step = id > 0 ? decodeIntent(o) : std::nullopt;
    return step ? std::optional(JournalEntry{id, std::move(*step)}) : std::nullopt;
}

// Version 1: intents carry no number (their line stands for it), and a completion names its kind,
// its photo and, for a folder, its path.
std::optional<JournalEntry> JournalDecoder::decodeVersion1(const QJsonObject &o) {
    const auto key = [&o](const QString &kind) {
        return kind + u'|' + QString::number(number(o, "photo")) + u'|' +
               (kind == u"folder" ? text(o, "path") : QString());
    };
    if (o.contains(QLatin1String(kUndo))) {
        std::optional<Step> undo = decodeUndo(o);
        return undo ? std::optional(JournalEntry{0, std::move(*undo)}) : std::nullopt;
    }
    if (o.contains(QLatin1String(kDone))) {
        const qint64 intentId = m_latestIntent.value(key(text(o, kDone)), 0);
        if (intentId == 0)
            return std::nullopt;
        const QJsonValue converted = o.value(QLatin1String("converted"));
        return JournalEntry{
            0, step::Done{intentId, text(o, "to"),
                          converted.isBool() ? std::optional(converted.toBool()) : std::nullopt}};
    }
    std::optional<Step> step = decodeIntent(o);
    if (!step)
        return std::nullopt;
    m_latestIntent.insert(key(text(o, kStep)), m_line);
    return JournalEntry{m_line, std::move(*step)};
}

} // namespace pelmora
