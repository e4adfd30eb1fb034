# The Debian package, built by scripts/package.sh in its own folder configured
# with the prefix /usr. Its dependencies are runtime packages only: those of
# the linked libraries found by dpkg-shlibdeps, and what is loaded at run time
# (the database drivers) or needed to read the windows (a CJK font).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quill)
set(CPACK_PACKAGE_VENDOR QUILL)
set(CPACK_PACKAGE_CONTACT "QUILL developers <quill@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "QUILL data management module with its host program")
set(CPACK_PACKAGE_DESCRIPTION
    "Runs saved reports and composed queries over a suite database on SQLite or PostgreSQL, \
edits records and sheets, prints, exports workbooks and draws charts. Includes the host \
program quill, which starts on a demo workspace of its own, and quill-demo.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_STRIP_FILES ON)
include(CPack)
