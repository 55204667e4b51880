# Outputs of quillrate-cli fixed to the byte in tests/expected/. The same files are compared
# with the Linux program and, in the windows preset, with quillrate-cli.exe under Wine.
set(QUILLRATE_EXPECTED ${CMAKE_CURRENT_SOURCE_DIR}/expected)
set(QUILLRATE_TEST_FIXTURES ${CMAKE_CURRENT_SOURCE_DIR}/wine/fixtures)

# quillrate_expected_output(NAME FILE STATUS ARGS...): quillrate-cli ARGS prints FILE and
# exits with STATUS.
function(quillrate_expected_output name file status)
  add_test(NAME e2e.output.${name}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/compare_output.sh ${QUILLRATE_EXPECTED}/${file}
            ${status} ${QUILLRATE_WINE_RUN} $<TARGET_FILE:quillrate-cli> ${ARGN})
  set_tests_properties(e2e.output.${name} PROPERTIES LABELS e2e)
  if(WIN32)
    set_tests_properties(e2e.output.${name} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endfunction()

quillrate_expected_output(demo_report_all demo_report_all.txt 0 --simulate report --all)
quillrate_expected_output(demo_report_json demo_report_json.txt 0
  --simulate report --drive 2 --json)
quillrate_expected_output(demo_drives demo_drives.txt 0 --simulate drives)
quillrate_expected_output(demo_features demo_features.txt 0 --simulate features)
quillrate_expected_output(about about.txt 0 about)
quillrate_expected_output(identify_dvd identify_dvd.txt 0
  --simulate=${PROJECT_SOURCE_DIR}/fixtures/dvd.json identify --drive 2)
quillrate_expected_output(media_file_check media_file_check.txt 1
  media-file check ${QUILLRATE_TEST_FIXTURES}/user_media.txt)
quillrate_expected_output(sr0_cd_r_report sr0_cd_r_report.txt 0
  --simulate=${QUILLRATE_TEST_FIXTURES}/sr0_cd_r.json report)
quillrate_expected_output(sr0_dvd_r_report sr0_dvd_r_report.txt 0
  --simulate=${QUILLRATE_TEST_FIXTURES}/sr0_dvd_r.json report)
quillrate_expected_output(aspi_report_all aspi_report_all.txt 0
  --simulate=${QUILLRATE_TEST_FIXTURES}/aspi_machine.json report --all)
quillrate_expected_output(aspi_drives aspi_drives.txt 0
  --simulate=${QUILLRATE_TEST_FIXTURES}/aspi_machine.json drives)
quillrate_expected_output(speeds_verdict speeds_verdict.txt 0
  --simulate=${PROJECT_SOURCE_DIR}/fixtures/speeds.json speeds --drive 3)
quillrate_expected_output(speeds_1352_json speeds_1352_json.txt 0
  --simulate=${PROJECT_SOURCE_DIR}/fixtures/speeds.json speeds --drive 0 --json)
# watch --once: the timeline's disc, once ready, gets the report that report prints.
quillrate_expected_output(watch_once watch_once.txt 0
  --simulate=${PROJECT_SOURCE_DIR}/tests/cli/watch_timeline.json watch --once)
