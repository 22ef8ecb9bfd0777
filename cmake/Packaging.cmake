# `make package`: a Debian package of what `cmake --install` installs, for `apt install
# ./pelmora_*.deb`. dpkg-shlibdeps finds the libraries the program links; the plugins and
# fonts Qt loads at run time are named here, as dpkg-shlibdeps cannot see them.
set(PELMORA_MAINTAINER "Pelmora maintainers <pelmora@users.noreply.github.com>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${PELMORA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rename and resize photos in batches")
# Plain text wrapped within 80 columns, as dpkg and apt show it.
set(CPACK_PACKAGE_DESCRIPTION "\
Pelmora prepares photographs in batches: photos dropped on its list get new
names from a pattern (a title, a running number, an extension) and, with
resizing on, are scaled so that their longer side has a chosen length,
stamped with a signature and written as JPEG, WebP, AVIF, HEIC, PNG, TIFF
or BMP, as their new names say, at a chosen quality. The last
conversions can be undone. The window speaks Japanese, or English where the
desktop does not prefer Japanese, and the command pelmora convert runs the
same batch from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/pelmora/pelmora)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# WebP and TIFF come as Qt image plugins; the window's Japanese texts need a Japanese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, fonts-ipafont-gothic")
# libheif is loaded on the first HEIF photo read or written (its aom and x265 encoders come with
# it), libwebp and libwebpmux on the first photo written as WebP: not linked (src/picture/heif,
# src/picture/libwebp.cpp).
string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${PELMORA_LIBHEIF_PACKAGE}, ${PELMORA_LIBWEBP_PACKAGES}")
# Qt's own Japanese for its stock dialogs; the desktop's file and font choosers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-gtk-platformtheme")

include(CPack)
