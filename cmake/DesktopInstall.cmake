# Where a Linux desktop finds the program's entry, icon, form images and guide.
install(FILES packaging/kakutei.desktop DESTINATION share/applications)
install(FILES packaging/kakutei.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES src/ui/resources/page1.png src/ui/resources/page2.png DESTINATION share/kakutei/forms)
install(FILES docs/guide.html README.md DESTINATION share/doc/kakutei)
install(DIRECTORY docs/images DESTINATION share/doc/kakutei)
include(cmake/Packaging.cmake)
