// Must not build: the naming layer cannot see the batch layer.
#include "batch/batchrunner.h"
#include "naming/targetname.h"
