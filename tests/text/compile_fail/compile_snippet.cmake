# Compiles one snippet at test time, with the project's compiler, language
# standard and include path, and says whether the result is the one the
# snippet expects on its line "// expect: ...": "compiles" (without a
# warning), or a text the compiler's refusal must show, the reason the
# checker gives, so that a snippet failing for another reason (a typo, a
# missing header) does not pass.
#   cmake -DCOMPILER=... -DINCLUDE=... -DSNIPPET=... -P compile_snippet.cmake
file(STRINGS "${SNIPPET}" expect_line REGEX "^// expect: " LIMIT_COUNT 1)
if(NOT expect_line)
  message(FATAL_ERROR "${SNIPPET}: no \"// expect: \" line")
endif()
string(REGEX REPLACE "^// expect: " "" expected "${expect_line}")
execute_process(
  COMMAND "${COMPILER}" -std=c++20 -fsyntax-only -Wall -Wextra -Werror "-I${INCLUDE}" "${SNIPPET}"
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(expected STREQUAL "compiles")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${SNIPPET} must compile, and does not:\n${output}")
  endif()
elseif(status EQUAL 0)
  message(FATAL_ERROR "${SNIPPET} compiles, and must not (${expected})")
else()
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${SNIPPET} is refused, but not for \"${expected}\":\n${output}")
  endif()
endif()
