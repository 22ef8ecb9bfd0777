#include "conversion.h"

#include "batch/batchrunner.h"

namespace pelmora {

ConversionResult convertPhoto(const ConversionRequest &request) {
    BatchRequest batch;
    batch.entries = {request.photo};
    batch.rename = request.rename;
    batch.resize = request.resize;
    batch.outputFolder = request.outputFolder;
    batch.resizeSettings = request.resizeSettings;
    batch.naming = TargetNaming::Given;
    batch.givenTargetName = request.targetName;
    const BatchResult result = runBatch(batch);
    if (!result.started()) {
        ConversionResult unusable;
        unusable.status = ConversionStatus::OutputFolderUnusable;
        unusable.reason = result.fatalError;
        return unusable;
    }
    return result.entries.first().result;
}

} // namespace pelmora
