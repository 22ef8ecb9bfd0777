#include "conversionsteps.h"

namespace pelmora {

namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

// Where a numbered intent's completion lands.
struct Landing {
    enum class Kind { Folder, Photo, SetAside } kind;
    qint64 photo = -1;
    qsizetype setAside = -1;
    QString folder;
};

} // namespace

ConversionSteps readConversionSteps(const Journal &journal) {
    ConversionSteps c;
    c.numberBefore = journal.header.numberBefore;
    c.started = journal.header.started;
    c.unreadable = journal.unreadable;
    QHash<qint64, Landing> intents;

    for (const JournalEntry &entry : journal.entries) {
        const qint64 id = entry.id;
        std::visit(
            Overloaded{
                [&](const step::Folder &s) {
                    intents.insert(id, {Landing::Kind::Folder, -1, -1, s.path});
                },
                [&](const step::Photo &s) {
                    c.photos[s.photo].photo = s.path;
                    intents.insert(id, {Landing::Kind::Photo, s.photo, -1, {}});
                },
                [&](const step::Temporary &s) { c.photos[s.photo].temporaries.append(s.path); },
                [&](const step::SetAside &s) {
                    QList<SetAsideStep> &steps = c.photos[s.photo].setAsides;
                    steps.append({s.belongsAt, s.digest, s.trash, s.backup, s.kept});
                    intents.insert(id, {Landing::Kind::SetAside, s.photo, steps.size() - 1, {}});
                },
                [&](const step::Replace &s) {
                    PhotoSteps &photo = c.photos[s.photo];
                    photo.setAsides.append({s.path, s.original, s.trash, s.backup, s.kept});
                    intents.insert(
                        id, {Landing::Kind::SetAside, s.photo, photo.setAsides.size() - 1, {}});
                    photo.publishes.append({s.path, s.output});
                    photo.strayOutputs.append({s.backup, s.output});
                },
                [&](const step::Publish &s) {
                    c.photos[s.photo].publishes.append({s.path, s.digest});
                },
                [&](const step::Rename &s) {
                    c.photos[s.photo].renames.append({s.from, s.to, s.size, s.modified});
                },
                [&](const step::Rollback &) {}, // the disk tells what it put back
                [&](const step::Done &s) {
                    const auto landing = intents.constFind(s.intent);
                    if (landing == intents.cend())
                        return;
                    switch (landing->kind) {
                    case Landing::Kind::Folder:
                        c.folders.append(landing->folder);
                        break;
                    case Landing::Kind::Photo:
                        c.photos[landing->photo].converted = s.converted;
                        break;
                    case Landing::Kind::SetAside:
                        if (!s.kept.isEmpty())
                            c.photos[landing->photo].setAsides[landing->setAside].kept = s.kept;
                        break;
                    }
                },
                [&](const step::UndoStarted &) {},
                [&](const step::UndoMoveAside &s) {
                    c.photos[s.photo].movedAside.insert(s.path, s.to);
                },
                [&](const step::UndoPhoto &s) { c.photos[s.photo].undone = s.back; },
                [&](const step::UndoFinished &s) { c.undoneBefore = !s.complete; },
                [&](const step::UndoGivenUp &) { c.givenUp = true; },
            },
            entry.step);
    }
    return c;
}

} // namespace pelmora
