# Warnings are errors in every build.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Werror)
# GCC 12 reports std::string concatenation at -O2 and above as overlapping
# copies (its bug 105329); the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()

# Sources are UTF-8; every narrow literal becomes CP949 bytes, the text
# encoding the programs hold inside. Clang cannot do that; it builds only the
# fuzz targets, for which the literals' encoding does not matter.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(
    $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>
    $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP949>)
endif()
if(ENABLE_FUZZING)
  add_compile_options(-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ENABLE_SANITIZERS)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Unicode entry points, no runtime DLLs to ship beside the programs.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 _WIN32_IE=0x0501)
  add_link_options(-static -static-libgcc -static-libstdc++ -municode)
endif()
