# Fails when a file of the core includes anything but the C++ standard
# library or another file of the core. Run as
#   cmake -DOUTPUT=<stamp> -P CheckCoreIncludes.cmake <files...>
set(standard_headers
  algorithm any array atomic bit bitset cassert cctype cerrno cfloat charconv chrono cinttypes climits
  clocale cmath compare concepts cstddef cstdint cstdio cstdlib cstring ctime cwchar cwctype deque
  exception format forward_list functional initializer_list iomanip ios iosfwd iostream istream
  iterator limits list locale map memory mutex new numbers numeric optional ostream queue random
  ranges ratio regex set shared_mutex source_location span sstream stack stdexcept string
  string_view system_error thread tuple type_traits typeindex typeinfo unordered_map unordered_set
  utility valarray variant vector version)

set(failures "")
math(EXPR last "${CMAKE_ARGC} - 1")
set(first_file -1)
foreach(i RANGE 0 ${last})
  if(CMAKE_ARGV${i} MATCHES "CheckCoreIncludes\\.cmake$")
    math(EXPR first_file "${i} + 1")
  endif()
endforeach()
foreach(i RANGE ${first_file} ${last})
  set(file "${CMAKE_ARGV${i}}")
  get_filename_component(dir "${file}" DIRECTORY)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "<([^>]+)>")
      list(FIND standard_headers "${CMAKE_MATCH_1}" at)
      if(at EQUAL -1)
        string(APPEND failures "\n  ${file}: ${line}")
      endif()
    elseif(line MATCHES "\"(core/[^\"]+)\"")
      # A core header named from the source root.
    elseif(line MATCHES "\"([^\"/]+)\"" AND EXISTS "${dir}/${CMAKE_MATCH_1}")
      # A header beside the file.
    else()
      string(APPEND failures "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "The core may include only the standard library and its own headers:${failures}")
endif()
file(WRITE "${OUTPUT}" "checked\n")
