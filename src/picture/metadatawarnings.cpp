#include "metadatawarnings.h"

#include <QCoreApplication>

namespace pelmora {

Warning metadataNotRead(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "some details stored in the photo, such as the camera, the date taken "
                           "or the caption, could not be read and were not kept"),
            detail};
}

Warning metadataNotWritten(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "the details stored in the photo, such as the camera, the date taken "
                           "and the caption, could not be written and were not kept"),
            detail};
}

Warning exifLeftOut(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "the photo's camera details, such as the date taken and the exposure, "
                           "were damaged and were not kept"),
            detail};
}

Warning exifPartLeftOut(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "some of the photo's camera details, such as the date taken or the "
                           "exposure, were damaged and were not kept"),
            detail};
}

Warning exifEntriesLeftOut(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "some entries of the photo's EXIF point outside it and were left out"),
            detail};
}

Warning exifTooLarge(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "the photo's camera details, such as the date taken and the exposure, "
                           "were too large for a JPEG and were not kept"),
            detail};
}

Warning xmpRepeatsDropped(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "some details of the photo, such as its date or description, were "
                           "recorded twice with different values; the first of each was kept"),
            detail};
}

Warning xmpExtensionLeftOut(const QString &detail) {
    return {QCoreApplication::translate(
                "pelmora", "some extra details of the photo, such as its editing history, were "
                           "too large for a JPEG and were not kept"),
            detail};
}

} // namespace pelmora
