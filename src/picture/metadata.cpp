#include "metadata.h"

#include "picture/metadatamodule.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace pelmora {

namespace {

using Entry = decltype(&pelmora_carry_photo_metadata);
using Version = decltype(&pelmora_metadata_interface_version);

struct Module {
    Entry entry = nullptr;
    QString error; // why it could not be loaded
};

// Where the module is: beside the program as installed, or, for a program in the build folder,
// where the build put it.
QStringList candidates() {
    const QString program = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const QString folder = QFileInfo(program).absolutePath();
    QStringList paths{
        QFileInfo(folder + QStringLiteral("/" PELMORA_METADATA_MODULE_FROM_PROGRAM)).filePath()};
    if (program.startsWith(QStringLiteral(PELMORA_BUILD_FOLDER "/")))
        paths.append(QStringLiteral(PELMORA_METADATA_MODULE_IN_BUILD));
    return paths;
}

Module load() {
    // Linked into the program (the fuzzers link it whole), the module's entry is there already.
    if (&pelmora_carry_photo_metadata != nullptr)
        return {&pelmora_carry_photo_metadata, {}};
    QStringList errors;
    for (const QString &path : candidates()) {
        if (!QFileInfo::exists(path))
            continue;
        // Never unloaded: Exiv2 keeps its XMP toolkit set up until the end.
        void *module = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            errors.append(QString::fromLocal8Bit(::dlerror()));
            continue;
        }
        const auto version =
            reinterpret_cast<Version>(::dlsym(module, "pelmora_metadata_interface_version"));
        const auto entry = reinterpret_cast<Entry>(::dlsym(module, "pelmora_carry_photo_metadata"));
        if (version && entry && version() == metadataInterfaceVersion())
            return {entry, {}};
        errors.append(QStringLiteral("%1: a module of another version (interface %2, not %3)")
                          .arg(path, version ? QString::number(version(), 16) : QStringLiteral("?"),
                               QString::number(metadataInterfaceVersion(), 16)));
    }
    return {nullptr, errors.isEmpty() ? candidates().join(QStringLiteral(", ")) +
                                            QStringLiteral(": no such file")
                                      : errors.join(QStringLiteral("; "))};
}

const Module &module() {
    static const Module loaded = load();
    return loaded;
}

QString moduleMissing() {
    return QCoreApplication::translate(
        "pelmora", "the photo's metadata could not be carried over: Pelmora's metadata module is "
                   "missing");
}

} // namespace

CarriedMetadata withPhotoMetadata(const MetadataRequest &request) {
    // Without the module a stripped photo still keeps its colour profile wherever the encoder
    // writes the one the decoder read.
    if (request.policy == MetadataPolicy::Strip && !module().entry)
        return {request.picture, {}, {}};
    const Module &metadata = module();
    if (!metadata.entry)
        return {request.picture, {}, {{moduleMissing(), metadata.error}}};
    CarriedMetadata carried;
    metadata.entry(request, carried);
    return carried;
}

Status metadataModuleReady() {
    const Module &metadata = module();
    if (!metadata.entry)
        return failure(QCoreApplication::translate(
                           "pelmora", "resized photos would lose their metadata: Pelmora's "
                                      "metadata module cannot be loaded (%1)")
                           .arg(metadata.error));
    return {};
}

} // namespace pelmora
