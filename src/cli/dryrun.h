#pragma once

#include "cli/convertoptions.h"

#include <QTextStream>

namespace pelmora {

// `pelmora convert --dry-run`: what the conversion would do with each photo, in order, planned by
// the conversion's own planning ("OLD → NEW", the format a resized photo is written in, what would
// go to the trash, what would fail and why), and nothing done: no file, no folder, no record. The
// exit status is the conversion's.
int runDryRun(const ConvertOptions &options, QTextStream &out, QTextStream &err);

} // namespace pelmora
