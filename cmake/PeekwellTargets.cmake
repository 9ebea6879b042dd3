# Helpers that give every Peekwell target the same warnings, sanitizers and
# include root, and keep plain libraries free of Qt.

set(PEEKWELL_SRC_ROOT "${CMAKE_SOURCE_DIR}/src")

function(peekwell_common target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(PEEKWELL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(PEEKWELL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=${PEEKWELL_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=${PEEKWELL_SANITIZE})
  endif()
endfunction()

# peekwell_core_library(name SOURCES ... [LIBS ...])
# A plain C++20 library: it links no Qt, so it cannot include a Qt header.
function(peekwell_core_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC "${PEEKWELL_SRC_ROOT}")
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF POSITION_INDEPENDENT_CODE ON)
  peekwell_common(${name})
endfunction()

# peekwell_qt_library(name SOURCES ... [LIBS ...])
function(peekwell_qt_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC "${PEEKWELL_SRC_ROOT}")
  target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets ${A_LIBS})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  peekwell_common(${name})
endfunction()

# peekwell_test(name SOURCES ... LIBS ... [GUI])
# Plain tests carry the label "core"; GUI tests the label "gui" and get a
# main that runs them on the offscreen platform (tests/support).
function(peekwell_test name)
  cmake_parse_arguments(A "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  peekwell_common(${name})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  target_compile_definitions(${name} PRIVATE PEEKWELL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
  if(A_GUI)
    target_link_libraries(${name} PRIVATE ${A_LIBS} Qt6::Test peekwell_gui_test_main GTest::gtest)
    set(labels gui)
  else()
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
    target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main)
    set(labels core)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${labels}")
endfunction()
