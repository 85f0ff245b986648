# Dependencies point down: a file of the product includes only from its own folder and
# the folders below it, in this order from the bottom:
#   crt/ < res/ < framework/ < config/ < viewer/ < install/ < ui/ < app/
# check/ (the package checker) sits on top of them; that it takes only portable logic
# from below is kept by its native build. config/ is portable as a whole: no file in it
# includes <windows.h>. The installer's folders (all but check/) include no header of
# the C++ library's strings, containers, streams or exceptions: they have their own
# string and array (framework/String.h, framework/PlainArray.h) and no exceptions.
#   cmake -DSRC=<source folder> -P check-includes.cmake
cmake_minimum_required(VERSION 3.20)
set(order crt res framework config viewer install ui app check)
set(portable config)
set(library_headers "string|string_view|vector|map|set|list|forward_list|deque|array|queue|stack"
    "|unordered_map|unordered_set|bitset|span|iostream|istream|ostream|sstream|fstream|iosfwd"
    "|streambuf|stdexcept|exception|system_error|functional|memory|any|optional|variant|regex")
string(CONCAT library_headers ${library_headers})

set(bad "")
set(count 0)
foreach(folder ${order})
  list(FIND order ${folder} mine)
  file(GLOB files RELATIVE ${SRC} ${SRC}/${folder}/*.h ${SRC}/${folder}/*.cpp ${SRC}/${folder}/*.rc)
  foreach(file ${files})
    file(STRINGS ${SRC}/${file} platform REGEX "^[ \t]*#[ \t]*include[ \t]*<windows\\.h>")
    if(platform AND folder IN_LIST portable)
      list(APPEND bad "${file}: includes <windows.h>, in the portable ${folder}/")
    endif()
    if(NOT folder STREQUAL "check")
      file(STRINGS ${SRC}/${file} library REGEX "^[ \t]*#[ \t]*include[ \t]*<(${library_headers})>")
      foreach(line ${library})
        string(STRIP "${line}" line)
        list(APPEND bad "${file}: ${line}, a header of the C++ library's texts, containers,"
                        " streams or exceptions")
      endforeach()
    endif()
    file(STRINGS ${SRC}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" target "${line}")
      string(REGEX REPLACE "/.*" "" theirs "${target}")
      list(FIND order ${theirs} level)
      math(EXPR count "${count} + 1")
      if(level EQUAL -1)
        list(APPEND bad "${file}: includes ${target}, which is not in the product's folders")
      elseif(level GREATER mine)
        list(APPEND bad "${file}: includes ${target}, from above ${folder}/")
      endif()
    endforeach()
  endforeach()
endforeach()

if(count EQUAL 0)
  message(FATAL_ERROR "no includes found under ${SRC}: nothing was checked")
endif()
if(bad)
  list(JOIN bad "\n  " list)
  message(FATAL_ERROR "includes against the rules:\n  ${list}")
endif()
message(STATUS "${count} includes between the product's folders, every one pointing down")
