#pragma once

// HEIC and AVIF files for tests: encoded by libheif's own heif-enc, and turned by a rotation
// property added to the file's boxes by hand (heif-enc writes none).

#include <QByteArray>
#include <QImage>
#include <QStringList>

namespace testsupport {

// A PNG or JPEG file (suffix "png" or "jpg") as heif-enc (libheif-examples) encodes it at
// quality 90, with heif-enc's extra arguments ("-A" for AVIF; "-b", "10" for 10 bits from a PNG
// of 16 bits a channel; "-t", "N" for a thumbnail). A JPEG's EXIF segment is carried into the
// file as it is, its orientation included. Empty when heif-enc is missing or fails.
QByteArray heifEncode(const QByteArray &source, const char *suffix,
                      const QStringList &arguments = {});

// Where a rotation is listed among the primary picture's properties.
enum class RotationListed {
    AfterSize,              // after its stored size (ispe), as the standard lays it out
    BeforeSizeAlreadyTurned // first, its stored size turned already: how libheif 1.15's encoder
                            // writes a picture with an orientation (libheif turns the picture
                            // but not that size)
};

// The HEIF file with a rotation (irot) of its primary picture added: shown turned anticlockwise
// by quarterTurns quarter turns. The boxes that hold the new property grow and the picture data
// behind them moves, so the item locations are moved along. Empty when the file's boxes are not
// laid out as heif-enc lays them out.
QByteArray withHeifRotation(const QByteArray &heif, int quarterTurns,
                            RotationListed listed = RotationListed::AfterSize);

// The HEIF file with every brand of its file-type box, the major one and the compatible ones,
// made `brand` ("mif1": a HEIF that names no coding).
QByteArray withOnlyBrand(const QByteArray &heif, const char *brand);

// The HEIF file with the length of the first unit of coded data at the start of its mdat box
// made larger than the file, so the item stored first (heif-enc stores the primary picture
// first, its thumbnail after it) cannot be decoded while the others still can. Empty when the
// file has no mdat box.
QByteArray withFirstItemDataBroken(const QByteArray &heif);

} // namespace testsupport
