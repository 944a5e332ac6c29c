# Artwork, sounds and clips are drawn by Python scripts of ours at build time.
# Every script may import the shared drawing modules in tools/, so a change to
# one of them redraws everything.
function(draw_art)
  cmake_parse_arguments(PARSE_ARGV 0 ART "" "SCRIPT;COMMENT" "ARGS;OUTPUT")
  add_custom_command(
    OUTPUT ${ART_OUTPUT}
    COMMAND /usr/bin/python3 ${ART_SCRIPT} ${ART_ARGS}
    DEPENDS ${ART_SCRIPT}
            ${PROJECT_SOURCE_DIR}/tools/make_artwork.py
            ${PROJECT_SOURCE_DIR}/tools/icon_writer.py
            ${PROJECT_SOURCE_DIR}/tools/make_filecopy_avi.py
    COMMENT "${ART_COMMENT}")
endfunction()
