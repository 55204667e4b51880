# The icon, version information and manifest of the Windows programs. The icon is rendered
# from the same SVG as the Linux icons, at the sizes Windows asks for (16, 24, 32 and 48 pixels
# as bitmaps, 256 pixels as PNG), and put together with icotool; nothing generated is kept in
# the sources.
find_program(QUILLRATE_RSVG_CONVERT rsvg-convert)
find_program(QUILLRATE_ICOTOOL icotool)
if(NOT QUILLRATE_RSVG_CONVERT OR NOT QUILLRATE_ICOTOOL)
  message(FATAL_ERROR "rsvg-convert and icotool are needed for the Windows icon: run scripts/setup")
endif()

set(QUILLRATE_WINDOWS_RESOURCES ${CMAKE_BINARY_DIR}/windows-resources)
set(QUILLRATE_ICON ${QUILLRATE_WINDOWS_RESOURCES}/quillrate.ico)
set(icon_svg ${PROJECT_SOURCE_DIR}/packaging/icons/quillrate.svg)
set(icon_pngs)
set(icon_commands)
foreach(size 16 24 32 48 256)
  set(png ${QUILLRATE_WINDOWS_RESOURCES}/icon-${size}.png)
  list(APPEND icon_pngs ${png})
  list(APPEND icon_commands COMMAND ${QUILLRATE_RSVG_CONVERT} --width ${size} --height ${size}
                                    --output ${png} ${icon_svg})
endforeach()
list(POP_BACK icon_pngs icon_256)
add_custom_command(OUTPUT ${QUILLRATE_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLRATE_WINDOWS_RESOURCES}
  ${icon_commands}
  COMMAND ${QUILLRATE_ICOTOOL} --create --output ${QUILLRATE_ICON} ${icon_pngs} --raw=${icon_256}
  DEPENDS ${icon_svg}
  COMMENT "Rendering the Windows icon"
  VERBATIM)
add_custom_target(quillrate_windows_icon DEPENDS ${QUILLRATE_ICON})

# quillrate_windows_resources(TARGET FILE_NAME DESCRIPTION): gives TARGET the icon, the version
# information (the project's version, FILE_NAME and DESCRIPTION) and the manifest.
function(quillrate_windows_resources target file_name description)
  set(QUILLRATE_FILE_NAME ${file_name})
  string(REGEX REPLACE "\\.exe$" "" QUILLRATE_INTERNAL_NAME ${file_name})
  string(REPLACE "-" "" QUILLRATE_MANIFEST_NAME ${QUILLRATE_INTERNAL_NAME})
  set(QUILLRATE_DESCRIPTION ${description})
  set(QUILLRATE_PUBLISHER "The Quillrate developers")
  set(QUILLRATE_COPYRIGHT "Copyright 2006-2026 The Quillrate developers; GPL-3.0-or-later")
  set(QUILLRATE_VERSION_COMMAS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(QUILLRATE_VERSION_QUAD
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(QUILLRATE_ICON ${QUILLRATE_ICON})
  set(folder ${QUILLRATE_WINDOWS_RESOURCES}/${target})
  set(QUILLRATE_MANIFEST ${folder}/${QUILLRATE_INTERNAL_NAME}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/quillrate.manifest
    ${QUILLRATE_MANIFEST} @ONLY)
  set(rc ${folder}/program.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # windres reads the icon and the manifest: a new icon rebuilds the resources.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
    "${QUILLRATE_ICON};${QUILLRATE_MANIFEST}")
  add_dependencies(${target} quillrate_windows_icon)
endfunction()
