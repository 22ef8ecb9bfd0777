#pragma once

#include "files/filecontent.h"
#include "files/journal.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace pelmora {

// A conversion as its journal tells it, photo by photo: what undo takes back and pruning forgets.

// A file the conversion moved out of the way of an output.
struct SetAsideStep {
    QString path; // where it belongs
    FileDigest digest;
    QString trash;  // the trash it was to go to, and/or
    QString backup; // the backup it was to become
    QString kept;   // where it was to go in that place (or, in older journals, went)
};

// A file the conversion wrote.
struct WrittenStep {
    QString path;
    FileDigest digest;
};

struct RenameStep {
    QString from;
    QString to;
    qint64 size = -1;
    qint64 modified = 0;
};

// One photo's steps, as the journal recorded them.
struct PhotoSteps {
    QString photo; // as listed
    std::optional<bool> converted;
    QList<SetAsideStep> setAsides;
    QList<WrittenStep> publishes;
    // Outputs that may have stayed under a backup name, never exchanged (a conversion that died
    // on the way, or a file system that cannot swap names).
    QList<WrittenStep> strayOutputs;
    QList<RenameStep> renames;
    QStringList temporaries;
    QHash<QString, QString> movedAside; // an output an earlier undo moved out of the way, and where
    std::optional<bool> undone;         // back as it was, by an earlier undo that was stopped
};

struct ConversionSteps {
    QString numberBefore;
    QDateTime started;
    std::map<qint64, PhotoSteps> photos; // by place in the list
    QStringList folders;                 // made by the conversion, in the order made
    bool givenUp = false;                // the user gave up finishing its undo
    bool undoneBefore = false; // an undo of it ran to its end before and left something behind
    int unreadable = 0;        // lines of its journal that could not be read
};

ConversionSteps readConversionSteps(const Journal &journal);

} // namespace pelmora
