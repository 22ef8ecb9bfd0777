#pragma once

#include "batch/batchrunner.h"
#include "cli/commandarguments.h"

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
    QStringList unnamable;    // photos whose names are no valid UTF-8, as they can be shown
    QStringList emptyFolders; // folders given that hold no picture
    Talk talk = Talk::Normal;
    bool help = false;
    QString usageError; // empty when the command line is sound
};

ConvertOptions readConvertOptions(const CommandArguments &arguments);

} // namespace pelmora
