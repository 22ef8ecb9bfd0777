#pragma once

#include <QString>
#include <QStringList>

namespace pelmora {

// `pelmora undo [--dry-run | --give-up]`: takes the last `pelmora convert` back.
int runUndoCommand(const QStringList &arguments);
QString undoCommandHelp();

} // namespace pelmora
