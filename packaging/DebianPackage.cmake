# The Debian package, made by CPack from the install rules over the existing
# build: `cpack --config CPackConfig.cmake` in the build folder, or
# scripts/package.sh. dpkg-shlibdeps computes the library dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hearthledger)
set(CPACK_PACKAGE_VENDOR "The Hearthledger developers")
set(CPACK_PACKAGE_CONTACT "The Hearthledger developers <hearthledger@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop organiser for a household")
set(CPACK_PACKAGE_DESCRIPTION
    "Hearthledger keeps an inventory of a household's belongings with photographs,
an address book, a diary and private records guarded by a password, and two
loan calculators. It prints list reports of its tables with a preview.
.
The data lives in two SQLite files in the user's data folder, copied there
from the delivered files on the first start.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Everything but the licence text, which Debian keeps in /usr/share/common-licenses.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://hearthledger.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Faces for the window and the title, for Chinese, Japanese, Korean and emoji
# text, and the opener of the About box's links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-kaushanscript, fonts-liberation2, fonts-wqy-microhei, fonts-symbola, xdg-utils")

include(CPack)
