# A Debian package of the installed tree: `cpack -G DEB` in a build folder. The program finds its guide and
# fonts relative to itself, so the package installs under /usr like any other.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kakutei)
set(CPACK_PACKAGE_VENDOR "kakutei")
set(CPACK_PACKAGE_CONTACT "kakutei <${KAKUTEI_SUPPORT_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Heisei 16 final income-tax return (form B): entry, computation, printing")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The Qt libraries and plugins the window program loads, and the faces its screens and printed pages use;
# the brush face travels inside the package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6, libqt6printsupport6, libqt6gui6, libqt6core6, qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-mincho, fonts-ipaexfont-gothic, fontconfig")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
