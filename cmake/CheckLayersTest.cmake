# Shows that CheckLayers.cmake passes a tree that keeps the layer table and fails each breach.
cmake_minimum_required(VERSION 3.25)
# Run as: cmake -DCHECKER=<CheckLayers.cmake> -DWORK_DIR=<scratch dir> -P CheckLayersTest.cmake

# A tree with one file per layer, each including what its layer may.
function(write_clean_tree root)
  file(REMOVE_RECURSE ${root})
  file(WRITE ${root}/src/resources/Base.h "#include <cstdint>\n#include \"resources/Other.h\"\n")
  file(WRITE ${root}/src/resources/Other.h "#include \"Base.h\"\n")
  file(WRITE ${root}/src/map/Grid.h "#include \"resources/Base.h\"\n")
  file(WRITE ${root}/src/game/Store.h "#include \"map/Grid.h\"\n#include \"resources/Base.h\"\n")
  file(WRITE ${root}/src/view/View.h "#include \"game/Store.h\"\n")
  file(WRITE ${root}/src/editor/Session.h "#include \"view/View.h\"\n")
  file(WRITE ${root}/src/editor/palettes/Palette.h "#include \"editor/Session.h\"\n")
  file(WRITE ${root}/src/editor/forms/Window.h
       "#include <QWidget>\n#include \"editor/Session.h\"\n#include \"Other.h\"\n")
  file(WRITE ${root}/src/editor/forms/Other.h "#include <QtCore/QString>\n")
  file(WRITE ${root}/src/writers/Writer.h "#include \"game/Store.h\"\n")
  file(WRITE ${root}/tools/demo/Demo.h "#include \"writers/Writer.h\"\n#include \"view/View.h\"\n")
  file(WRITE ${root}/src/cli/Main.cpp
       "#include \"Demo.h\"\n#include \"editor/Session.h\"\n#include \"cli/Main.h\"\n")
  file(WRITE ${root}/src/cli/Main.h "\n")
  file(WRITE ${root}/src/app/main.cpp
       "#include <QApplication>\n#include \"editor/forms/Window.h\"\n")
endfunction()

# Runs the checker on a tree; `expect` is "ok" or a text the failure must contain.
function(expect_check root expect)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${root} -P ${CHECKER}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expect STREQUAL "ok")
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "a clean tree was refused:\n${err}")
    endif()
    return()
  endif()
  if(result EQUAL 0)
    message(FATAL_ERROR "not caught: ${expect}")
  endif()
  string(FIND "${err}" "${expect}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${expect}\" in:\n${err}")
  endif()
endfunction()

# One breach at a time: a file added to the clean tree, and what the checker must say.
function(expect_breach file content expect)
  set(root ${WORK_DIR}/breach)
  write_clean_tree(${root})
  file(WRITE ${root}/${file} "${content}")
  expect_check(${root} "${expect}")
endfunction()

write_clean_tree(${WORK_DIR}/clean)
expect_check(${WORK_DIR}/clean ok)

expect_breach(src/resources/Up.h "#include \"map/Grid.h\"\n" "resources may not include map")
expect_breach(src/map/Up.cpp "#include \"game/Store.h\"\n" "map may not include game")
expect_breach(src/game/Up.cpp "  #  include \"view/View.h\"\n" "game may not include view")
expect_breach(src/view/Up.h "#include \"editor/Session.h\"\n" "view may not include editor")
expect_breach(src/view/sub/Up.h "#include \"editor/palettes/Palette.h\"\n"
              "view may not include editor")
expect_breach(src/editor/Up.h "#include \"editor/forms/Window.h\"\n"
              "editor may not include forms")
expect_breach(src/writers/Up.h "#include \"view/View.h\"\n" "writers may not include view")
expect_breach(tools/demo/Up.cpp "#include \"editor/Session.h\"\n" "demo may not include editor")
expect_breach(src/cli/Up.cpp "#include \"editor/forms/Window.h\"\n" "cli may not include forms")
expect_breach(src/editor/forms/Up.h "#include \"cli/Main.h\"\n" "forms may not include cli")
expect_breach(src/game/Qt.h "#include <QString>\n" "game may not include Qt")
expect_breach(src/cli/Qt.cpp "#include <QtCore/QFile>\n" "cli may not include Qt")
expect_breach(src/sound/Player.h "\n" "src/sound: the folder is in no layer")
message(STATUS "The layering check passes the table and fails every breach")
