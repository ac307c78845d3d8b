# The Han table (src/core/text/HanTable.h): made at build time from Unihan's
# readings and ICU's Chinese collation by a generator compiled for the
# machine that builds, so the Linux and the cross build carry the same table.
# Sets OMBREL_HAN_SOURCES to the two sources it makes.
set(OMBREL_UNIHAN_DIR /usr/share/unicode CACHE PATH "The folder of Unihan's data files (Debian's unicode-data)")
set(han_dir ${CMAKE_BINARY_DIR}/han)
file(MAKE_DIRECTORY ${han_dir})

# Debian ships the readings compressed with bzip2; Unicode's own download is
# one zip of every Unihan file. Either is unpacked here when it is newer.
set(unihan_readings ${OMBREL_UNIHAN_DIR}/Unihan_Readings.txt)
if(NOT EXISTS ${unihan_readings})
  set(unpacked ${han_dir}/Unihan_Readings.txt)
  if(EXISTS ${OMBREL_UNIHAN_DIR}/Unihan_Readings.txt.bz2)
    set(packed ${OMBREL_UNIHAN_DIR}/Unihan_Readings.txt.bz2)
    if(NOT EXISTS ${unpacked} OR ${packed} IS_NEWER_THAN ${unpacked})
      find_program(OMBREL_BZIP2 bzip2 REQUIRED NO_CMAKE_FIND_ROOT_PATH)
      execute_process(COMMAND ${OMBREL_BZIP2} -dc ${packed} OUTPUT_FILE ${unpacked} RESULT_VARIABLE failed)
    endif()
  elseif(EXISTS ${OMBREL_UNIHAN_DIR}/Unihan.zip)
    set(packed ${OMBREL_UNIHAN_DIR}/Unihan.zip)
    if(NOT EXISTS ${unpacked} OR ${packed} IS_NEWER_THAN ${unpacked})
      file(ARCHIVE_EXTRACT INPUT ${packed} DESTINATION ${han_dir} PATTERNS Unihan_Readings.txt)
    endif()
  else()
    message(FATAL_ERROR "No Unihan_Readings.txt, .txt.bz2 or Unihan.zip in ${OMBREL_UNIHAN_DIR}: install unicode-data (tools/setup-debian.sh)")
  endif()
  if(failed OR NOT EXISTS ${unpacked})
    file(REMOVE ${unpacked})
    message(FATAL_ERROR "Cannot unpack ${packed}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${packed})
  set(unihan_readings ${unpacked})
endif()
set(OMBREL_UNIHAN_READINGS ${unihan_readings} CACHE INTERNAL "The Unihan readings the Han table is made from")

find_program(OMBREL_HOST_CXX NAMES c++ g++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(han_maker ${han_dir}/ombrel_make_han)
add_custom_command(
  OUTPUT ${han_maker}
  COMMAND ${OMBREL_HOST_CXX} -std=c++20 -O2 ${PROJECT_SOURCE_DIR}/src/tools/MakeHanTable.cpp -o ${han_maker}
          -licui18n -licuuc
  DEPENDS ${PROJECT_SOURCE_DIR}/src/tools/MakeHanTable.cpp
  COMMENT "Building the Han table's generator for this machine")
set(OMBREL_HAN_SOURCES ${han_dir}/HanReadings.cpp ${han_dir}/HanRanks.cpp)
add_custom_command(
  OUTPUT ${OMBREL_HAN_SOURCES}
  COMMAND ${han_maker} ${unihan_readings} ${OMBREL_HAN_SOURCES}
  DEPENDS ${han_maker} ${unihan_readings}
  COMMENT "Making the Han table from Unihan and ICU")
