#include "metadatawarnings.h"

#include <QCoreApplication>

namespace pelmora {

Warning metadataNotRead(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "some of the photo's metadata could not be read and was left out"),
            detail};
}

Warning metadataNotWritten(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "the photo's metadata could not be written and was left out"),
            detail};
}

Warning exifLeftOut(const QString &detail) {
    return {QCoreApplication::translate("pelmora", "the photo's EXIF is damaged and was left out"),
            detail};
}

Warning exifPartLeftOut(const QString &detail) {
    return {QCoreApplication::translate("pelmora",
                                        "part of the photo's EXIF is damaged and was left out"),
            detail};
}

Warning exifEntriesLeftOut(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "some entries of the photo's EXIF point outside it and were left out"),
            detail};
}

Warning exifTooLarge(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "the photo's EXIF is too large for a JPEG and was left out"),
            detail};
}

Warning xmpRepeatsDropped(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora",
                "the photo's XMP gave a property two different values and only the first was kept"),
            detail};
}

Warning xmpExtensionLeftOut(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "the part of the photo's XMP too large for one segment was left out"),
            detail};
}

} // namespace pelmora
