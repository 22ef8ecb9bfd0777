#pragma once

#include "batch/batchrunner.h"
#include "files/undo.h"

#include <QString>

// Where a conversion was started: its end message speaks of that.
enum class ConversionSource {
    CurrentPhoto, // 個別変換: the current photo alone
    List,         // 一括変換: the whole list; photos not converted stay on it
    Preview,      // photos dropped on the preview
};

// The message the window shows when a conversion ends: why photos could not be converted, what
// the user should know of photos converted all the same, how many a stop left unconverted.
// Empty when there is nothing to say.
QString conversionSummary(const pelmora::BatchResult &result, ConversionSource source);

// The message the window shows before a conversion starts when some of its photos are refused
// for their size (pelmora::photosRefusedForSize): each of them named once with its reason, and
// what becomes of them and of the others. The conversion's end message does not name them again.
QString sizeRefusalNotice(const pelmora::BatchRequest &request,
                          const QList<pelmora::SizeRefusal> &refused, ConversionSource source);

// The message after a conversion was undone: how many photos are back, and what was left as it
// is.
QString undoSummary(const pelmora::UndoReport &report);
