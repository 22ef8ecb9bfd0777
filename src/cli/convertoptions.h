#pragma once

#include "batch/batchrunner.h"
#include "cli/commandarguments.h"
#include "cli/photoarguments.h"

#include <QString>
#include <QStringList>

namespace pelmora {

// How much `pelmora convert` says besides the photos that failed.
enum class Talk {
    Normal,  // the progress bar, warnings, the summary line
    Verbose, // and each photo converted, "OLD → NEW"
    Quiet,   // the failures only
};

// `pelmora convert`'s command line, read.
struct ConvertOptions {
    BatchRequest request;
    QList<NotRead> notRead; // photos and folders given that are not converted: failures
    Talk talk = Talk::Normal;
    bool help = false;
    QString usageError; // empty when the command line is sound
};

ConvertOptions readConvertOptions(const CommandArguments &arguments);

} // namespace pelmora
