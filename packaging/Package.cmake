# The Debian package: man pages made from the programs' own usage text,
# release notes for software centres and the package changelog from
# CHANGELOG.md, and CPack's DEB generator. Included for -DLUMO_PACKAGE=ON,
# which scripts/package sets.
find_program(HELP2MAN help2man REQUIRED)
set(LUMO_MAINTAINER "Vellumar <gourdglowlight@vellumar.example>")
set(LUMO_HOMEPAGE "https://vellumar.example/gourdglowlight")
set(package_dir ${CMAKE_CURRENT_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${package_dir})

# Each program's page: the usage text it prints, after the hand-written
# description, examples and cross-references of docs/PROGRAM.h2m.
set(man_pages)
foreach(program lumo lumo-inspect)
  set(page ${package_dir}/${program}.1.gz)
  set(include ${PROJECT_SOURCE_DIR}/docs/${program}.h2m)
  add_custom_command(OUTPUT ${page}
    COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1
            --version-string=${PROJECT_VERSION} --include=${include}
            --output=${package_dir}/${program}.1 $<TARGET_FILE:${program}>
    COMMAND gzip -9nf ${package_dir}/${program}.1
    DEPENDS ${program} ${include}
    COMMENT "Writing the man page of ${program}"
    VERBATIM)
  list(APPEND man_pages ${page})
endforeach()
add_custom_target(lumo-man-pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# CHANGELOG.md holds "## VERSION (YYYY-MM-DD)" headings, each followed by
# "- " items that may wrap onto further lines; the package changelog keeps
# the lines as they are, the metainfo joins them.
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md changelog_lines ENCODING UTF-8)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set(releases)
set(debian_changelog)
set(items)
macro(lumo_close_release)
  if(release_version)
    set(xml_items)
    set(deb_items)
    foreach(item IN LISTS items)
      string(REPLACE "&" "&amp;" xml_item "${item}")
      string(REPLACE "<" "&lt;" xml_item "${xml_item}")
      string(REPLACE ">" "&gt;" xml_item "${xml_item}")
      string(REPLACE "\n" " " xml_item "${xml_item}")
      string(APPEND xml_items "          <li>${xml_item}</li>\n")
      string(REPLACE "\n" "\n    " deb_item "${item}")
      string(APPEND deb_items "  * ${deb_item}\n")
    endforeach()
    string(APPEND releases
      "    <release version=\"${release_version}\" date=\"${release_date}\">\n"
      "      <description>\n        <ul>\n${xml_items}        </ul>\n      </description>\n"
      "    </release>\n")
    execute_process(COMMAND date -u -R -d "${release_date} 12:00"
                    OUTPUT_VARIABLE release_stamp OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(APPEND debian_changelog
      "lumo (${release_version}) bookworm; urgency=medium\n\n${deb_items}\n"
      " -- ${LUMO_MAINTAINER}  ${release_stamp}\n\n")
  endif()
  set(items)
endmacro()
foreach(line IN LISTS changelog_lines)
  if(line MATCHES "^## ([0-9.]+) \\(([0-9-]+)\\)")
    lumo_close_release()
    set(release_version ${CMAKE_MATCH_1})
    set(release_date ${CMAKE_MATCH_2})
  elseif(line MATCHES "^- (.*)")
    list(APPEND items "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^ +(.*)" AND items)
    list(POP_BACK items last)
    list(APPEND items "${last}\n${CMAKE_MATCH_1}")
  endif()
endforeach()
lumo_close_release()
if(NOT releases MATCHES "version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "CHANGELOG.md has no entry for version ${PROJECT_VERSION}")
endif()
string(STRIP "${releases}" LUMO_RELEASES)
set(LUMO_RELEASES "    ${LUMO_RELEASES}")
configure_file(lumo.metainfo.xml.in ${package_dir}/example.vellumar.gourdglowlight.metainfo.xml @ONLY)
install(FILES ${package_dir}/example.vellumar.gourdglowlight.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
file(WRITE ${package_dir}/changelog "${debian_changelog}")
execute_process(COMMAND gzip -9nf ${package_dir}/changelog COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${package_dir}/changelog.gz copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Vellumar)
set(CPACK_PACKAGE_CONTACT ${LUMO_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and video maker for animated pumpkin faces")
set(CPACK_PACKAGE_DESCRIPTION
    "Vellumar Gourdglowlight draws the cut-out shapes of a carved pumpkin (eyes,
mouth, pupils) as polygons, gives the shapes poses tied to knobs whose values
are keyframed along a timeline, plays a voice clip in sync and exports the
animation as a looping 1080p H.264/AAC MP4 video to project onto a real
pumpkin. lumo-inspect prints its documents and WAV files as JSON.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LUMO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library links: the fonts (the symbols of the timeline and the
# transport buttons, stand-ins for the faces the program asks for by name,
# and the window's own sans-serif face, without which fontconfig on a minimal
# system answers sans-serif with a monospaced face), and the speech model that
# lip sync reads at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-symbola, fonts-liberation2, fonts-dejavu-core, pocketsphinx-en-us")
# No maintainer scripts: shared-mime-info, desktop-file-utils and the icon
# cache declare dpkg file triggers on the folders the document type, the
# desktop entry and the icons go to, so dpkg updates those databases after
# every install and purge.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
